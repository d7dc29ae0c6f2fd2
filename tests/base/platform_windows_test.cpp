// What only Windows does to the program's files and helper: other programs
// holding files, read-only files, the batch sync, and a helper that crashes
// or takes too much memory.
#include "base/childprocess.h"
#include "base/errors.h"
#include "base/platform.h"
#include "base/textfile.h"
#include "support/testfolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include <windows.h>

using namespace sorvix;
using sorvix::test::TestFolder;

namespace {

// Another program's hold on a file, as a spreadsheet program keeps it: open,
// shared for reading only.
class Holder
{
public:
    explicit Holder(const QString &path)
        : m_handle(::CreateFileW(QDir::toNativeSeparators(path).toStdWString().c_str(), GENERIC_READ,
                                 FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~Holder() { release(); }
    bool holds() const { return m_handle != INVALID_HANDLE_VALUE; }
    void release()
    {
        if (holds())
            ::CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_handle;
};

bool underWine()
{
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

childprocess::Result runHelper(const char *test, qint64 memoryCap)
{
    return childprocess::run(platform::executablePath(),
                             {QStringLiteral("--gtest_also_run_disabled_tests"), QStringLiteral("--gtest_catch_exceptions=0"),
                              QStringLiteral("--gtest_filter=WindowsHelper.") + QString::fromLatin1(test)},
                             memoryCap, 60000);
}

} // namespace

TEST(WindowsFiles, AFileHeldByAnotherProgramIsWaitedForThenRefusedByName)
{
    TestFolder t;
    t.writeBytes("dat/LuckyList.txt", "old\r\n");
    const QString path = t.path("dat\\LuckyList.txt");
    {
        Holder excel(path);
        ASSERT_TRUE(excel.holds());
        EXPECT_TRUE(platform::isHeldOpen(path));
        QElapsedTimer waited;
        waited.start();
        try {
            textfile::writeLines(path, {"new"});
            FAIL() << "written over a held file";
        } catch (const OperationError &e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("其他程序"))) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QStringLiteral("LuckyList.txt"))) << e.message().toStdString();
        }
        EXPECT_GE(waited.elapsed(), 2000);
        EXPECT_THROW(textfile::remove(path), OperationError);
        EXPECT_THROW(textfile::replaceTogether({{path, "new\r\n"}}), OperationError);
    }
    EXPECT_EQ(t.bytes("dat/LuckyList.txt"), QByteArray("old\r\n"));

    // Let go of while the write waits: the write goes through.
    auto scanner = std::make_unique<Holder>(path);
    std::thread letGo([&scanner] {
        ::Sleep(500);
        scanner->release();
    });
    textfile::writeLines(path, {"new"});
    letGo.join();
    EXPECT_EQ(t.bytes("dat/LuckyList.txt"), QByteArray("new\r\n"));
}

TEST(WindowsFiles, ReadOnlyFilesAreRemovedAndBatchesSynced)
{
    TestFolder t;
    t.writeBytes("data/template.xls", "x");
    QFile::setPermissions(t.path("data\\template.xls"), QFileDevice::ReadOwner);
    textfile::remove(t.path("data\\template.xls"));
    EXPECT_FALSE(textfile::exists(t.path("data\\template.xls")));
    textfile::remove(t.path("data\\never.dll"));

    for (int i = 0; i < 50; ++i)
        textfile::writeLinesUnsynced(t.path(QStringLiteral("data\\%1.dll").arg(i)), {"a", "b"});
    textfile::remove(t.path("data\\7.dll"));
    textfile::syncFolder(t.path("data"));
    EXPECT_EQ(t.bytes("data/49.dll"), QByteArray("a\r\nb\r\n"));
    EXPECT_THROW(textfile::syncFolder(t.path("missing")), OperationError);
}

// Run only as helpers by the test below.
TEST(WindowsHelper, DISABLED_Crashes)
{
    volatile int *nowhere = nullptr;
    *nowhere = 1;
}

TEST(WindowsHelper, DISABLED_TakesMemory)
{
    std::vector<std::unique_ptr<char[]>> blocks;
    for (int i = 0; i < 16; ++i) {
        blocks.emplace_back(new char[64 << 20]);
        std::memset(blocks.back().get(), 1, 64 << 20);
    }
}

TEST(WindowsHelper, DISABLED_Answers)
{
    ASSERT_TRUE(childprocess::sendAnswer("answer"));
}

TEST(WindowsChildProcess, ACrashOrTheMemoryCapCostsTheHelperOnly)
{
    const childprocess::Result answered = runHelper("DISABLED_Answers", qint64(1) << 30);
    EXPECT_EQ(answered.outcome, childprocess::Result::Outcome::Answered);
    EXPECT_EQ(answered.answer, QByteArray("answer"));
    EXPECT_FALSE(childprocess::sendAnswer("nobody listens"));

    const childprocess::Result crashed = runHelper("DISABLED_Crashes", qint64(1) << 30);
    EXPECT_EQ(crashed.outcome, childprocess::Result::Outcome::Failed);
    EXPECT_TRUE(crashed.answer.isEmpty());

    if (underWine())
        GTEST_SKIP() << "Wine does not limit a job's memory";
    EXPECT_EQ(runHelper("DISABLED_TakesMemory", qint64(256) << 20).outcome, childprocess::Result::Outcome::Failed);
    EXPECT_EQ(runHelper("DISABLED_TakesMemory", qint64(2) << 30).outcome, childprocess::Result::Outcome::Answered);
}
