#pragma once

#include "app/remote/remoteserver.h"
#include "base/operatorports.h"

#include <QDialog>
#include <QList>
#include <QPointer>

class QAction;
class QLabel;
class QPushButton;

namespace sorvix {

// The "手机遥控" window: the remote's address as a QR code and as text to
// copy, the phone's steps and "停止遥控". Closing it leaves the remote on.
class RemoteWindow : public QDialog
{
    Q_OBJECT
public:
    RemoteWindow(remote::RemoteServer &server, QWidget *parent = nullptr);
    // Shows the server's current address.
    void refresh();

protected:
    // The draw keys and a clicker's keys belong to the draw screen even while
    // this window has the focus.
    void keyPressEvent(QKeyEvent *event) override;

private:
    remote::RemoteServer &m_server;
    QLabel *m_code = nullptr;
    QLabel *m_address = nullptr;
    QPushButton *m_stop = nullptr;
};

// The phone remote as the draw screen's menus reach it: "手机遥控" turns it on
// when it is off and opens its window; the menu items' captions follow it.
class PhoneRemote : public QObject
{
    Q_OBJECT
public:
    PhoneRemote(Draw &draw, OperatorPort &op, QObject *parent);

    remote::RemoteServer &server() { return m_server; }
    RemoteWindow *window() const { return m_window; }
    // "手机遥控", its window over `over` (the operator's window).
    void open(QWidget *over);
    // A menu item of the remote: its caption follows the remote from now on.
    QAction *follow(QAction *item);

    // Where the remote listens: this computer's address on the hall's network.
    // A test gives the loopback address.
    std::function<QHostAddress()> listenAddress = [] { return remote::lanAddress(remote::interfaceAddresses()); };

private:
    void showCaptions();

    OperatorPort &m_operator;
    remote::RemoteServer m_server;
    QPointer<RemoteWindow> m_window;
    QList<QPointer<QAction>> m_items;
};

} // namespace sorvix
