#include "engine/ui/giveupdialog.h"

#include "app/ui/drawscreenwindow.h"
#include "engine/drawfiles.h"
#include "engine/prepare.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

bool becomesActive(QWidget *w)
{
    return QTest::qWaitFor([w] { return w->isActiveWindow(); });
}

// The demo event on the draw screen, drawn with the keys.
class GiveUpDialogTest : public ::testing::Test
{
protected:
    TestFolder dir{true};
    Session session;
    RecordingOperator op;
    RecordingSound sound;
    RecordingScreen probeScreen;
    DrawRandom random{3};
    std::unique_ptr<DrawScreenWindow> window;

    void start()
    {
        session.folder = dir.folder();
        window = std::make_unique<DrawScreenWindow>(session, op, sound, random);
        window->runStartup();
        window->resize(1280, 720);
        window->show();
        ASSERT_TRUE(becomesActive(window.get()));
    }
    void drawOneRound()
    {
        QTest::keyClick(window.get(), Qt::Key_Space);
        QTest::keyClick(window.get(), Qt::Key_Return);
    }
    // Opens the window from the menu and runs `drive` on it; the window is
    // closed afterwards if `drive` left it open.
    void withGiveUpWindow(const std::function<void(GiveUpDialog *)> &drive)
    {
        QTimer::singleShot(0, window.get(), [&] {
            auto *giveUp = window->findChild<GiveUpDialog *>();
            if (giveUp && becomesActive(giveUp))
                drive(giveUp);
            else
                ADD_FAILURE() << "the give-up window did not come up";
            if (giveUp && giveUp->isVisible())
                giveUp->close();
        });
        window->findChild<QAction *>(QStringLiteral("giveUpAction"))->trigger();
    }
    template <typename T> static T *child(QWidget *w, const char *name)
    {
        return w->findChild<T *>(QString::fromLatin1(name));
    }
};

} // namespace

TEST_F(GiveUpDialogTest, GiveUpAndMakeUpAreDrawnWithTheKeysThenThePlanGoesOn)
{
    start();
    // Draw until some level has all its rounds drawn.
    GiveUpMakeUp probe(session, op, probeScreen);
    while (probe.makeupLevels().empty())
        drawOneRound();
    const int level = probe.makeupLevel(0);
    const int roundIndex = session.state.roundIndex;
    ASSERT_LT(roundIndex, session.state.roundCount);
    const Lines before = levelwinners::readNames(dir.folder(), level);
    const QByteArray firstLeft = drawfiles::readLeftover(dir.folder()).value(0);

    withGiveUpWindow([&](GiveUpDialog *w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("弃奖/补奖"));
        EXPECT_EQ(child<QGroupBox>(w, "giveUpBox")->title(), QStringLiteral("弃奖"));
        EXPECT_EQ(child<QGroupBox>(w, "makeUpBox")->title(), QStringLiteral("补奖"));
        EXPECT_EQ(child<QPushButton>(w, "giveUpButton")->toolTip(), QStringLiteral("放弃获奖资格，从名单中删除"));
        EXPECT_EQ(child<QLineEdit>(w, "makeUpQuantityEdit")->toolTip(), QStringLiteral("大于1的数字"));
        for (const char *name : {"giveUpLevelList", "giveUpWinnersList", "makeUpLevelList", "makeUpQuantityEdit"})
            EXPECT_FALSE(child<QWidget>(w, name)->accessibleName().isEmpty()) << name;
        // Centred on the draw screen.
        EXPECT_LE((w->frameGeometry().center() - window->frameGeometry().center()).manhattanLength(), 2);

        auto *levels = child<QComboBox>(w, "giveUpLevelList");
        auto *list = child<QListView>(w, "giveUpWinnersList");
        auto *quantity = child<QLineEdit>(w, "makeUpQuantityEdit");
        // Nothing chosen: a message each, nothing written.
        QTest::mouseClick(child<QPushButton>(w, "giveUpButton"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(w, "makeUpButton"), Qt::LeftButton);
        EXPECT_EQ(op.notices, QStringList({QStringLiteral("请先在名单中选择要弃奖的中奖人。"),
                                           QStringLiteral("请先选择要补奖的奖项。")}));
        EXPECT_TRUE(w->isVisible());

        levels->setCurrentIndex(level);
        ASSERT_EQ(list->model()->rowCount(), before.size());
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::mouseClick(child<QPushButton>(w, "giveUpButton"), Qt::LeftButton);
        EXPECT_EQ(list->model()->rowCount(), before.size() - 1);

        quantity->setText(QStringLiteral("7"));
        quantity->selectAll();
        QTest::keyClicks(quantity, QStringLiteral("0"));
        EXPECT_EQ(quantity->text(), QStringLiteral("1"));
        child<QComboBox>(w, "makeUpLevelList")->setCurrentIndex(0);
        QTest::mouseClick(child<QPushButton>(w, "makeUpButton"), Qt::LeftButton);
        EXPECT_FALSE(w->isVisible());
    });
    ASSERT_TRUE(session.state.makeupActive);
    EXPECT_EQ(levelwinners::readNames(dir.folder(), level), before.mid(1));
    EXPECT_TRUE(becomesActive(window.get()));

    // The make-up round, with the keys, then the plan where it stood.
    drawOneRound();
    EXPECT_FALSE(session.state.makeupActive);
    EXPECT_EQ(session.state.roundIndex, roundIndex);
    EXPECT_EQ(levelwinners::readNames(dir.folder(), level), before.mid(1) << firstLeft);
    drawOneRound();
    EXPECT_EQ(session.state.roundIndex, roundIndex + 1);
}
