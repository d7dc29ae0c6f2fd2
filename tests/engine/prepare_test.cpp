#include "engine/drawfiles.h"
#include "base/gbk.h"
#include "engine/prepare.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

#include <map>

using namespace sorvix;
using namespace sorvix::test;

namespace {

QByteArray g(const char *utf8) { return gbk::fromUtf8(utf8); }

// Participants "P00", "P01", ... with the given group tags by position.
DrawPool makePool(int n, const std::map<int, const char *> &tags = {})
{
    DrawPool pool(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        pool[size_t(i)].displayText = QStringLiteral("P%1").arg(i, 2, 10, QLatin1Char('0')).toLatin1();
        pool[size_t(i)].fullText = pool[size_t(i)].displayText + " 13800000000";
        const auto tag = tags.find(i);
        if (tag != tags.end())
            pool[size_t(i)].group = tag->second;
    }
    return pool;
}

class PrepareTest : public ::testing::Test
{
protected:
    PrepareTest()
    {
        session.folder = dir.folder();
        for (AwardLevel &level : session.settings.levels)
            level.enabled = false;
    }

    void level(int k, const char *quantity, int perRound, const char *name = nullptr, const char *prize = "")
    {
        AwardLevel &l = session.settings.levels[size_t(k)];
        l.enabled = true;
        l.quantity = quantity;
        l.perRound = perRound;
        if (name)
            l.displayName = g(name);
        l.prizeText = g(prize);
    }

    QStringList round(int n) const { return dir.lines(files::round(n)); }
    QStringList names(int n) const { return round(n).mid(4); }
    int roundFiles() const
    {
        int n = 0;
        while (dir.folder().exists(files::round(n)))
            ++n;
        return n;
    }
    QStringList allNames() const
    {
        QStringList all;
        for (int n = 0; n < roundFiles(); ++n)
            all << names(n);
        return all;
    }
    QString status() const { return dir.lines(files::Status).value(0); }
    QString roundCountFile() const { return dir.lines(files::RoundCount).value(0); }

    // Levels of the round files in file order.
    std::vector<int> roundLevels() const
    {
        std::vector<int> levels;
        for (int n = 0; n < roundFiles(); ++n)
            levels.push_back(round(n).value(0).toInt());
        return levels;
    }

    // The names of all round files of one level.
    QStringList levelNames(int level) const
    {
        QStringList all;
        for (int n = 0; n < roundFiles(); ++n)
            if (round(n).value(0) == QString::number(level))
                all << names(n);
        return all;
    }

    // An earlier plan in progress: four rounds, two drawn, winners recorded.
    void writeOldPlan()
    {
        for (int n = 0; n < 4; ++n)
            dir.write(files::round(n), {QStringLiteral("0"), "c", "b", "a", QStringLiteral("OLD%1").arg(n)});
        dir.write(files::Status, {QStringLiteral("2")});
        dir.write(files::RoundCount, {QStringLiteral("4")});
        dir.write(files::levelWinners(0), {"", QStringLiteral("特等奖"), "()", "OLD0", "OLD1"});
        dir.write(files::WinnersList, {"", QStringLiteral("特等奖"), "()", "OLD0", "OLD1"});
    }

    TestFolder dir;
    Session session;
    RecordingScreen screen;
    RecordingOperator op;
    DrawRandom random{20261207};
    DrawPreparation prep{session, screen, op, random};
};

// ---- Round files ----------------------------------------------------------

TEST_F(PrepareTest, TwelveInRoundsOfFiveMakesThreeExactRoundFiles)
{
    session.pool = makePool(20);
    level(1, "12", 5, "一等奖", "笔记本电脑");
    prep.prepareDraw();

    ASSERT_EQ(roundFiles(), 3);
    EXPECT_EQ(round(0).mid(0, 4), QStringList({"1", QStringLiteral("一等奖 笔记本电脑 (5/12名)"),
                                               QStringLiteral("准备抽取一等奖5名，共12名，已抽取0名"),
                                               QStringLiteral("本轮已抽取一等奖5名，共12名，已抽取5名")}));
    EXPECT_EQ(round(1).mid(1, 3), QStringList({QStringLiteral("一等奖 笔记本电脑 (5/12名)"),
                                               QStringLiteral("准备抽取一等奖5名，共12名，已抽取5名"),
                                               QStringLiteral("本轮已抽取一等奖5名，共12名，已抽取10名")}));
    EXPECT_EQ(round(2).mid(1, 3), QStringList({QStringLiteral("一等奖 笔记本电脑 (2/12名)"),
                                               QStringLiteral("准备抽取一等奖2名，共12名，已抽取10名"),
                                               QStringLiteral("本轮已抽取一等奖2名，共12名，已抽取12名")}));
    EXPECT_EQ(names(0).size(), 5);
    EXPECT_EQ(names(1).size(), 5);
    EXPECT_EQ(names(2).size(), 2);
    EXPECT_EQ(session.state.roundCount, 3);
    EXPECT_EQ(roundCountFile(), "3");
    EXPECT_EQ(status(), "0");
    EXPECT_EQ(dir.lines(files::Leftover).size(), 8);

    // GBK bytes, every line ended by CR LF.
    const QByteArray bytes = dir.bytes(files::round(2));
    EXPECT_TRUE(bytes.startsWith("1\r\n" + g("一等奖 笔记本电脑 (2/12名)") + "\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 6);
    EXPECT_EQ(bytes.count('\n'), 6);
}

TEST_F(PrepareTest, RoundSizesFollowQuantityAndPerRound)
{
    session.pool = makePool(30);
    level(0, "3", 5);
    prep.prepareDraw();
    ASSERT_EQ(roundFiles(), 1);
    EXPECT_TRUE(round(0)[1].endsWith(QStringLiteral("(3/3名)")));
    EXPECT_TRUE(round(0)[2].endsWith(QStringLiteral("已抽取0名")));
    EXPECT_TRUE(round(0)[3].endsWith(QStringLiteral("已抽取3名")));
    EXPECT_EQ(names(0).size(), 3);

    level(0, "10", 5);
    prep.prepareDraw();
    EXPECT_EQ(roundFiles(), 2);
    EXPECT_EQ(names(0).size(), 5);
    EXPECT_EQ(names(1).size(), 5);

    // One winner: a five-line file; ten: fourteen lines.
    level(0, "1", 1);
    prep.prepareDraw();
    EXPECT_EQ(round(0).size(), 5);
    level(0, "10", 10);
    prep.prepareDraw();
    EXPECT_EQ(round(0).size(), 14);
}

TEST_F(PrepareTest, QuantityKeepsItsTypedTextAndCountsByValue)
{
    session.pool = makePool(10);
    level(2, "007", 5, "二等奖", "奖");
    prep.prepareDraw();
    ASSERT_EQ(roundFiles(), 2);
    EXPECT_EQ(round(0)[1], QStringLiteral("二等奖 奖 (5/007名)"));
    EXPECT_EQ(round(1)[2], QStringLiteral("准备抽取二等奖2名，共007名，已抽取5名"));
    EXPECT_EQ(round(1)[3], QStringLiteral("本轮已抽取二等奖2名，共007名，已抽取7名"));
    EXPECT_EQ(allNames().size(), 7);
    EXPECT_EQ(screen.head, QStringLiteral("准备抽取二等奖007名"));
}

// ---- Draw orders and preset winners ----------------------------------------

TEST_F(PrepareTest, SmallPrizesFirstDrawsFromTheHighestLevelDown)
{
    session.pool = makePool(12, {{3, "0"}});
    session.settings.options.order = 0;
    level(0, "1", 10);
    level(1, "2", 10);
    level(2, "5", 10);

    const std::vector<LevelRange> ranges = prep.levelRanges();
    ASSERT_EQ(ranges.size(), 3u);
    EXPECT_EQ((std::vector<int>{ranges[0].level, ranges[0].start, ranges[0].end}), (std::vector<int>{2, 0, 5}));
    EXPECT_EQ((std::vector<int>{ranges[1].level, ranges[1].start, ranges[1].end}), (std::vector<int>{1, 5, 7}));
    EXPECT_EQ((std::vector<int>{ranges[2].level, ranges[2].start, ranges[2].end}), (std::vector<int>{0, 7, 8}));

    for (int run = 0; run < 20; ++run) {
        prep.prepareDraw();
        EXPECT_EQ(roundLevels(), (std::vector<int>{2, 1, 0}));
        EXPECT_EQ(names(2), QStringList({"P03"}));
        // The rounds take the pool positions of their ranges.
        QStringList pooled;
        for (int i = 0; i < 8; ++i)
            pooled << QString::fromLatin1(session.pool[size_t(i)].displayText);
        QStringList inFiles = allNames();
        for (auto *list : {&pooled, &inFiles}) {
            std::sort(list->begin(), list->begin() + 5);
            std::sort(list->begin() + 5, list->begin() + 7);
        }
        EXPECT_EQ(inFiles, pooled);
    }
    EXPECT_EQ(screen.head, QStringLiteral("准备抽取二等奖5名"));
}

TEST_F(PrepareTest, BigPrizesFirstDrawsFromTheGrandPrizeUp)
{
    session.pool = makePool(12, {{0, "2"}, {11, "1"}});
    session.settings.options.order = 1;
    level(0, "1", 10, "头奖");
    level(1, "2", 10);
    level(2, "5", 10);
    for (int run = 0; run < 20; ++run) {
        prep.prepareDraw();
        EXPECT_EQ(roundLevels(), (std::vector<int>{0, 1, 2}));
        EXPECT_TRUE(names(1).contains("P11"));
        EXPECT_TRUE(names(2).contains("P00"));
    }
    // The announcement names the grand prize by its fixed name.
    EXPECT_EQ(screen.head, QStringLiteral("准备抽取特等奖1名"));
}

TEST_F(PrepareTest, PresetWinnersAreDrawnInTheirLevelsFirstRound)
{
    session.pool = makePool(40, {{5, "1"}, {39, "1"}});
    level(0, "5", 5);
    level(1, "10", 5);
    level(2, "10", 5);
    for (bool repeated : {false, true}) {
        session.settings.options.repeatedWins = repeated;
        for (int order : {0, 1}) {
            session.settings.options.order = order;
            for (int run = 0; run < 10; ++run) {
                prep.prepareDraw();
                const std::vector<int> levels = roundLevels();
                const int first = int(std::find(levels.begin(), levels.end(), 1) - levels.begin());
                ASSERT_LT(first, int(levels.size()));
                EXPECT_TRUE(names(first).contains("P05") && names(first).contains("P39"))
                    << "repeated " << repeated << " order " << order;
            }
        }
    }
}

TEST_F(PrepareTest, EveryPresetWinnerIsPlacedWhileTheLevelHasRoom)
{
    // Tagged people before the level's range and inside it: all of them win
    // the level, whichever positions the shuffle gave them.
    session.pool = makePool(30, {{2, "1"}, {9, "1"}, {17, "1"}, {25, "1"}});
    session.settings.options.order = 1;
    level(0, "6", 10);
    level(1, "5", 10);
    for (int run = 0; run < 200; ++run) {
        prep.prepareDraw();
        const QStringList winners = levelNames(1);
        for (const char *tagged : {"P02", "P09", "P17", "P25"})
            ASSERT_TRUE(winners.contains(QLatin1String(tagged))) << tagged << " run " << run;
    }
}

TEST_F(PrepareTest, PresetWinnersBeyondTheQuantityAreOrdinary)
{
    session.pool = makePool(30, {{4, "1"}, {20, "1"}});
    level(1, "1", 1);
    level(2, "10", 10);
    for (int run = 0; run < 30; ++run) {
        prep.prepareDraw();
        const QStringList first = levelNames(1);
        ASSERT_EQ(first.size(), 1);
        EXPECT_TRUE(first[0] == "P04" || first[0] == "P20");
    }
}

// ---- Excluded participants -------------------------------------------------

TEST_F(PrepareTest, ExcludedStayOutWhileOthersRemainInBothPoolModes)
{
    session.pool = makePool(10, {{0, "a"}, {4, "A"}, {9, "a"}});
    level(0, "2", 10);
    level(1, "2", 10);
    level(2, "3", 10);
    for (bool repeated : {false, true}) {
        session.settings.options.repeatedWins = repeated;
        for (int run = 0; run < 50; ++run) {
            prep.prepareDraw();
            const QStringList winners = allNames();
            ASSERT_EQ(winners.size(), 7);
            for (const char *excluded : {"P00", "P04", "P09"})
                ASSERT_FALSE(winners.contains(QLatin1String(excluded))) << excluded << " repeated " << repeated;
        }
    }
    // Without repeated wins the excluded are among the non-winners.
    session.settings.options.repeatedWins = false;
    prep.prepareDraw();
    const QStringList left = dir.lines(files::Leftover);
    EXPECT_TRUE(left.contains("P00") && left.contains("P04") && left.contains("P09"));
    EXPECT_TRUE(op.notices.isEmpty());
}

TEST_F(PrepareTest, ExcludedWinOnlyWhenNoOneElseIsLeft)
{
    session.pool = makePool(5, {{0, "a"}, {1, "a"}, {2, "A"}});
    level(0, "4", 10);
    for (int run = 0; run < 30; ++run) {
        prep.prepareDraw();
        const QStringList winners = allNames();
        ASSERT_TRUE(winners.contains("P03") && winners.contains("P04"));
        ASSERT_EQ(dir.lines(files::Leftover).size(), 1);
        ASSERT_TRUE(dir.lines(files::Leftover)[0] <= "P02");
    }
    EXPECT_TRUE(op.notices.isEmpty()) << "no warning outside group mode";

    session.groupModeUnlocked = true;
    prep.prepareDraw();
    EXPECT_EQ(op.notices, QStringList({QStringLiteral("设置的黑名单人数:3 多于未获奖人数:1\r将有黑名单人员会中奖！")}));
    EXPECT_EQ(roundFiles(), 1) << "the warning does not stop the preparation";
}

TEST_F(PrepareTest, RepeatedWinsUseTheLastPositionAsPartnerForExcluded)
{
    // Three ordinary people for three places: the excluded must never win,
    // which needs every position outside the range, the last one included.
    session.pool = makePool(5, {{0, "a"}, {1, "a"}});
    session.settings.options.repeatedWins = true;
    level(0, "3", 10);
    for (int run = 0; run < 100; ++run) {
        prep.prepareDraw();
        EXPECT_EQ(allNames().filter("P0").size(), 3);
        ASSERT_FALSE(allNames().contains("P00") || allNames().contains("P01")) << "run " << run;
    }

    // A later level: partners come from before its range first.
    session.pool = makePool(8, {{6, "a"}, {7, "A"}});
    session.settings.options.order = 1;
    level(0, "3", 10);
    level(1, "3", 10);
    for (int run = 0; run < 100; ++run) {
        prep.prepareDraw();
        ASSERT_FALSE(levelNames(1).contains("P06") || levelNames(1).contains("P07")) << "run " << run;
    }
}

TEST_F(PrepareTest, RepeatedWinsOverTheWholePoolKeepTheExcludedInPlace)
{
    session.pool = makePool(4, {{2, "a"}});
    session.settings.options.repeatedWins = true;
    level(0, "4", 10);
    prep.prepareDraw();
    QStringList winners = allNames();
    winners.sort();
    EXPECT_EQ(winners, QStringList({"P00", "P01", "P02", "P03"}));
}

// ---- Repeated wins ---------------------------------------------------------

TEST_F(PrepareTest, WithoutRepeatedWinsNobodyWinsTwice)
{
    session.pool = makePool(60);
    level(0, "3", 1);
    level(1, "7", 3);
    level(2, "12", 5);
    level(3, "20", 10);
    for (int order : {0, 1}) {
        session.settings.options.order = order;
        prep.prepareDraw();
        const QStringList winners = allNames();
        EXPECT_EQ(winners.size(), 42);
        EXPECT_EQ(QSet<QString>(winners.begin(), winners.end()).size(), 42);
        QStringList everyone = winners + dir.lines(files::Leftover);
        everyone.sort();
        QStringList expected;
        for (const PoolEntry &e : makePool(60))
            expected << QString::fromLatin1(e.displayText);
        EXPECT_EQ(everyone, expected);
        // The remainder is the pool after the winners, in pool order.
        QStringList tail;
        for (size_t i = 42; i < session.pool.size(); ++i)
            tail << QString::fromLatin1(session.pool[i].displayText);
        EXPECT_EQ(dir.lines(files::Leftover), tail);
    }
}

TEST_F(PrepareTest, RepeatedWinsDrawEachLevelFromTheWholePool)
{
    session.pool = makePool(10);
    session.settings.options.repeatedWins = true;
    level(0, "10", 3);
    prep.prepareDraw();
    QStringList winners = allNames();
    winners.sort();
    QStringList everyone;
    for (const PoolEntry &e : makePool(10))
        everyone << QString::fromLatin1(e.displayText);
    EXPECT_EQ(winners, everyone);
    EXPECT_TRUE(dir.bytes(files::Leftover).isEmpty());
    EXPECT_TRUE(dir.folder().exists(files::Leftover));

    level(0, "5", 5);
    level(1, "5", 5);
    bool someoneWonTwice = false;
    for (int run = 0; run < 20; ++run) {
        prep.prepareDraw();
        const QStringList first = levelNames(0), second = levelNames(1);
        EXPECT_EQ(QSet<QString>(first.begin(), first.end()).size(), 5);
        EXPECT_EQ(QSet<QString>(second.begin(), second.end()).size(), 5);
        for (const QString &name : first)
            someoneWonTwice = someoneWonTwice || second.contains(name);
    }
    EXPECT_TRUE(someoneWonTwice);
}

// ---- Empty plans and refusal ---------------------------------------------------

TEST_F(PrepareTest, NoEnabledLevelWritesAnEmptyPlan)
{
    writeOldPlan();
    session.pool = makePool(6);
    prep.prepareDraw();
    EXPECT_EQ(roundFiles(), 0);
    EXPECT_EQ(session.state.roundCount, 0);
    EXPECT_EQ(roundCountFile(), "0");
    EXPECT_EQ(status(), "0");
    QStringList pooled;
    for (const PoolEntry &e : session.pool)
        pooled << QString::fromLatin1(e.displayText);
    EXPECT_EQ(dir.lines(files::Leftover), pooled);
    EXPECT_EQ(screen.head, QString());
    EXPECT_FALSE(screen.prizeTextShown[0] || screen.prizeTextShown[1]);
}

TEST_F(PrepareTest, MoreWinnersThanParticipantsIsRefused)
{
    for (bool repeated : {false, true}) {
        writeOldPlan();
        dir.write(files::Leftover, {"OLDLEFT"});
        session.tooManyWinners = false;
        op.notices.clear();
        session.settings.options.repeatedWins = repeated;
        session.pool = makePool(5);
        session.state.roundCount = 4;
        level(0, "3", 10);
        level(1, "3", 10);
        for (int slot = 1; slot <= 10; ++slot)
            screen.slotText[slot] = QStringLiteral("x");
        prep.prepareDraw();

        EXPECT_EQ(op.notices, QStringList({QStringLiteral("设置的总获奖人数是:6  多于参加的总人数:5\r总获奖人数不得大于总参加人数！")}));
        EXPECT_TRUE(session.tooManyWinners);
        EXPECT_EQ(screen.slotText[5], QStringLiteral("获奖人数（6）多于参加人数（5），当前无法抽奖"));
        for (int slot = 1; slot <= 10; ++slot)
            if (slot != 5)
                EXPECT_TRUE(screen.slotText[slot].isEmpty()) << slot;
        EXPECT_EQ(roundFiles(), 0);
        EXPECT_FALSE(dir.folder().exists(files::levelWinners(0)));
        EXPECT_FALSE(dir.folder().exists(files::WinnersList));
        EXPECT_EQ(session.state.roundCount, 0);
        // The next start prepares afresh instead of offering the vanished plan.
        EXPECT_EQ(status(), "0");
        EXPECT_EQ(roundCountFile(), "0");
        EXPECT_EQ(dir.lines(files::Leftover), QStringList({"OLDLEFT"}));
    }
}

// ---- Clearing the previous draw ----------------------------------------------

TEST_F(PrepareTest, PreparationRemovesThePreviousDrawsResults)
{
    writeOldPlan();
    dir.write(files::round(7), {"0"});
    dir.write(files::levelWinners(3), {"", "x", "()", "y"});
    session.pool = makePool(10);
    level(0, "2", 10);
    prep.prepareDraw();
    EXPECT_EQ(roundFiles(), 1);
    EXPECT_FALSE(dir.folder().exists(files::round(7)));
    EXPECT_FALSE(dir.folder().exists(files::levelWinners(0)));
    EXPECT_FALSE(dir.folder().exists(files::levelWinners(3)));
    EXPECT_FALSE(dir.folder().exists(files::WinnersList));
    EXPECT_FALSE(allNames().join(' ').contains("OLD"));
}

TEST_F(PrepareTest, PlansBeyondFiveHundredRoundsAreWrittenWholeAndClearedUpToFiveHundred)
{
    session.pool = makePool(1000);
    level(0, "999", 1);
    prep.prepareDraw();
    EXPECT_EQ(session.state.roundCount, 999);
    EXPECT_EQ(roundCountFile(), "999");
    EXPECT_TRUE(dir.folder().exists(files::round(998)));
    EXPECT_FALSE(dir.folder().exists(files::round(999)));
    EXPECT_EQ(dir.lines(files::round(998))[1], QStringLiteral("特等奖  (1/999名)"));

    level(0, "2", 1);
    prep.prepareDraw();
    EXPECT_TRUE(dir.folder().exists(files::round(1)));
    for (int n : {2, 250, 500})
        EXPECT_FALSE(dir.folder().exists(files::round(n))) << n;
    for (int n : {501, 998})
        EXPECT_TRUE(dir.folder().exists(files::round(n))) << n;
    EXPECT_EQ(roundCountFile(), "2");
}

// ---- Crashes and errors ----------------------------------------------------------

TEST_F(PrepareTest, QuantitiesOutsideOneTo999NeverReachThePlan)
{
    session.pool = makePool(10);
    level(0, "2", 1);
    for (const char *bad : {"-3", "0", "000", "1000", "99999999999", "+5", " 4x"}) {
        level(1, bad, 1);
        prep.prepareDraw();
        EXPECT_EQ(roundFiles(), 0) << bad;
        EXPECT_EQ(roundCountFile(), "0") << bad;
        EXPECT_EQ(session.state.roundCount, 0) << bad;
    }
    EXPECT_TRUE(op.notices.isEmpty());
    level(1, " 007", 1);
    prep.prepareDraw();
    EXPECT_EQ(roundCountFile(), "9");
}

TEST_F(PrepareTest, AnOldResultThatCannotBeRemovedEndsThePreparation)
{
    writeOldPlan();
    // Something in the way of the removal (here a folder under a winners file's name).
    QDir(dir.path(QStringLiteral("dat"))).mkpath(QStringLiteral("5.dll/x"));
    session.pool = makePool(10);
    level(0, "2", 1);
    prep.prepareDraw();
    EXPECT_EQ(roundFiles(), 0);
    EXPECT_EQ(roundCountFile(), "0");
    EXPECT_EQ(status(), "0");
}

TEST_F(PrepareTest, ErrorsEndThePreparationQuietly)
{
    session.pool = makePool(10);
    level(0, "2", 10);
    level(1, "x1", 10);
    writeOldPlan();
    EXPECT_NO_THROW(prep.prepareDraw());
    EXPECT_TRUE(op.notices.isEmpty());
    EXPECT_EQ(roundFiles(), 0);
    EXPECT_EQ(status(), "0");
    EXPECT_EQ(roundCountFile(), "0") << "the old plan is gone, the new one never counted";
    EXPECT_EQ(session.state.roundCount, 0);

    // A folder that cannot be written: the round files fail, nothing is counted.
    level(1, "3", 10);
    ASSERT_TRUE(QDir(dir.path(QStringLiteral("data"))).removeRecursively());
    dir.write(files::RoundCount, {QStringLiteral("4")});
    EXPECT_NO_THROW(prep.prepareDraw());
    EXPECT_TRUE(op.notices.isEmpty());
    EXPECT_EQ(roundCountFile(), "0");
    EXPECT_EQ(session.state.roundCount, 0) << "no partial plan to draw from";
}

// ---- Award table and screen ------------------------------------------------------

TEST_F(PrepareTest, RefreshAwardTableCopiesEnabledLevelsOnly)
{
    session.awardTable[3].displayName = g("旧名");
    session.awardTable[3].enabled = true;
    level(0, "1", 1, "大奖", "车");
    session.settings.levels[3].displayName = g("新名");
    EXPECT_EQ(prep.refreshAwardTable(), 0);
    EXPECT_EQ(session.awardTable[0].displayName, g("大奖"));
    EXPECT_EQ(session.awardTable[0].prizeText, g("车"));
    EXPECT_TRUE(session.awardTable[0].enabled);
    EXPECT_FALSE(session.awardTable[3].enabled);
    EXPECT_EQ(session.awardTable[3].displayName, g("旧名"));

    session.settings.levels[0].enabled = false;
    EXPECT_EQ(prep.refreshAwardTable(), -1);
    EXPECT_EQ(prep.totalWinners(), 0);
    level(0, "12", 1);
    level(1, "007", 1);
    EXPECT_EQ(prep.totalWinners(), 19);
}

TEST_F(PrepareTest, PreparationAnnouncesTheFirstLevelAndResetsTheScreen)
{
    const QString picture = dir.path(QStringLiteral("pics/prize.jpg"));
    dir.writeBytes(QStringLiteral("pics/prize.jpg"), "jpg");
    session.pool = makePool(10);
    level(0, "1", 1, "特等奖", "汽车");
    level(1, "2", 1, "一等奖", "电脑");
    session.settings.levels[1].picturePath = gbk::encode(picture);
    session.settings.options.prizePosition = 2;
    session.settings.options.title = g("新年晚会");
    screen.slotText[3] = QStringLiteral("old");

    prep.prepareDraw();
    EXPECT_EQ(screen.head, QStringLiteral("准备抽取一等奖2名"));
    EXPECT_EQ(screen.prizeText[0], QStringLiteral("奖品电脑"));
    EXPECT_TRUE(screen.prizeTextShown[0] && screen.prizeTextShown[1]);
    EXPECT_TRUE(screen.prizePictureShown[0] && screen.prizePictureShown[1]);
    EXPECT_EQ(screen.prizePicture[1], picture);
    EXPECT_EQ(screen.rollingStops, 1);
    EXPECT_TRUE(screen.slotText[3].isEmpty());
    EXPECT_EQ(screen.slotText[5], QStringLiteral("空格键开始回车键停止"));
    EXPECT_EQ(screen.caption, QStringLiteral("新年晚会"));
    EXPECT_EQ(screen.captionWidth, 80);

    session.settings.options.order = 1;
    session.settings.options.prizePosition = 1;
    session.settings.options.prizePictureHidden = true;
    session.settings.options.startStopKeys = 1;
    prep.prepareDraw();
    EXPECT_EQ(screen.head, QStringLiteral("准备抽取特等奖1名"));
    EXPECT_FALSE(screen.prizeTextShown[0]);
    EXPECT_EQ(screen.prizeText[1], QStringLiteral("奖品汽车"));
    EXPECT_FALSE(screen.prizePictureShown[0] || screen.prizePictureShown[1]);
    EXPECT_EQ(screen.slotText[5], QStringLiteral("回车键开始空格键停止"));
}

} // namespace
