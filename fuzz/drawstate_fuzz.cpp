// The draw-state files as a crash, a full disk or a hand edit may leave them:
// status.dll, filenameqty.dll, round files, data\left.dll and the winners
// files, read by the start-up's recovery, the draw round and the give-up and
// make-up.
#include "fuzzsupport.h"

#include "app/drawround.h"
#include "support/headlesshost.h"
#include "base/errors.h"
#include "engine/drawfiles.h"
#include "engine/makeup.h"
#include "support/nullscreen.h"
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
    fuzz::put(folder, files::Status, parts[0]);
    fuzz::put(folder, files::RoundCount, parts[1]);
    fuzz::put(folder, files::round(0), parts[2]);
    fuzz::put(folder, files::round(1), parts[3]);
    fuzz::put(folder, files::Leftover, parts[4]);
    fuzz::put(folder, files::levelWinners(0), parts[5]);
    fuzz::put(folder, files::levelWinners(1), parts[6]);
    fuzz::put(folder, files::makeupRound(0), parts[7]);

    Session session;
    session.folder = folder;
    for (int k = 0; k < 3; ++k) {
        session.settings.levels[size_t(k)].enabled = true;
        session.settings.levels[size_t(k)].quantity = "3";
        session.awardTable[size_t(k)] = session.settings.levels[size_t(k)];
    }
    session.settings.options.order = choices & 1;
    session.pool.resize(3);
    NullScreen screen;
    NullSound sound;
    NullOperator op((choices & 2) ? OperatorPort::Answer::Yes : OperatorPort::Answer::No);
    try {
        session.state.roundCount = drawfiles::readRoundCount(folder);
        session.state.roundIndex = drawfiles::readStatus(folder);
        if (session.state.roundCount < 0 || session.state.roundIndex < 0)
            __builtin_trap();
    } catch (const OperationError &) {
    }
    recoverRecordedRound(session);

    HeadlessHost host;
    DrawRound round(session, screen, sound, op, host);
    session.state.makeupActive = choices & 4;
    session.state.makeupCount = 1;
    for (int i = 0; i < 2; ++i) {
        round.startClicked();
        round.rollTick();
        round.stopClicked();
    }
    winners::captionText(winners::collect(folder, 2));

    GiveUpMakeUp giveUp(session, op, screen);
    try {
        giveUp.makeupLevels();
    } catch (const OperationError &) {
    }
    for (int level = 0; level < 3; ++level)
        giveUp.giveUpList(level);
    giveUp.giveUp(choices >> 6, (choices >> 3) & 7);
    giveUp.makeup((choices >> 6) % 3, 1 + quantity % 30);
    return 0;
}
