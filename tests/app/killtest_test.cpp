// Kills the draw (tests/tools/killdriver) at random moments, most of them in
// the middle of a stop, and checks after each kill and the start-up's recovery
// that every drawn round stands exactly once, in order, in its level's winners
// file, that no later round does, and that the winners list matches the level
// files. SORVIX_KILL_COUNT sets the number of kills (50 by default);
// SORVIX_KILLDRIVER the driver (default: beside the test program).

#include "base/folderlock.h"
#include "base/gbk.h"
#include "engine/drawfiles.h"
#include "engine/winners.h"
#include "settings/awardsettings.h"
#include "support/headlessprogram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <thread>
#include <vector>

using namespace sorvix;
using namespace sorvix::test;

namespace {

constexpr int Levels = 6;
constexpr int Rounds = 300;

QString driverPath()
{
    const QString fromEnv = qEnvironmentVariable("SORVIX_KILLDRIVER");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("killdriver"));
}

int killCount()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("SORVIX_KILL_COUNT", &ok);
    return ok && n > 0 ? n : 50;
}

class KillTest : public ::testing::Test
{
protected:
    HeadlessProgram program{HeadlessProgram::Files::None};
    TestFolder &tf = program.dir;
    AwardSettings settings = AwardSettings::defaults();
    std::vector<RoundFile> plan;

    // Levels 5 down to 0, rounds of 1 to 10 distinct names, as a small-prizes-
    // first plan is laid out.
    void writePlan()
    {
        for (int k = 0; k < LevelCount; ++k) {
            settings.levels[k].enabled = k < Levels;
            settings.levels[k].prizeText = gbk::encode(QStringLiteral("奖品%1").arg(k));
            settings.levels[k].quantity = "999";
        }
        awardfile::save(tf.folder(), settings);
        QStringList people;
        for (int i = 0; i < 16; ++i)
            people << QStringLiteral("参加者%1|||%1|").arg(i);
        tf.writeList(people);
        QRandomGenerator random(20261207);
        int person = 0;
        for (int n = 0; n < Rounds; ++n) {
            const int level = Levels - 1 - n * Levels / Rounds;
            Lines names;
            const int w = 1 + int(random.bounded(10));
            for (int i = 0; i < w; ++i)
                names << gbk::encode(QStringLiteral("参加者%1").arg(person++));
            plan.push_back(RoundFile::planRound(level, settings.levels[level].displayName,
                                                settings.levels[level].prizeText, "999", 0, names));
            plan.back().writeUnsynced(tf.folder(), files::round(n));
        }
        textfile::syncFolder(tf.root());
        drawfiles::writeRoundCount(tf.folder(), Rounds);
        restartPlan();
    }

    // The plan with its first round drawn and recorded: a start-up on a plan
    // of which nothing is drawn yet prepares a new one.
    void restartPlan()
    {
        for (int k = 0; k < LevelCount; ++k)
            tf.folder().remove(files::levelWinners(k));
        const RoundFile &first = plan.front();
        const AwardLevel &level = settings.levels[size_t(first.level())];
        levelwinners::create(tf.folder(), first.level(), level.displayName, level.prizeText, first.names);
        winners::rebuildList(tf.folder(), Levels - 1);
        drawfiles::writeStatus(tf.folder(), 1);
    }

    // The start-up as the program does it, recovery included; returns the
    // rounds drawn, or -1 when status.dll can't be read.
    int startUp(bool *recovered)
    {
        int before = 0;
        try {
            before = drawfiles::readStatus(tf.folder());
        } catch (const std::exception &) {
            return -1;
        }
        const Draw &draw = program.start();
        *recovered = draw.state().roundIndex() == before + 1;
        const int index = draw.state().roundIndex();
        if (drawfiles::readStatus(tf.folder()) != index)
            return -1;
        return index;
    }

    // Describes the first inconsistency found, empty when none.
    std::string inconsistency(int drawn)
    {
        if (drawn < 0 || drawn > Rounds)
            return "status.dll unreadable or out of range";
        Lines expected[LevelCount];
        bool used[LevelCount] = {};
        for (int n = 0; n < drawn; ++n) {
            expected[plan[n].level()].append(plan[n].names);
            used[plan[n].level()] = true;
        }
        Lines all;
        for (int k = 0; k < Levels; ++k) {
            const bool exists = levelwinners::exists(tf.folder(), k);
            if (exists != used[k])
                return "level " + std::to_string(k) + (exists ? " has a file before its first round" : " file missing");
            if (!exists)
                continue;
            const Lines lines = tf.folder().readLines(files::levelWinners(k));
            const Lines header = levelwinners::header(settings.levels[k].displayName, settings.levels[k].prizeText);
            if (lines.mid(0, 3) != header)
                return "level " + std::to_string(k) + " header";
            if (lines.mid(3) != expected[k])
                return "level " + std::to_string(k) + " holds " + std::to_string(lines.size() - 3) + " names, expected "
                    + std::to_string(expected[k].size());
            all.append(lines);
        }
        const Lines list = tf.folder().exists(files::WinnersList) ? tf.folder().readLines(files::WinnersList) : Lines();
        if (list != all)
            return "winners list differs from the level files";
        return {};
    }
};

TEST_F(KillTest, EveryDrawnRoundStandsOnceAfterKillsMidStop)
{
    const QString driver = driverPath();
    if (!QFileInfo(driver).isExecutable())
        GTEST_SKIP() << "no kill driver at " << driver.toStdString();
    writePlan();

    const int kills = killCount();
    int killed = 0;
    int recoveries = 0;
    int completedPlans = 0;
    int roundsDrawn = 0;
    int inconsistencies = 0;
    std::string firstProblem;
    int lastIndex = 1;
    auto *random = QRandomGenerator::global();

    while (killed < kills) {
        QProcess process;
        process.start(driver, {tf.root()});
        ASSERT_TRUE(process.waitForStarted(5000));
        // Counted from the driver's own start-up done, so the kill lands in
        // the draw loop: start, tick, stop with its three writes.
        ASSERT_TRUE(process.waitForReadyRead(5000)) << process.readAllStandardError().toStdString();
        std::this_thread::sleep_for(std::chrono::microseconds(random->bounded(20001)));
        process.kill();
        process.waitForFinished(5000);
        const bool finished = process.exitStatus() == QProcess::NormalExit;
        if (finished)
            ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        else
            ++killed;

        bool recovered = false;
        const int drawn = startUp(&recovered);
        recoveries += recovered ? 1 : 0;
        const std::string problem = inconsistency(drawn);
        if (!problem.empty()) {
            ++inconsistencies;
            if (firstProblem.empty())
                firstProblem = "after kill " + std::to_string(killed) + ": " + problem;
        }
        if (drawn >= lastIndex)
            roundsDrawn += drawn - lastIndex;
        lastIndex = drawn;
        if (drawn == Rounds) {
            ++completedPlans;
            restartPlan();
            lastIndex = 1;
        }
    }

    std::cout << "kills: " << killed << ", inconsistencies: " << inconsistencies
              << ", rounds counted by recovery: " << recoveries << ", rounds drawn: " << roundsDrawn
              << ", plans completed: " << completedPlans << std::endl;
    EXPECT_EQ(inconsistencies, 0) << firstProblem;
    // Most kills must land after some progress, or the test proves nothing.
    EXPECT_GT(roundsDrawn, kills / 2);
}

TEST_F(KillTest, SecondStartOnAFolderInUseChangesNothingAndAKilledOnesLockIsTakenAtOnce)
{
    const QString driver = driverPath();
    if (!QFileInfo(driver).isExecutable())
        GTEST_SKIP() << "no kill driver at " << driver.toStdString();
    writePlan();
    const auto snapshot = [&] {
        QStringList all;
        for (const QString &dir : {QString(), QStringLiteral("data"), QStringLiteral("dat")})
            for (const QFileInfo &f : QDir(tf.root() + '/' + dir).entryInfoList(QDir::Files))
                all << f.fileName() + ':' + QString::fromLatin1(tf.bytes(dir + '/' + f.fileName()).toHex());
        return all;
    };
    QProcess first;
    first.start(driver, {tf.root(), QStringLiteral("--hold")});
    ASSERT_TRUE(first.waitForReadyRead(5000)) << first.readAllStandardError().toStdString();
    const QStringList before = snapshot();

    QProcess second;
    second.start(driver, {tf.root()});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 5);
    EXPECT_EQ(snapshot(), before);
    // Another folder is not held.
    TestFolder other;
    EXPECT_TRUE(FolderLock(other.root()).tryLock());

    first.kill();
    first.waitForFinished(5000);
    QProcess next;
    next.start(driver, {tf.root()});
    ASSERT_TRUE(next.waitForFinished(30000));
    EXPECT_EQ(next.exitCode(), 0) << next.readAllStandardError().toStdString();
    EXPECT_EQ(drawfiles::readStatus(tf.folder()), Rounds);
}

} // namespace
