// The draw-state files as a crash, a full disk or a hand edit may leave them:
// status.dll, filenameqty.dll, round files, data\left.dll and the winners
// files, read by the start-up's recovery, the draw round and the give-up and
// make-up.
#include "fuzzsupport.h"

#include "base/errors.h"
#include "engine/draw.h"
#include "engine/winners.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace sorvix;
    if (size < 2)
        return 0;
    const quint8 choices = data[0];
    const quint8 quantity = data[1];
    const QList<QByteArray> parts = fuzz::split(fuzz::bytes(data + 2, size - 2), 8);
    const ProgramFolder &folder = fuzz::scratchFolder();
    AwardSettings settings = AwardSettings::defaults();
    for (int k = 0; k < LevelCount; ++k) {
        settings.levels[size_t(k)].enabled = k < 3;
        settings.levels[size_t(k)].quantity = "3";
    }
    settings.options.order = choices & 1;
    awardfile::save(folder, settings);
    fuzz::putList(folder);
    fuzz::put(folder, files::Status, parts[0]);
    fuzz::put(folder, files::RoundCount, parts[1]);
    fuzz::put(folder, files::round(0), parts[2]);
    fuzz::put(folder, files::round(1), parts[3]);
    fuzz::put(folder, files::Leftover, parts[4]);
    fuzz::put(folder, files::levelWinners(0), parts[5]);
    fuzz::put(folder, files::levelWinners(1), parts[6]);
    fuzz::put(folder, files::makeupRound(0), parts[7]);

    fuzz::StartedDraw started(folder, (choices & 2) ? OperatorPort::Answer::Yes : OperatorPort::Answer::No, choices);
    Draw &draw = started.draw;
    if (choices & 4)
        draw.makeup((choices >> 6) % 3, 1 + quantity % 30);
    started.drawRounds(2);
    winners::captionText(winners::collect(folder, 2));
    try {
        draw.makeupLevels();
    } catch (const OperationError &) {
    }
    for (int level = 0; level < 3; ++level) {
        try {
            draw.levelWinners(level);
        } catch (const OperationError &) {
        }
    }
    draw.giveUp(choices >> 6, (choices >> 3) & 7);
    draw.makeup((choices >> 6) % 3, 1 + quantity % 30);
    return 0;
}
