#include "app/ui/drawscreenwindow.h"
#include "support/startscreen.h"
#include "app/ui/remotewindow.h"
#include "engine/prepare.h"
#include "support/rawhttp.h"
#include "support/recorders.h"
#include "support/testfolder.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

// The draw screen with the shipped settings, driven from the stage.
class StageTest : public ::testing::Test
{
protected:
    TestFolder dir{true};
    Session session;
    RecordingOperator op;
    RecordingSound sound;
    DrawRandom random{5};
    std::unique_ptr<DrawScreenWindow> window;
    PhoneRemote *remote = nullptr;

    void SetUp() override
    {
        session.folder = dir.folder();
        window = std::make_unique<DrawScreenWindow>(session, op, sound, random);
        test::startDrawScreen(*window);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        remote = window->findChild<PhoneRemote *>();
        ASSERT_NE(remote, nullptr);
        remote->listenAddress = [] { return QHostAddress(QHostAddress::LocalHost); };
    }
    QAction *action(const char *name) const { return window->findChild<QAction *>(QString::fromLatin1(name)); }
    QString head() const { return window->findChild<QLabel *>(QStringLiteral("statusLabel"))->text(); }
};

} // namespace

TEST_F(StageTest, ClickerNextDrawsAndItsOtherKeysChangeNothing)
{
    ASSERT_GT(session.state.roundCount, 1);
    session.settings.options.startStopKeys = 1;
    QTest::keyClick(window.get(), Qt::Key_PageDown);
    ASSERT_TRUE(window->drawRound().isRolling());
    const QString rollingHead = head();
    for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_Left, Qt::Key_Period, Qt::Key_B, Qt::Key_F5, Qt::Key_Escape})
        QTest::keyClick(window.get(), key);
    EXPECT_TRUE(window->drawRound().isRolling());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(head(), rollingHead);
    EXPECT_EQ(session.state.roundIndex, 0);
    QTest::keyClick(window.get(), Qt::Key_Right);
    EXPECT_FALSE(window->drawRound().isRolling());
    EXPECT_EQ(session.state.roundIndex, 1);
    EXPECT_TRUE(op.questions.isEmpty());
}

TEST_F(StageTest, PhoneRemoteWindowMenuAndSteps)
{
    EXPECT_FALSE(remote->server().isListening()) << "off until the operator turns it on";
    QAction *item = action("phoneRemoteItem");
    QAction *popupItem = action("phoneRemotePopupItem");
    ASSERT_TRUE(item && popupItem);
    EXPECT_EQ(item->text(), QStringLiteral("手机遥控"));
    item->trigger();
    ASSERT_TRUE(remote->server().isListening());
    RemoteWindow *remoteWindow = remote->window();
    ASSERT_TRUE(remoteWindow && remoteWindow->isVisible());
    EXPECT_EQ(remoteWindow->windowTitle(), QStringLiteral("手机遥控"));
    const QString address = remoteWindow->findChild<QLabel *>(QStringLiteral("remoteAddress"))->text();
    EXPECT_EQ(address, remote->server().url());
    EXPECT_TRUE(address.startsWith(QStringLiteral("http://127.0.0.1:")));
    EXPECT_FALSE(remoteWindow->findChild<QLabel *>(QStringLiteral("remoteCode"))->pixmap().isNull());
    for (QWidget *w : remoteWindow->findChildren<QWidget *>())
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();

    // Closed, the remote stays on and the menu says so.
    remoteWindow->close();
    EXPECT_TRUE(remote->server().isListening());
    EXPECT_EQ(popupItem->text(), QStringLiteral("手机遥控（已开启）"));
    const QByteArray key = remote->server().key();
    popupItem->trigger();
    EXPECT_TRUE(remoteWindow->isVisible());
    EXPECT_EQ(remote->server().key(), key);

    // The phone's step reaches the screen, and the phone sees what the screen shows.
    const quint16 port = remote->server().port();
    const Reply started = exchange(port, post("/api/next?k=" + key));
    EXPECT_TRUE(window->drawRound().isRolling());
    EXPECT_TRUE(started.json().value("rolling").toBool());
    EXPECT_EQ(started.json().value("status").toString(), head());
    const Reply stopped = exchange(port, post("/api/next?k=" + key));
    EXPECT_FALSE(stopped.json().value("rolling").toBool());
    EXPECT_FALSE(stopped.json().value("winners").toArray().isEmpty());
    EXPECT_EQ(session.state.roundIndex, 1);

    remoteWindow->findChild<QPushButton *>(QStringLiteral("remoteStop"))->click();
    EXPECT_FALSE(remote->server().isListening());
    EXPECT_FALSE(remoteWindow->isVisible());
    EXPECT_EQ(item->text(), QStringLiteral("手机遥控"));
    EXPECT_EQ(exchange(port, get("/?k=" + key)).status, 0);
}
