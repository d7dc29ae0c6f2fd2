// The round plan, prepared by the draw on its own files: at start-up and
// after the editors' saves, as the program prepares it.

#include "base/errors.h"
#include "support/drawsetup.h"

#include <QDir>
#include <QSet>

#include <functional>

#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

class PrepareTest : public ::testing::Test, public DrawSetup
{
protected:
    // The pool's first `count` display texts, as the plan has ordered them.
    QStringList pooled(int count = -1) const
    {
        QStringList texts;
        for (const PoolEntry &e : draw->pool())
            texts << QString::fromLatin1(e.displayText);
        return count < 0 ? texts : texts.mid(0, count);
    }
    static QStringList sorted(QStringList list)
    {
        list.sort();
        return list;
    }
};

// ---- Round files ----------------------------------------------------------

TEST_F(PrepareTest, RoundFilesFollowQuantityAndPerRound)
{
    people(20);
    level(1, "12", 5, "一等奖", "笔记本电脑");
    start();

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
    EXPECT_EQ(draw->state().roundCount(), 3);
    EXPECT_EQ(firstLine(files::RoundCount), "3");
    EXPECT_EQ(firstLine(files::Status), "0");
    EXPECT_EQ(dir.lines(files::Leftover).size(), 8);
    // GBK bytes, every line ended by CR LF.
    const QByteArray bytes = dir.bytes(files::round(2));
    EXPECT_TRUE(bytes.startsWith("1\r\n" + gbk::fromUtf8("一等奖 笔记本电脑 (2/12名)") + "\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 6);
    EXPECT_EQ(bytes.count('\n'), 6);

    level(1, "3", 5);
    prepare();
    ASSERT_EQ(roundFiles(), 1);
    EXPECT_TRUE(round(0)[1].endsWith(QStringLiteral("(3/3名)")));
    EXPECT_TRUE(round(0)[2].endsWith(QStringLiteral("已抽取0名")));
    EXPECT_TRUE(round(0)[3].endsWith(QStringLiteral("已抽取3名")));
    EXPECT_EQ(names(0).size(), 3);

    level(1, "10", 5);
    prepare();
    EXPECT_EQ(roundFiles(), 2);
    EXPECT_EQ(names(0).size(), 5);
    EXPECT_EQ(names(1).size(), 5);

    // One winner: a five-line file; ten: fourteen lines.
    level(1, "1", 1);
    prepare();
    EXPECT_EQ(round(0).size(), 5);
    level(1, "10", 10);
    prepare();
    EXPECT_EQ(round(0).size(), 14);

    // A quantity keeps its typed text and counts by its value.
    level(1, "007", 5, "一等奖", "奖");
    prepare();
    ASSERT_EQ(roundFiles(), 2);
    EXPECT_EQ(round(0)[1], QStringLiteral("一等奖 奖 (5/007名)"));
    EXPECT_EQ(round(1)[2], QStringLiteral("准备抽取一等奖2名，共007名，已抽取5名"));
    EXPECT_EQ(round(1)[3], QStringLiteral("本轮已抽取一等奖2名，共007名，已抽取7名"));
    EXPECT_EQ(allNames().size(), 7);
    EXPECT_EQ(screen.head, QStringLiteral("准备抽取一等奖007名"));
}

// ---- Draw orders and preset winners ----------------------------------------

TEST_F(PrepareTest, EachDrawOrderTakesTheLevelsInTurnFromTheirPoolRanges)
{
    // Small prizes first: from the highest level down.
    people(12, {{3, "0"}});
    settings.options.order = 0;
    level(0, "1", 10);
    level(1, "2", 10);
    level(2, "5", 10);
    const std::vector<LevelRange> ranges = plan::levelRanges(settings);
    ASSERT_EQ(ranges.size(), 3u);
    EXPECT_EQ((std::vector<int>{ranges[0].level, ranges[0].start, ranges[0].end}), (std::vector<int>{2, 0, 5}));
    EXPECT_EQ((std::vector<int>{ranges[1].level, ranges[1].start, ranges[1].end}), (std::vector<int>{1, 5, 7}));
    EXPECT_EQ((std::vector<int>{ranges[2].level, ranges[2].start, ranges[2].end}), (std::vector<int>{0, 7, 8}));
    start();
    for (int run = 0; run < 20; ++run) {
        draw->prepareAnew();
        EXPECT_EQ(roundLevels(), (std::vector<int>{2, 1, 0}));
        EXPECT_EQ(names(2), QStringList({"P03"}));
        // The rounds take the pool positions of their ranges.
        QStringList inPool = pooled(8);
        QStringList inFiles = allNames();
        for (auto *list : {&inPool, &inFiles}) {
            std::sort(list->begin(), list->begin() + 5);
            std::sort(list->begin() + 5, list->begin() + 7);
        }
        EXPECT_EQ(inFiles, inPool);
    }
    EXPECT_EQ(screen.head, QStringLiteral("准备抽取二等奖5名"));

    // Big prizes first: from the grand prize up.
    people(12, {{0, "2"}, {11, "1"}});
    settings.options.order = 1;
    level(0, "1", 10, "头奖");
    save();
    for (int run = 0; run < 20; ++run) {
        draw->prepareAnew();
        EXPECT_EQ(roundLevels(), (std::vector<int>{0, 1, 2}));
        EXPECT_TRUE(names(1).contains("P11"));
        EXPECT_TRUE(names(2).contains("P00"));
    }
    // The announcement names the grand prize by its fixed name.
    EXPECT_EQ(screen.head, QStringLiteral("准备抽取特等奖1名"));
}

TEST_F(PrepareTest, PresetWinnersWinTheirLevelWhileItHasRoom)
{
    // Drawn in their level's first round, in both orders and pool modes.
    people(40, {{5, "1"}, {39, "1"}});
    level(0, "5", 5);
    level(1, "10", 5);
    level(2, "10", 5);
    start();
    for (bool repeated : {false, true}) {
        settings.options.repeatedWins = repeated;
        for (int order : {0, 1}) {
            settings.options.order = order;
            save();
            for (int run = 0; run < 10; ++run) {
                draw->prepareAnew();
                const std::vector<int> levels = roundLevels();
                const int first = int(std::find(levels.begin(), levels.end(), 1) - levels.begin());
                ASSERT_LT(first, int(levels.size()));
                EXPECT_TRUE(names(first).contains("P05") && names(first).contains("P39"))
                    << "repeated " << repeated << " order " << order;
            }
        }
    }

    // Tagged people before the level's range and inside it: all of them win
    // the level, whichever positions the shuffle gave them.
    people(30, {{2, "1"}, {9, "1"}, {17, "1"}, {25, "1"}});
    settings.options = {};
    settings.options.order = 1;
    settings.levels[2].enabled = false;
    level(0, "6", 10);
    level(1, "5", 10);
    save();
    for (int run = 0; run < 200; ++run) {
        draw->prepareAnew();
        const QStringList winners = allNames(1);
        for (const char *tagged : {"P02", "P09", "P17", "P25"})
            ASSERT_TRUE(winners.contains(QLatin1String(tagged))) << tagged << " run " << run;
    }

    // Beyond the quantity they are ordinary.
    people(30, {{4, "1"}, {20, "1"}});
    level(1, "1", 1);
    save();
    for (int run = 0; run < 30; ++run) {
        draw->prepareAnew();
        const QStringList first = allNames(1);
        ASSERT_EQ(first.size(), 1);
        EXPECT_TRUE(first[0] == "P04" || first[0] == "P20");
    }
}

// ---- Excluded participants -------------------------------------------------

TEST_F(PrepareTest, ExcludedStayOutWhileOthersRemainInBothPoolModes)
{
    people(10, {{0, "a"}, {4, "A"}, {9, "a"}});
    level(0, "2", 10);
    level(1, "2", 10);
    level(2, "3", 10);
    start();
    for (bool repeated : {false, true}) {
        settings.options.repeatedWins = repeated;
        save();
        for (int run = 0; run < 50; ++run) {
            draw->prepareAnew();
            const QStringList winners = allNames();
            ASSERT_EQ(winners.size(), 7);
            for (const char *excluded : {"P00", "P04", "P09"})
                ASSERT_FALSE(winners.contains(QLatin1String(excluded))) << excluded << " repeated " << repeated;
        }
    }
    // Without repeated wins the excluded are among the non-winners.
    settings.options.repeatedWins = false;
    prepare();
    const QStringList left = dir.lines(files::Leftover);
    EXPECT_TRUE(left.contains("P00") && left.contains("P04") && left.contains("P09"));
    EXPECT_TRUE(op.notices.isEmpty());
}

TEST_F(PrepareTest, ExcludedWinOnlyWhenNoOneElseIsLeft)
{
    people(5, {{0, "a"}, {1, "a"}, {2, "A"}});
    level(0, "4", 10);
    start();
    for (int run = 0; run < 30; ++run) {
        draw->prepareAnew();
        const QStringList winners = allNames();
        ASSERT_TRUE(winners.contains("P03") && winners.contains("P04"));
        ASSERT_EQ(dir.lines(files::Leftover).size(), 1);
        ASSERT_TRUE(dir.lines(files::Leftover)[0] <= "P02");
    }
    EXPECT_TRUE(op.notices.isEmpty()) << "no warning outside group mode";

    // Group mode is open in the list editor.
    draw->setGroupModeUnlocked(true);
    draw->prepareAnew();
    EXPECT_EQ(op.notices, QStringList({QStringLiteral("设置的黑名单人数:3 多于未获奖人数:1\r将有黑名单人员会中奖！")}));
    EXPECT_EQ(roundFiles(), 1) << "the warning does not stop the preparation";

    // With repeated wins, over the whole pool.
    people(4, {{2, "a"}});
    settings.options.repeatedWins = true;
    prepare();
    EXPECT_EQ(sorted(allNames()), QStringList({"P00", "P01", "P02", "P03"}));
}

TEST_F(PrepareTest, RepeatedWinsUseTheLastPositionAsPartnerForExcluded)
{
    // Three ordinary people for three places: the excluded must never win,
    // which needs every position outside the range, the last one included.
    people(5, {{0, "a"}, {1, "a"}});
    settings.options.repeatedWins = true;
    level(0, "3", 10);
    start();
    for (int run = 0; run < 100; ++run) {
        draw->prepareAnew();
        EXPECT_EQ(allNames().filter("P0").size(), 3);
        ASSERT_FALSE(allNames().contains("P00") || allNames().contains("P01")) << "run " << run;
    }

    // A later level: partners come from before its range first.
    people(8, {{6, "a"}, {7, "A"}});
    settings.options.order = 1;
    level(0, "3", 10);
    level(1, "3", 10);
    save();
    for (int run = 0; run < 100; ++run) {
        draw->prepareAnew();
        ASSERT_FALSE(allNames(1).contains("P06") || allNames(1).contains("P07")) << "run " << run;
    }
}

// ---- Repeated wins ---------------------------------------------------------

TEST_F(PrepareTest, WithoutRepeatedWinsNobodyWinsTwice)
{
    people(60);
    level(0, "3", 1);
    level(1, "7", 3);
    level(2, "12", 5);
    level(3, "20", 10);
    start();
    const QStringList everyone = sorted(pooled());
    for (int order : {0, 1}) {
        settings.options.order = order;
        prepare();
        const QStringList winners = allNames();
        EXPECT_EQ(winners.size(), 42);
        EXPECT_EQ(QSet<QString>(winners.begin(), winners.end()).size(), 42);
        EXPECT_EQ(sorted(winners + dir.lines(files::Leftover)), everyone);
        // The remainder is the pool after the winners, in pool order.
        EXPECT_EQ(dir.lines(files::Leftover), pooled().mid(42));
    }
}

TEST_F(PrepareTest, RepeatedWinsDrawEachLevelFromTheWholePool)
{
    people(10);
    settings.options.repeatedWins = true;
    level(0, "10", 3);
    start();
    EXPECT_EQ(sorted(allNames()), sorted(pooled()));
    EXPECT_TRUE(dir.bytes(files::Leftover).isEmpty());
    EXPECT_TRUE(dir.folder().exists(files::Leftover));

    level(0, "5", 5);
    level(1, "5", 5);
    bool someoneWonTwice = false;
    save();
    for (int run = 0; run < 20; ++run) {
        draw->prepareAnew();
        const QStringList first = allNames(0), second = allNames(1);
        EXPECT_EQ(QSet<QString>(first.begin(), first.end()).size(), 5);
        EXPECT_EQ(QSet<QString>(second.begin(), second.end()).size(), 5);
        for (const QString &name : first)
            someoneWonTwice = someoneWonTwice || second.contains(name);
    }
    EXPECT_TRUE(someoneWonTwice);
}

// ---- Empty plans, refusal and what a preparation discards -------------------

TEST_F(PrepareTest, TheAwardSaveDrawsFromTheListOnDisk)
{
    people(6);
    level(0, "2", 1);
    start();
    QStringList everyone;
    for (int i = 0; i < 8; ++i)
        everyone << person(i);
    // A list written behind the draw's back is the one the next plan takes.
    ParticipantList::save(dir.folder(), rows(8));
    prepare();
    EXPECT_EQ(sorted(pooled()), everyone);
    EXPECT_EQ(sorted(allNames() + dir.lines(files::Leftover)), everyone);
    // Saved again on the same list, the plan still takes everyone on it.
    prepare();
    EXPECT_EQ(sorted(allNames() + dir.lines(files::Leftover)), everyone);
}

TEST_F(PrepareTest, NoEnabledLevelWritesAnEmptyPlan)
{
    people(6);
    level(0, "2", 1, "特等奖", "汽车");
    start();
    drawRound();
    ASSERT_FALSE(screen.head.isEmpty());
    ASSERT_TRUE(screen.prizeTextShown[0]);

    settings.levels[0].enabled = false;
    prepare();
    EXPECT_EQ(roundFiles(), 0);
    EXPECT_EQ(draw->state().roundCount(), 0);
    EXPECT_EQ(firstLine(files::RoundCount), "0");
    EXPECT_EQ(firstLine(files::Status), "0");
    EXPECT_FALSE(dir.folder().exists(files::levelWinners(0)));
    EXPECT_EQ(dir.lines(files::Leftover), pooled());
    EXPECT_EQ(screen.head, QString());
    EXPECT_FALSE(screen.prizeTextShown[0] || screen.prizeTextShown[1]);
}

TEST_F(PrepareTest, MoreWinnersThanParticipantsIsRefused)
{
    people(5);
    start();
    for (bool repeated : {false, true}) {
        // A plan of which one round is drawn and recorded.
        settings.levels[1].enabled = false;
        level(0, "2", 1);
        settings.options.repeatedWins = repeated;
        ASSERT_EQ(prepare(), Draw::Prepared::Done);
        drawRound();
        ASSERT_TRUE(dir.folder().exists(files::levelWinners(0)));
        const QByteArray leftover = dir.bytes(files::Leftover);
        op.notices.clear();

        level(0, "3", 10);
        level(1, "3", 10);
        for (int slot = 1; slot <= 10; ++slot)
            screen.slotText[slot] = QStringLiteral("x");
        EXPECT_EQ(prepare(), Draw::Prepared::Refused);

        EXPECT_EQ(op.notices, QStringList({QStringLiteral("设置的总获奖人数是:6  多于参加的总人数:5\r总获奖人数不得大于总参加人数！")}));
        EXPECT_EQ(screen.slotText[5], QStringLiteral("获奖人数（6）多于参加人数（5），当前无法抽奖"));
        for (int slot = 1; slot <= 10; ++slot)
            if (slot != 5)
                EXPECT_TRUE(screen.slotText[slot].isEmpty()) << slot;
        EXPECT_EQ(roundFiles(), 0);
        EXPECT_FALSE(dir.folder().exists(files::levelWinners(0)));
        EXPECT_FALSE(dir.folder().exists(files::WinnersList));
        EXPECT_EQ(draw->state().roundCount(), 0);
        // The next start prepares afresh instead of offering the vanished plan.
        EXPECT_EQ(firstLine(files::Status), "0");
        EXPECT_EQ(firstLine(files::RoundCount), "0");
        EXPECT_EQ(dir.bytes(files::Leftover), leftover);
    }
}

TEST_F(PrepareTest, PreparationRemovesThePreviousDrawsResults)
{
    // An earlier plan in progress, four rounds of which two are drawn, and
    // stray files of older draws; the operator chooses to draw anew.
    for (int n = 0; n < 4; ++n)
        dir.write(files::round(n), {QStringLiteral("0"), "c", "b", "a", QStringLiteral("OLD%1").arg(n)});
    dir.write(files::Status, {QStringLiteral("2")});
    dir.write(files::RoundCount, {QStringLiteral("4")});
    dir.write(files::levelWinners(0), {"", QStringLiteral("特等奖"), "()", "OLD0", "OLD1"});
    dir.write(files::WinnersList, {"", QStringLiteral("特等奖"), "()", "OLD0", "OLD1"});
    dir.write(files::round(7), {"0"});
    dir.write(files::levelWinners(3), {"", "x", "()", "y"});
    people(10);
    level(0, "2", 10);
    op.answers = {OperatorPort::Answer::No};
    start();

    EXPECT_EQ(op.questions, QStringList({QStringLiteral("上次抽奖还未完成，是否继续？\r【是】继续之前的抽奖，【否】重新抽奖。")}));
    EXPECT_EQ(roundFiles(), 1);
    EXPECT_FALSE(dir.folder().exists(files::round(7)));
    EXPECT_FALSE(dir.folder().exists(files::levelWinners(0)));
    EXPECT_FALSE(dir.folder().exists(files::levelWinners(3)));
    EXPECT_FALSE(dir.folder().exists(files::WinnersList));
    EXPECT_FALSE(allNames().join(' ').contains("OLD"));
    EXPECT_EQ(firstLine(files::Status), "0");
}

TEST_F(PrepareTest, PlansBeyondFiveHundredRoundsAreWrittenWholeAndClearedUpToFiveHundred)
{
    people(1000);
    level(0, "999", 1);
    start();
    EXPECT_EQ(draw->state().roundCount(), 999);
    EXPECT_EQ(firstLine(files::RoundCount), "999");
    EXPECT_TRUE(dir.folder().exists(files::round(998)));
    EXPECT_FALSE(dir.folder().exists(files::round(999)));
    EXPECT_EQ(dir.lines(files::round(998))[1], QStringLiteral("特等奖  (1/999名)"));

    level(0, "2", 1);
    prepare();
    EXPECT_TRUE(dir.folder().exists(files::round(1)));
    for (int n : {2, 250, 500})
        EXPECT_FALSE(dir.folder().exists(files::round(n))) << n;
    for (int n : {501, 998})
        EXPECT_TRUE(dir.folder().exists(files::round(n))) << n;
    EXPECT_EQ(firstLine(files::RoundCount), "2");
}

// ---- Failures ------------------------------------------------------------------

// A failure ends the preparation where it happened and reaches the caller,
// who tells the operator; whatever the point, no plan is counted.
TEST_F(PrepareTest, AFailureEndsThePreparationWithNoPlanCounted)
{
    people(10);
    level(0, "2", 1);
    level(1, "3", 1);
    start();
    const auto failsWithNoPlan = [this](const std::function<void()> &obstruct, const QString &reason) {
        const std::string what = reason.toStdString();
        ASSERT_EQ(prepare(), Draw::Prepared::Done) << what;
        ASSERT_EQ(draw->state().roundCount(), 5) << what;
        obstruct();
        try {
            draw->prepareAnew();
            ADD_FAILURE() << what << ": no failure";
        } catch (const OperationError &error) {
            EXPECT_TRUE(error.message().contains(reason)) << error.message().toStdString();
        }
        EXPECT_EQ(roundFiles(), 0) << what;
        EXPECT_EQ(firstLine(files::RoundCount), "0") << what << ": the old plan is gone, the new one never counted";
        EXPECT_EQ(firstLine(files::Status), "0") << what;
        EXPECT_EQ(draw->state().roundCount(), 0) << what;
    };

    // Quantities outside 1 to 999, which the editor never lets through.
    for (const char *bad : {"-3", "0", "000", "1000", "99999999999", "+5", " 4x", "x1"}) {
        failsWithNoPlan([&] {
            level(1, bad, 1);
            draw->saveAwardSettings(settings);
        }, QStringLiteral("“%1”不是有效的获奖人数").arg(QString::fromLatin1(bad)));
        level(1, "3", 1);
    }
    level(1, " 007", 1);
    prepare();
    EXPECT_EQ(firstLine(files::RoundCount), "9");
    level(1, "3", 1);

    // An old result that cannot be removed (a folder under a winners file's name).
    const QString blocked = dir.path(files::levelWinners(5));
    failsWithNoPlan([&] { ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/x"))); },
                    QStringLiteral("无法删除文件：") + QDir::toNativeSeparators(blocked));
    ASSERT_TRUE(QDir(blocked).removeRecursively());

    // A folder that cannot be written: the round files fail.
    failsWithNoPlan([&] { ASSERT_TRUE(QDir(dir.path(QStringLiteral("data"))).removeRecursively()); },
                    QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(dir.path(files::round(0))));
    EXPECT_TRUE(op.notices.isEmpty()) << "the caller tells";
}

TEST(PlanTest, TotalWinnersCountsTheEnabledLevelsByValue)
{
    AwardSettings settings = AwardSettings::defaults();
    for (AwardLevel &level : settings.levels)
        level.enabled = false;
    EXPECT_EQ(plan::totalWinners(settings), 0);
    settings.levels[0] = {true, "a", "12", {}, {}, 1};
    settings.levels[1] = {true, "b", "007", {}, {}, 1};
    settings.levels[2] = {false, "c", "x", {}, {}, 1};
    EXPECT_EQ(plan::totalWinners(settings), 19);
    settings.levels[2].enabled = true;
    EXPECT_THROW(plan::totalWinners(settings), OperationError);
}

// ---- The screen ----------------------------------------------------------------

TEST_F(PrepareTest, PreparationAnnouncesTheFirstLevelAndResetsTheScreen)
{
    const QString picture = dir.path(QStringLiteral("pics/prize.jpg"));
    dir.writeBytes(QStringLiteral("pics/prize.jpg"), "jpg");
    people(10);
    level(0, "1", 1, "特等奖", "汽车");
    level(1, "2", 1, "一等奖", "电脑").picturePath = gbk::encode(picture);
    settings.options.title = gbk::fromUtf8("新年晚会");
    start();
    draw->setPrizePosition(2);
    screen.slotText[3] = QStringLiteral("old");
    // A round rolls while the list editor saves.
    draw->start();
    ASSERT_TRUE(draw->rolling());

    draw->prepareAnew();
    EXPECT_EQ(screen.head, QStringLiteral("准备抽取一等奖2名"));
    EXPECT_EQ(screen.prizeText[0], QStringLiteral("奖品电脑"));
    EXPECT_TRUE(screen.prizeTextShown[0] && screen.prizeTextShown[1]);
    EXPECT_TRUE(screen.prizePictureShown[0] && screen.prizePictureShown[1]);
    EXPECT_EQ(screen.prizePicture[1], picture);
    EXPECT_FALSE(draw->rolling());
    EXPECT_EQ(screen.rollingStops, 1);
    EXPECT_TRUE(screen.slotText[3].isEmpty());
    EXPECT_EQ(screen.slotText[5], QStringLiteral("空格键开始回车键停止"));
    EXPECT_EQ(screen.caption, QStringLiteral("新年晚会"));
    EXPECT_EQ(screen.captionWidth, 80);

    settings.options.order = 1;
    settings.options.prizePictureHidden = true;
    settings.options.startStopKeys = 1;
    draw->setPrizePosition(1);
    prepare();
    EXPECT_EQ(screen.head, QStringLiteral("准备抽取特等奖1名"));
    EXPECT_FALSE(screen.prizeTextShown[0]);
    EXPECT_EQ(screen.prizeText[1], QStringLiteral("奖品汽车"));
    EXPECT_FALSE(screen.prizePictureShown[0] || screen.prizePictureShown[1]);
    EXPECT_EQ(screen.slotText[5], QStringLiteral("回车键开始空格键停止"));
}

} // namespace
