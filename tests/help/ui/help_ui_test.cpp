#include "help/ui/aboutdialog.h"
#include "help/ui/quickhelpdialog.h"
#include "support/windowtest.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

QString guide(const TestFolder &dir)
{
    return dir.path(QStringLiteral("help\\guide.html"));
}

} // namespace

TEST(QuickHelpWindow, ItsCloseIsRecordedInQuickhelpDll)
{
    TestFolder dir;
    RecordingOperator op;
    QuickHelpDialog window(dir.folder(), op);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.findChild<QPlainTextEdit *>(QStringLiteral("helpText"))->isReadOnly());
    EXPECT_EQ(unnamedControls(&window), QStringList());

    // Escape closes it the same way as the title bar.
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(dir.bytes(QStringLiteral("quickhelp.dll")), QByteArray("1\r\n"));

    // A quickhelp.dll that can't be written is reported; the window closes all the same.
    QFile::remove(dir.path(QStringLiteral("quickhelp.dll")));
    QDir(dir.root()).mkdir(QStringLiteral("quickhelp.dll"));
    window.show();
    window.close();
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("无法写入文件")));
}

TEST(AboutWindow, ProductVersionAndMakerOpenTheGuide)
{
    TestFolder dir;
    RecordingOperator op;
    AboutDialog window(dir.folder(), op);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const auto label = [&](const char *name) { return window.findChild<QLabel *>(QString::fromLatin1(name)); };
    for (const char *name : {"productLabel", "versionLabel", "makerLabel", "addressLabel"})
        QTest::mouseClick(label(name), Qt::LeftButton);
    EXPECT_EQ(op.opened, QStringList(3, guide(dir)));
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(DrawScreenTest, TheGuideOpensFromTheHelpMenu)
{
    start();
    action("guideAction")->trigger();
    EXPECT_EQ(op.opened, QStringList{guide(dir)});
}
