#include "engine/makeup.h"

#include "engine/roundfile.h"

#include <algorithm>

namespace sorvix::makeup {

std::vector<int> offeredLevels(const ProgramFolder &folder, const AwardSettings &settings, const DrawState &state)
{
    const int highest = settings.highestEnabledLevel();
    // While rounds remain, the level drawn next and every level after it in
    // draw order still have winners to come.
    const bool roundsRemain = state.roundsLeft();
    const QByteArray next = roundsRemain ? folder.readFirstLine(files::round(state.roundIndex())) : QByteArray();
    const bool bigFirst = settings.options.order != 0;
    std::vector<int> levels;
    for (int item = 0; item <= highest; ++item) {
        const int level = bigFirst ? item : highest - item;
        if (roundsRemain && QByteArray::number(level) == next)
            break;
        levels.push_back(level);
    }
    return levels;
}

int levelOfItem(const AwardSettings &settings, int item)
{
    if (item < 0)
        return -1;
    return settings.options.order != 0 ? item : settings.highestEnabledLevel() - item;
}

QString quantityRule(const QString &text)
{
    // Characters outside Latin-1 become '?', which the rule rejects.
    return isValidQuantity(text.toLatin1()) ? text : QStringLiteral("1");
}

int writeRounds(const ProgramFolder &folder, int level, const AwardLevel &award, const Lines &names)
{
    const int quantity = int(names.size());
    int roundFiles = 0;
    for (int taken = 0; taken < quantity; taken += RoundSize, ++roundFiles) {
        const int count = std::min(RoundSize, quantity - taken);
        RoundFile::makeupRound(level, award.displayName, quantity, taken, names.mid(taken, count))
            .writeUnsynced(folder, files::makeupRound(roundFiles));
    }
    textfile::syncFolder(folder.path(QStringLiteral("datm")));
    return roundFiles;
}

} // namespace sorvix::makeup
