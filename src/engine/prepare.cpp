#include "engine/prepare.h"

#include "engine/drawfiles.h"
#include "base/errors.h"
#include "base/gbk.h"
#include "engine/prize.h"

#include <QRandomGenerator>

#include <algorithm>

namespace sorvix {

namespace {

// The previous plan's numbered files that a preparation removes.
constexpr int ClearedNumbers = 501;

QByteArray number(qint64 value) { return QByteArray::number(value); }

} // namespace

DrawRandom DrawRandom::fromSystem()
{
    return DrawRandom(QRandomGenerator::system()->generate64());
}

quint64 DrawRandom::below(quint64 n)
{
    return std::uniform_int_distribution<quint64>(0, n - 1)(m_engine);
}

DrawPreparation::DrawPreparation(Session &session, ScreenPort &screen, OperatorPort &op, DrawRandom &random)
    : m_session(session), m_screen(screen), m_operator(op), m_random(random)
{
}

int DrawPreparation::refreshAwardTable()
{
    int highest = -1;
    for (int k = 0; k < LevelCount; ++k) {
        const AwardLevel &level = m_session.settings.levels[size_t(k)];
        AwardLevel &record = m_session.awardTable[size_t(k)];
        if (level.enabled) {
            record = level;
            highest = k;
        } else {
            // A disabled level keeps its last texts for the give-up window.
            record.enabled = false;
        }
    }
    return highest;
}

qint64 DrawPreparation::totalWinners() const
{
    qint64 total = 0;
    for (const AwardLevel &level : m_session.settings.levels)
        if (level.enabled)
            total += level.quantityValue();
    return total;
}

std::vector<int> DrawPreparation::drawOrder() const
{
    std::vector<int> order;
    const bool smallFirst = m_session.settings.options.order == 0;
    for (int i = 0; i < LevelCount; ++i) {
        const int level = smallFirst ? LevelCount - 1 - i : i;
        if (m_session.settings.levels[size_t(level)].enabled)
            order.push_back(level);
    }
    return order;
}

std::vector<LevelRange> DrawPreparation::levelRanges() const
{
    std::vector<LevelRange> ranges;
    int end = 0;
    for (int level : drawOrder()) {
        const int quantity = m_session.settings.levels[size_t(level)].quantityValue();
        ranges.push_back({level, end, end + quantity});
        end += quantity;
    }
    return ranges;
}

void DrawPreparation::placePresetWinners(const LevelRange &range)
{
    DrawPool &pool = m_session.pool;
    const int n = int(pool.size());
    int cursor = range.start;
    if (cursor >= range.end)
        return;
    // The tag that names this level (grouptag::namesLevel), made once for the scan.
    const QByteArray tag = number(range.level);
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

void DrawPreparation::preparePoolOnce()
{
    try {
        DrawPool &pool = m_session.pool;
        m_random.shuffle(pool.begin(), pool.end());
        const int n = int(pool.size());
        const qint64 total64 = totalWinners();
        if (total64 > n)
            return;
        const int total = int(total64);
        for (const LevelRange &range : levelRanges())
            placePresetWinners(range);
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
    } catch (const OperationError &error) {
        // The pool stays in its current order; the preparation goes on.
        reportQuietly("preparePoolOnce", error);
    }
}

void DrawPreparation::preparePoolForLevel(int level)
{
    try {
        DrawPool &pool = m_session.pool;
        m_random.shuffle(pool.begin(), pool.end());
        const int n = int(pool.size());
        if (totalWinners() > n)
            return;
        const std::vector<LevelRange> ranges = levelRanges();
        const auto found = std::find_if(ranges.begin(), ranges.end(),
                                        [level](const LevelRange &r) { return r.level == level; });
        if (found == ranges.end())
            return;
        const LevelRange range = *found;
        placePresetWinners(range);
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
    } catch (const OperationError &error) {
        // The pool stays in its current order; the preparation goes on.
        reportQuietly("preparePoolForLevel", error);
    }
}

void DrawPreparation::shuffleRoundNames(Lines &names)
{
    m_random.shuffle(names.begin(), names.end());
}

void DrawPreparation::clearPreviousDraw()
{
    const ProgramFolder &folder = m_session.folder;
    for (int n = 0; n < ClearedNumbers; ++n) {
        folder.remove(files::round(n));
        folder.remove(files::levelWinners(n));
    }
    folder.remove(files::WinnersList);
}

void DrawPreparation::refuse(qint64 total, int participants)
{
    m_operator.warn(QStringLiteral("设置的总获奖人数是:%1  多于参加的总人数:%2\r总获奖人数不得大于总参加人数！")
                        .arg(total)
                        .arg(participants));
    m_session.tooManyWinners = true;
    m_screen.setSlot(5, gbk::fromUtf8("获奖人数（") + number(total) + gbk::fromUtf8("）多于参加人数（")
                            + number(participants) + gbk::fromUtf8("），当前无法抽奖"));
    for (int slot = 1; slot <= 10; ++slot)
        if (slot != 5)
            m_screen.setSlot(slot, QByteArray());
}

void DrawPreparation::writeRounds(int level, int &poolCursor, int &rounds)
{
    const AwardLevel &award = m_session.awardTable[size_t(level)];
    const DrawPool &pool = m_session.pool;
    const int perRound = award.perRound;
    if (perRound < 1)
        throw OperationError(QStringLiteral("“%1”不是有效的每轮人数").arg(perRound));
    if (m_session.settings.options.repeatedWins)
        preparePoolForLevel(level);
    const int quantity = award.quantityValue();

    const auto writeRound = [&](int drawnBefore, int count) {
        if (poolCursor + count > int(pool.size()))
            throw OperationError(QStringLiteral("获奖人数多于参加人数"));
        Lines names;
        names.reserve(count);
        for (int i = 0; i < count; ++i)
            names.append(pool[size_t(poolCursor + i)].displayText);
        poolCursor += count;
        shuffleRoundNames(names);
        const RoundPlan round = RoundPlan::make(level, award.displayName, award.prizeText, award.quantity,
                                                drawnBefore, names);
        // The batch is made durable by one flush before filenameqty.dll names it.
        textfile::writeLinesUnsynced(m_session.folder.path(files::round(rounds)), round.toLines());
        ++rounds;
        step("round");
    };

    const int fullRounds = quantity / perRound;
    const int remainder = quantity % perRound;
    for (int r = 0; r < fullRounds; ++r)
        writeRound(r * perRound, perRound);
    if (remainder > 0)
        writeRound(fullRounds * perRound, remainder);
}

void DrawPreparation::announceFirstLevel(int highestLevel)
{
    if (highestLevel < 0) {
        // Nothing to announce.
        m_screen.setHead(QByteArray());
        m_screen.hidePrizes();
        return;
    }
    const DrawOptions &options = m_session.settings.options;
    const auto &table = m_session.awardTable;
    const int announced = options.order == 0 ? highestLevel : 0;
    const QByteArray ming = gbk::fromUtf8("名");
    if (options.order == 0)
        m_screen.setHead(gbk::fromUtf8("准备抽取") + table[size_t(highestLevel)].displayName
                         + table[size_t(highestLevel)].quantity + ming);
    else
        m_screen.setHead(gbk::fromUtf8("准备抽取特等奖") + table[0].quantity + ming);
    presentPrize(m_screen, m_session.folder, table[size_t(announced)], options);
}

void DrawPreparation::resetScreen()
{
    const DrawOptions &options = m_session.settings.options;
    m_screen.stopRolling();
    for (int slot = 1; slot <= 10; ++slot)
        m_screen.setSlot(slot, QByteArray());
    m_screen.setSlot(5, options.startStopKeysText());
    m_screen.setCaption(options.title, 10 * int(options.title.size()));
}

bool DrawPreparation::prepareDraw()
{
    try {
        prepareDrawOrThrow();
    } catch (const OperationError &error) {
        // Preparation ends quietly; a restart finds no plan and prepares afresh.
        reportQuietly("prepareDraw", error);
        return false;
    }
    return true;
}

void DrawPreparation::prepareDrawOrThrow()
{
    // A round still waiting for its records belongs to the plan discarded here.
    m_session.state.unrecorded.reset();
    const ProgramFolder &folder = m_session.folder;
    DrawPool &pool = m_session.pool;

    // The old plan is marked gone before anything of it changes: with no
    // rounds counted, no start-up resumes it or counts one of its rounds
    // as drawn, wherever a crash cuts this preparation short. Then
    // status.dll "0": from here on a restart prepares afresh.
    m_session.state.roundCount = 0;
    drawfiles::writeRoundCount(folder, 0);
    step("roundcount0");
    drawfiles::writeStatus(folder, 0);
    step("status");

    if (!m_session.settings.options.repeatedWins)
        preparePoolOnce();
    const int highest = refreshAwardTable();
    const int excluded = int(std::count_if(pool.begin(), pool.end(), [](const PoolEntry &e) {
        return grouptag::isExcluded(e.group);
    }));

    clearPreviousDraw();
    step("clear");

    const int participants = int(pool.size());
    const qint64 total = totalWinners();
    if (total > participants) {
        refuse(total, participants);
        return;
    }
    if (m_session.groupModeUnlocked && participants - total < excluded)
        m_operator.warn(QStringLiteral("设置的黑名单人数:%1 多于未获奖人数:%2\r将有黑名单人员会中奖！")
                            .arg(excluded)
                            .arg(participants - total));

    int poolCursor = 0;
    int rounds = 0;
    for (int level : drawOrder())
        writeRounds(level, poolCursor, rounds);

    // The pool remainder belongs to this plan: written before the plan
    // counts, so a make-up never draws from an earlier plan's remainder.
    Lines leftover;
    leftover.reserve(participants - poolCursor);
    for (int i = poolCursor; i < participants; ++i)
        leftover.append(pool[size_t(i)].displayText);
    drawfiles::writeLeftover(folder, leftover);
    step("leftover");

    // The round files reach the disk before filenameqty.dll counts them.
    textfile::syncFolder(folder.path(QStringLiteral("data")));
    step("sync");
    drawfiles::writeRoundCount(folder, rounds);
    m_session.state.roundCount = rounds;
    step("roundcount");

    announceFirstLevel(highest);
    resetScreen();
}

} // namespace sorvix
