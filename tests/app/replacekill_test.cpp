// Kills the replacement driver (tests/tools/replacedriver) while it saves
// participant lists or imports bundles over and over: three kills in four as
// it begins a rename (the journal's or a target's), the others at a random
// moment. After each kill the start-up's completion runs, and the folder must
// hold one save whole: the five columns as long as each other, no row with
// two people's fields, every file of the same save, nothing staged left.
// SORVIX_KILL_COUNT sets the kills per test (30 by default);
// SORVIX_REPLACEDRIVER the driver (default: beside the test program).

#include "base/programfolder.h"
#include "base/textfile.h"
#include "tools/replacesets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>
#include <thread>

using namespace sorvix;
using namespace sorvix::test;

namespace {

QString driverPath()
{
    return qEnvironmentVariable("SORVIX_REPLACEDRIVER",
                                QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("replacedriver")));
}

int killCount()
{
    const int n = qEnvironmentVariableIntValue("SORVIX_KILL_COUNT");
    return n > 0 ? n : 30;
}

using Files = std::map<QString, QByteArray>;

Files filesOf(const std::vector<MemberFile> &members)
{
    Files files;
    for (const MemberFile &member : members)
        files[member.name] = member.contents;
    return files;
}

// On a memory file system where there is one: a killed process loses
// nothing that a sync keeps, and the syncs would slow every kill tenfold.
QString scratchTemplate()
{
    const QString shm = QStringLiteral("/dev/shm");
    return (QFileInfo(shm).isWritable() ? shm : QDir::tempPath()) + QStringLiteral("/sorvix-replace-XXXXXX");
}

class ReplaceKillTest : public ::testing::Test
{
protected:
    QTemporaryDir dir{scratchTemplate()};
    ProgramFolder folder{dir.path()};
    int rowsDisagreeing = 0;
    int kills = 0;
    int killsAtRename = 0;
    int finishedByCompletion = 0;

    // Makes the folder hold `files` and nothing else.
    void lay(const Files &files) const
    {
        for (const QString &name : QDir(dir.path()).entryList(QDir::Files))
            textfile::remove(folder.path(name));
        for (const auto &[name, bytes] : files)
            textfile::writeAll(folder.path(name), bytes);
    }

    Files onDisk() const
    {
        Files files;
        for (const QString &name : QDir(dir.path()).entryList(QDir::Files))
            files[name] = textfile::readAll(folder.path(name));
        return files;
    }

    // Counts the rows of the list on disk whose fields are not one person's;
    // describes the first fault of the list, empty when none.
    std::string listFault()
    {
        const ParticipantList list = ParticipantList::load(folder);
        int disagreeing = 0;
        for (int i = 0; i < list.count(); ++i) {
            const Participant p = list.participant(i);
            disagreeing += replacesets::personOf({p.name, p.mobile, p.idNumber, p.workId, p.group}) < 0;
        }
        rowsDisagreeing += disagreeing;
        for (int c = 1; c < ColumnCount; ++c)
            if (list.columns[c].size() != list.columns[ColName].size())
                return "columns of unequal length";
        return disagreeing > 0 ? std::to_string(disagreeing) + " rows of two people" : "";
    }

    // Kills the driver in `mode`, started from `start` each time, again and
    // again; after each kill and completion the folder must hold one of `whole`.
    void killAndCheck(const char *mode, const Files &start, const std::vector<Files> &whole)
    {
        const QString driver = driverPath();
        if (!QFileInfo(driver).isExecutable())
            GTEST_SKIP() << "no replacement driver at " << driver.toStdString();
        auto *random = QRandomGenerator::global();
        int inconsistencies = 0;
        std::string firstProblem;
        for (kills = 0; kills < killCount(); ++kills) {
            lay(start);
            const bool atRename = random->bounded(4) != 0;
            QProcess process;
            process.start(driver, {dir.path(), QString::fromLatin1(mode),
                                   QString::number(atRename ? 1 + random->bounded(40) : 0)});
            ASSERT_TRUE(process.waitForReadyRead(5000)) << process.readAllStandardError().toStdString();
            if (!atRename) {
                std::this_thread::sleep_for(std::chrono::microseconds(random->bounded(20001)));
                process.kill();
            }
            ASSERT_TRUE(process.waitForFinished(5000));
            ASSERT_EQ(process.exitStatus(), QProcess::CrashExit) << process.readAllStandardError().toStdString();
            killsAtRename += atRename;

            finishedByCompletion += textfile::completeReplacement(dir.path());
            std::string problem = listFault();
            const Files files = onDisk();
            if (problem.empty() && std::find(whole.begin(), whole.end(), files) == whole.end())
                problem = "files of two saves, or a file left over";
            if (!problem.empty() && inconsistencies++ == 0)
                firstProblem = "after kill " + std::to_string(kills + 1) + ": " + problem;
        }
        std::cout << mode << ": kills " << kills << " (" << killsAtRename << " at a rename), finished by the completion "
                  << finishedByCompletion << ", rows of two people " << rowsDisagreeing << ", inconsistent folders "
                  << inconsistencies << std::endl;
        EXPECT_EQ(inconsistencies, 0) << firstProblem;
        // Kills after the commit point, or the test proves little.
        EXPECT_GT(finishedByCompletion, kills / 4);
    }
};

TEST_F(ReplaceKillTest, ListSavesCutAnywhereLeaveOneWholeList)
{
    std::vector<Files> lists;
    for (int which : {0, 1}) {
        Files files;
        const std::vector<replacesets::Row> rows = replacesets::listRows(which);
        for (int c = 0; c < ColumnCount; ++c) {
            Lines lines;
            for (const replacesets::Row &row : rows)
                lines.append(row[c]);
            files[ParticipantList::columnFile(c)] = textfile::joinLines(lines);
        }
        lists.push_back(files);
    }
    killAndCheck("list", lists[0], lists);
}

TEST_F(ReplaceKillTest, BundleImportsAndUndosCutAnywhereLeaveOneWholeSet)
{
    // The driver imports bundle 1 over bundle 0 without two of its files, and
    // undoes it, so the undo removes files as well as replacing them.
    Files before = filesOf(replacesets::bundle(0).memberFiles());
    before.erase(files::ResultBackground);
    before.erase(files::ShowWord);
    killAndCheck("bundle", before, {before, filesOf(replacesets::bundle(1).memberFiles())});
}

} // namespace
