#pragma once

#include "app/remote/remotestate.h"
#include "app/remote/requestgate.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QHttpServerRequest;
class QTcpSocket;

namespace sorvix::remote {

class HttpFront;
class GuardedListener;

// The phone remote's network side: an HTTP server on one address of this
// computer that answers the page, the state and the next step, and nothing
// else. It listens only between start() and stop(); each start makes a new key.
class RemoteServer : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 PreferredPort = 8686;
    // Phones, not crowds: more connections at once are closed at once.
    static constexpr int MaxConnections = 16;
    // A request (head and body) that grows past this before it is answered
    // is cut off before it is buffered whole.
    static constexpr qint64 MaxRequestBytes = 16 * 1024;
    // A connection with nothing to say for this long is closed.
    static constexpr int IdleMs = 30000;

    // The phone shows what `draw` shows and takes its next step.
    explicit RemoteServer(Draw &draw, QObject *parent = nullptr);
    ~RemoteServer() override;

    // False in a build without an HTTP server (remoteserver_windows.cpp).
    static bool isAvailable();

    // Listens on `address` at `port`, or at any free port when that one is
    // taken, with a new key. False when it cannot listen at all.
    bool start(const QHostAddress &address, quint16 port = PreferredPort);
    void stop();
    bool isListening() const;
    QHostAddress address() const { return m_address; }
    quint16 port() const { return m_port; }
    QByteArray key() const;
    // The address the phone opens.
    QString url() const { return remoteUrl(m_address, m_port, key()); }

    // True while a window of the program waits for the operator: the phone's
    // step is refused then, as the keys are.
    std::function<bool()> busy = [] { return false; };

    // Called by the HTTP front for every whole request.
    void answer(const QHttpServerRequest &request, QTcpSocket *socket);

signals:
    // Turned on or off.
    void changed();

private:
    // Stops listening and closes every connection; false when it was off.
    bool close();
    void runNext(QPointer<QTcpSocket> socket);
    QByteArray stateResponse() const;

    Draw &m_draw;
    std::unique_ptr<RequestGate> m_gate;
    std::unique_ptr<HttpFront> m_front;
    QPointer<GuardedListener> m_listener;
    QHostAddress m_address;
    quint16 m_port = 0;
    QByteArray m_key;
    QElapsedTimer m_clock;
};

} // namespace sorvix::remote
