// The whole start-up over a program folder with fuzzed settings and draw
// state: the draw screen's steps, the participant list, the award settings,
// the resume decision with either answer and prepareDraw, then a few rounds.
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace sorvix;
    if (size < 1)
        return 0;
    const quint8 choices = data[0];
    const QString names[] = {files::Name, files::Mobile, files::IdNumber, files::WorkId, files::Group,
                             files::KeyWord, files::ShowWord, files::Lottery, files::ScreenPositions,
                             files::Status, files::RoundCount, files::round(0), files::levelWinners(0),
                             files::Theme};
    const int count = int(std::size(names));
    const QList<QByteArray> parts = fuzz::split(fuzz::bytes(data + 1, size - 1), count);
    const ProgramFolder &folder = fuzz::scratchFolder();
    for (int i = 0; i < count; ++i)
        if (!parts[i].isEmpty() || (choices & 1))
            fuzz::put(folder, names[i], parts[i]);

    fuzz::StartedDraw started(folder, (choices & 2) ? OperatorPort::Answer::Yes : OperatorPort::Answer::No, choices);
    started.drawRounds(3);
    return 0;
}
