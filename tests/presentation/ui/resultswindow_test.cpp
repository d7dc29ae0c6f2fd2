#include "presentation/ui/resultswindow.h"

#include "support/startscreen.h"
#include "support/windowtest.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

class ResultsWindowTest : public ::testing::Test
{
protected:
    TestFolder dir{true};
    RecordingOperator op;
    RecordingSound drawScreenSound;
    RecordingSound music;
    bool soundOn = true;
    bool locked = false;
    int exports = 0;
    std::unique_ptr<ResultsWindow> window;

    void open()
    {
        window = std::make_unique<ResultsWindow>(dir.folder(), op, drawScreenSound, music);
        QObject::connect(window.get(), &ResultsWindow::exportWinnersAsked, [this] { ++exports; });
        window->setTitle(QStringLiteral("新年联欢会"));
        window->setSoundOn(soundOn);
        window->applyWindowMode(locked);
        window->show();
        ASSERT_TRUE(becomesActive(window.get()));
    }
    QAction *action(const char *name) const { return window->findChild<QAction *>(QString::fromLatin1(name)); }
    int initialTop(int row) const { return window->height() / 2 + 40 * row; }
};

} // namespace

TEST_F(ResultsWindowTest, ActivationBuildsTheRowsPlaysTheMusicAndDeactivationStopsBoth)
{
    dir.write(files::WinnersList, {"", QStringLiteral("一等奖"), QStringLiteral("(电脑)")});
    open();
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("titleLabel"))->text(), QStringLiteral("新年联欢会"));
    EXPECT_EQ(window->findChild<QWidget *>(QStringLiteral("name rows"))->accessibleName(), QStringLiteral("中奖名单"));

    ASSERT_EQ(window->rows().count(), 3);
    EXPECT_TRUE(window->rising());
    EXPECT_FALSE(drawScreenSound.repeatTimerRunning);
    EXPECT_TRUE(drawScreenSound.played.contains(QStringLiteral("stop music")));
    EXPECT_TRUE(music.played.contains(QStringLiteral("play music")));
    QTest::qWait(200);
    EXPECT_LT(window->rows().top(0), initialTop(0));
    music.played.clear();
    window->rewindMusic();
    EXPECT_EQ(music.played, QStringList({QStringLiteral("rewind music"), QStringLiteral("play music")}));

    // Another window in front: the rising and the music stop.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(becomesActive(&other));
    EXPECT_FALSE(window->rising());
    EXPECT_EQ(music.played.last(), QStringLiteral("pause music"));

    // Back again: the rows are built anew from a longer list, the old ones gone.
    dir.write(files::WinnersList, {"", QStringLiteral("一等奖"), QStringLiteral("(电脑)"), QStringLiteral("张三")});
    window->activateWindow();
    ASSERT_TRUE(becomesActive(window.get()));
    ASSERT_EQ(window->rows().count(), 4);
    EXPECT_EQ(window->rows().top(0), initialTop(0));
    EXPECT_TRUE(window->rising());

    // Escape closes through the close sequence: no rows, nothing rising.
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->rows().count(), 0);
    EXPECT_FALSE(window->rising());
}

TEST_F(ResultsWindowTest, SoundOffLockedFullScreenAndTheMenu)
{
    soundOn = false;
    locked = true;
    open();
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window->size(), QSize(800, 600));
    EXPECT_EQ(window->rows().count(), 0);   // no winners list: no rows
    window->rewindMusic();
    EXPECT_FALSE(music.played.contains(QStringLiteral("play music")));

    // The blue picture is missing here: bgshow.dll is rewritten all the same
    // and the failure is reported.
    action("blueRowsAction")->trigger();
    EXPECT_EQ(dir.bytes(files::ResultBackground), QByteArray("bg\\show\\blue.jpg\r\n"));
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("无法打开图片文件：")));
    QDir(dir.root()).mkpath(QStringLiteral("bg/show"));
    QImage picture(16, 9, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.path(results::RedBackground), "JPG"));
    action("redRowsAction")->trigger();
    EXPECT_EQ(dir.bytes(files::ResultBackground), QByteArray("bg\\show\\red.jpg\r\n"));
    EXPECT_EQ(op.notices.size(), 1);

    action("resultsExportAction")->trigger();
    EXPECT_EQ(exports, 1);
    action("resultsExitAction")->trigger();
    EXPECT_FALSE(window->isVisible());
}

// ---- From the draw screen ----------------------------------------------------------

namespace {

class DrawScreenResultsTest : public DrawScreenTest
{
protected:
    void drawEverything()
    {
        while (draw().state().roundsLeft())
            drawOneRound();
    }

    // Runs `open` and, once the results window of `owner` is up, tells how
    // many rows it shows and closes it; -1 when it did not come up.
    int rowsShownBy(const std::function<void()> &open, DrawScreenWindow *owner = nullptr)
    {
        if (!owner)
            owner = window;
        open();
        // A start-up opens it only once its first frame is painted.
        ResultsWindow *results = nullptr;
        const bool shown = QTest::qWaitFor([&] {
            results = owner->findChild<ResultsWindow *>();
            return results && results->isVisible();
        });
        if (!shown || !becomesActive(results))
            return -1;
        const int rows = results->rows().count();
        QTest::keyClick(results, Qt::Key_Escape);
        return rows;
    }
};

} // namespace

TEST_F(DrawScreenResultsTest, MenuItemsStartAfterTheLastRoundAndStartUpOpenTheResults)
{
    start();
    // Nothing drawn yet: the window opens on an empty list.
    EXPECT_EQ(rowsShownBy([&] { action(QStringLiteral("showResultsAction"))->trigger(); }), 0);

    drawEverything();
    const int lines = dir.lines(files::WinnersList).size();
    ASSERT_GT(lines, 0);
    op.questions.clear();
    EXPECT_EQ(rowsShownBy([&] { QTest::keyClick(window, Qt::Key_Space); }), lines);
    EXPECT_EQ(op.questions, QStringList({QStringLiteral("抽奖已经全部完成，是否显示最后结果？\r")}));
    EXPECT_EQ(rowsShownBy([&] { action(QStringLiteral("popupShowResultsAction"))->trigger(); }), lines);
    // The keys are the draw screen's again.
    EXPECT_TRUE(becomesActive(window));

    // The next start-up offers the results of the finished draw.
    Application second(dir.root(), op, sound, music, random);
    op.questions.clear();
    EXPECT_EQ(rowsShownBy([&] { startDrawScreen(second); }, &second.window()), lines);
    EXPECT_EQ(op.questions, QStringList({QStringLiteral("抽奖已经全部完成，是否直接显示中奖结果？")}));
}
