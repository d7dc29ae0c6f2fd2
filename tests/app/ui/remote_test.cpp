#include "app/ui/remotewindow.h"
#include "support/rawhttp.h"
#include "support/windowtest.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

// The draw screen with the shipped settings, driven from the stage.
class StageTest : public DrawScreenTest
{
protected:
    PhoneRemote *remote = nullptr;

    void startOnStage()
    {
        start();
        remote = &program->phoneRemote();
        remote->listenAddress = [] { return QHostAddress(QHostAddress::LocalHost); };
    }
    QString head() const { return label(QStringLiteral("statusLabel"))->text(); }
};

} // namespace

TEST_F(StageTest, ClickerNextDrawsAndItsOtherKeysChangeNothing)
{
    // Enter starts: the clicker presses whichever key the setting names.
    AwardSettings settings = awardfile::load(dir.folder());
    settings.options.startStopKeys = 1;
    awardfile::save(dir.folder(), settings);
    startOnStage();
    ASSERT_GT(draw().state().roundCount(), 1);
    QTest::keyClick(window, Qt::Key_PageDown);
    ASSERT_TRUE(draw().rolling());
    const QString rollingHead = head();
    for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_Left, Qt::Key_Period, Qt::Key_B, Qt::Key_F5, Qt::Key_Escape})
        QTest::keyClick(window, key);
    EXPECT_TRUE(draw().rolling());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(head(), rollingHead);
    EXPECT_EQ(draw().state().roundIndex(), 0);
    QTest::keyClick(window, Qt::Key_Right);
    EXPECT_FALSE(draw().rolling());
    EXPECT_EQ(draw().state().roundIndex(), 1);
    EXPECT_TRUE(op.questions.isEmpty());
}

TEST_F(StageTest, PhoneRemoteWindowMenuAndSteps)
{
    startOnStage();
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
    // A screen reader reads every part, the address and the advice as written.
    for (QWidget *w : remoteWindow->findChildren<QWidget *>())
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty())
            << w->objectName().toStdString();
    for (const char *name : {"remoteAddress", "remoteSteps", "remoteWarning"}) {
        auto *text = remoteWindow->findChild<QLabel *>(QString::fromLatin1(name));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(text)->text(QAccessible::Name), text->text()) << name;
    }

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
    EXPECT_TRUE(draw().rolling());
    EXPECT_TRUE(started.json().value("rolling").toBool());
    EXPECT_EQ(started.json().value("status").toString(), head());
    const Reply stopped = exchange(port, post("/api/next?k=" + key));
    EXPECT_FALSE(stopped.json().value("rolling").toBool());
    EXPECT_FALSE(stopped.json().value("winners").toArray().isEmpty());
    EXPECT_EQ(draw().state().roundIndex(), 1);

    remoteWindow->findChild<QPushButton *>(QStringLiteral("remoteStop"))->click();
    EXPECT_FALSE(remote->server().isListening());
    EXPECT_FALSE(remoteWindow->isVisible());
    EXPECT_EQ(item->text(), QStringLiteral("手机遥控"));
    EXPECT_EQ(exchange(port, get("/?k=" + key)).status, 0);
}
