#include "engine/plan.h"

#include "base/errors.h"
#include "engine/drawfiles.h"
#include "engine/roundfile.h"

#include <QRandomGenerator>

namespace sorvix {

namespace {

// The previous plan's numbered files that a preparation removes.
constexpr int ClearedNumbers = 501;

void placePresetWinners(DrawPool &pool, const LevelRange &range)
{
    const int n = int(pool.size());
    int cursor = range.start;
    if (cursor >= range.end)
        return;
    // The tag that names this level (grouptag::namesLevel), made once for the scan.
    const QByteArray tag = QByteArray::number(range.level);
    for (int j = 0; j < n; ++j) {
        // A swap brings the entry from the cursor to j; when j lies before the
        // range that entry has not been looked at yet, so look at j again.
        while (pool[size_t(j)].group == tag && !(j >= range.start && j < cursor)) {
            if (j != cursor)
                std::swap(pool[size_t(j)], pool[size_t(cursor)]);
            if (++cursor >= range.end)
                return;
        }
    }
}

void writeLevel(const ProgramFolder &folder, DrawPool &pool, const AwardSettings &settings, int level,
                DrawRandom &random, int &poolCursor, int &rounds, const plan::StepHook &step)
{
    const AwardLevel &award = settings.levels[size_t(level)];
    const int perRound = award.perRound;
    if (perRound < 1)
        throw OperationError(QStringLiteral("“%1”不是有效的每轮人数").arg(perRound));
    if (settings.options.repeatedWins)
        plan::orderPoolForLevel(pool, settings, level, random);
    const int quantity = award.quantityValue();

    const auto writeRound = [&](int drawnBefore, int count) {
        if (poolCursor + count > int(pool.size()))
            throw OperationError(QStringLiteral("获奖人数多于参加人数"));
        Lines names;
        names.reserve(count);
        for (int i = 0; i < count; ++i)
            names.append(pool[size_t(poolCursor + i)].displayText);
        poolCursor += count;
        // Preset winners stand first in their level's range: shuffled, they
        // do not always take the first name slots.
        random.shuffle(names.begin(), names.end());
        RoundFile::planRound(level, award.displayName, award.prizeText, award.quantity, drawnBefore, names)
            .writeUnsynced(folder, files::round(rounds));
        ++rounds;
        if (step)
            step("round");
    };

    const int fullRounds = quantity / perRound;
    const int remainder = quantity % perRound;
    for (int r = 0; r < fullRounds; ++r)
        writeRound(r * perRound, perRound);
    if (remainder > 0)
        writeRound(fullRounds * perRound, remainder);
}

} // namespace

DrawRandom DrawRandom::fromSystem()
{
    return DrawRandom(QRandomGenerator::system()->generate64());
}

quint64 DrawRandom::below(quint64 n)
{
    return std::uniform_int_distribution<quint64>(0, n - 1)(m_engine);
}

namespace plan {

qint64 totalWinners(const AwardSettings &settings)
{
    qint64 total = 0;
    for (const AwardLevel &level : settings.levels)
        if (level.enabled)
            total += level.quantityValue();
    return total;
}

std::vector<int> drawOrder(const AwardSettings &settings)
{
    std::vector<int> order;
    const bool smallFirst = settings.options.order == 0;
    for (int i = 0; i < LevelCount; ++i) {
        const int level = smallFirst ? LevelCount - 1 - i : i;
        if (settings.levels[size_t(level)].enabled)
            order.push_back(level);
    }
    return order;
}

std::vector<LevelRange> levelRanges(const AwardSettings &settings)
{
    std::vector<LevelRange> ranges;
    int end = 0;
    for (int level : drawOrder(settings)) {
        const int quantity = settings.levels[size_t(level)].quantityValue();
        ranges.push_back({level, end, end + quantity});
        end += quantity;
    }
    return ranges;
}

void orderPoolOnce(DrawPool &pool, const AwardSettings &settings, DrawRandom &random)
{
    random.shuffle(pool.begin(), pool.end());
    const int n = int(pool.size());
    const qint64 total64 = totalWinners(settings);
    if (total64 > n)
        return;
    const int total = int(total64);
    for (const LevelRange &range : levelRanges(settings))
        placePresetWinners(pool, range);
    // Excluded participants change places with the last non-winners.
    int back = n - 1;
    for (int i = total - 1; i >= 0; --i) {
        if (!grouptag::isExcluded(pool[size_t(i)].group))
            continue;
        while (back > total - 1 && grouptag::isExcluded(pool[size_t(back)].group))
            --back;
        if (back <= total - 1)
            break;
        std::swap(pool[size_t(i)], pool[size_t(back)]);
        --back;
    }
}

void orderPoolForLevel(DrawPool &pool, const AwardSettings &settings, int level, DrawRandom &random)
{
    random.shuffle(pool.begin(), pool.end());
    const int n = int(pool.size());
    if (totalWinners(settings) > n)
        return;
    const std::vector<LevelRange> ranges = levelRanges(settings);
    const auto found = std::find_if(ranges.begin(), ranges.end(), [level](const LevelRange &r) { return r.level == level; });
    if (found == ranges.end())
        return;
    const LevelRange range = *found;
    placePresetWinners(pool, range);
    // Excluded participants in the range change places with the first
    // entries outside it; earlier levels' positions are already written.
    int partner = range.start == 0 ? range.end : 0;
    const auto advance = [&] {
        if (++partner == range.start)
            partner = range.end;
    };
    for (int k = range.start; k < range.end; ++k) {
        if (!grouptag::isExcluded(pool[size_t(k)].group))
            continue;
        while (partner < n && grouptag::isExcluded(pool[size_t(partner)].group))
            advance();
        if (partner >= n)
            break;
        std::swap(pool[size_t(k)], pool[size_t(partner)]);
        advance();
    }
}

void discardPrevious(const ProgramFolder &folder, const StepHook &step)
{
    const auto done = [&step](const char *name) {
        if (step)
            step(name);
    };
    drawfiles::writeRoundCount(folder, 0);
    done("roundcount0");
    drawfiles::writeStatus(folder, 0);
    done("status");
    for (int n = 0; n < ClearedNumbers; ++n) {
        folder.remove(files::round(n));
        folder.remove(files::levelWinners(n));
    }
    folder.remove(files::WinnersList);
    done("clear");
}

int writeRounds(const ProgramFolder &folder, DrawPool &pool, const AwardSettings &settings, DrawRandom &random,
                const StepHook &step)
{
    int poolCursor = 0;
    int rounds = 0;
    for (int level : drawOrder(settings))
        writeLevel(folder, pool, settings, level, random, poolCursor, rounds, step);

    // The pool remainder belongs to this plan: written before the plan
    // counts, so a make-up never draws from an earlier plan's remainder.
    const int participants = int(pool.size());
    Lines leftover;
    leftover.reserve(participants - poolCursor);
    for (int i = poolCursor; i < participants; ++i)
        leftover.append(pool[size_t(i)].displayText);
    drawfiles::writeLeftover(folder, leftover);
    if (step)
        step("leftover");

    // The round files reach the disk before filenameqty.dll counts them.
    textfile::syncFolder(folder.path(QStringLiteral("data")));
    if (step)
        step("sync");
    drawfiles::writeRoundCount(folder, rounds);
    if (step)
        step("roundcount");
    return rounds;
}

} // namespace plan
} // namespace sorvix
