#include "app/remote/remoteserver.h"

#include "app/remote/remotepage.h"

#include <QAbstractHttpServer>
#include <QHttpServerRequest>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace sorvix::remote {

namespace {

const char *const HtmlType = "text/html; charset=utf-8";
const char *const JsonType = "application/json; charset=utf-8";
const char *const UnansweredBytes = "sorvixUnansweredBytes";

QByteArray methodName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get: return "GET";
    case QHttpServerRequest::Method::Post: return "POST";
    case QHttpServerRequest::Method::Head: return "HEAD";
    case QHttpServerRequest::Method::Put: return "PUT";
    case QHttpServerRequest::Method::Delete: return "DELETE";
    case QHttpServerRequest::Method::Options: return "OPTIONS";
    case QHttpServerRequest::Method::Patch: return "PATCH";
    default: return "OTHER";
    }
}

} // namespace

// Qt HttpServer reads and parses the requests; every whole request comes to
// the remote server, which answers it itself.
class HttpFront : public QAbstractHttpServer
{
public:
    explicit HttpFront(RemoteServer &owner) : m_owner(owner) {}

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override
    {
        m_owner.answer(request, socket);
        return true;
    }
    void missingHandler(const QHttpServerRequest &, QTcpSocket *socket) override
    {
        socket->write(httpResponse(404));
    }

private:
    RemoteServer &m_owner;
};

// Accepts connections for the HTTP front, but no more than a few at once, and
// cuts off a connection that sends too much before an answer or nothing for
// a long time: the HTTP parser would otherwise buffer any body whole.
class GuardedListener : public QTcpServer
{
public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        if (m_open >= RemoteServer::MaxConnections) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        ++m_open;
        connect(socket, &QObject::destroyed, this, [this] { --m_open; });
        auto *idle = new QTimer(socket);
        idle->setSingleShot(true);
        idle->setInterval(RemoteServer::IdleMs);
        connect(idle, &QTimer::timeout, socket, &QTcpSocket::abort);
        idle->start();
        // Connected before the HTTP front's own reader, so it sees the bytes first.
        connect(socket, &QTcpSocket::readyRead, socket, [socket, idle] {
            idle->start();
            const qint64 unanswered = socket->property(UnansweredBytes).toLongLong() + socket->bytesAvailable();
            socket->setProperty(UnansweredBytes, unanswered);
            if (unanswered > RemoteServer::MaxRequestBytes)
                socket->abort();
        });
        connect(socket, &QTcpSocket::bytesWritten, socket, [socket] { socket->setProperty(UnansweredBytes, 0); });
        addPendingConnection(socket);
    }

private:
    int m_open = 0;
};

RemoteServer::RemoteServer(Draw &draw, QObject *parent) : QObject(parent), m_draw(draw)
{
    m_clock.start();
}

RemoteServer::~RemoteServer()
{
    // Quietly: whoever listens to changed() may be going too.
    close();
}

bool RemoteServer::isAvailable()
{
    return true;
}

bool RemoteServer::start(const QHostAddress &address, quint16 port)
{
    close();
    auto listener = std::make_unique<GuardedListener>();
    if (!listener->listen(address, port) && !(port != 0 && listener->listen(address, 0)))
        return false;
    const RemoteKey key = RemoteKey::generate();
    m_key = key.text();
    m_gate = std::make_unique<RequestGate>(key);
    m_front = std::make_unique<HttpFront>(*this);
    m_listener = listener.get();
    m_front->bind(listener.release());
    // The front owns the listener now; make sure of it whatever bind() did.
    if (m_listener && !m_listener->parent())
        m_listener->setParent(m_front.get());
    m_address = address;
    m_port = m_listener->serverPort();
    emit changed();
    return true;
}

void RemoteServer::stop()
{
    if (close())
        emit changed();
}

bool RemoteServer::close()
{
    if (!m_front)
        return false;
    if (m_listener)
        m_listener->close();
    // The listener and every open connection go with the front.
    m_front.reset();
    m_gate.reset();
    m_key.clear();
    m_port = 0;
    return true;
}

bool RemoteServer::isListening() const
{
    return m_listener && m_listener->isListening();
}

QByteArray RemoteServer::key() const
{
    return m_key;
}

QByteArray RemoteServer::stateResponse() const
{
    return httpResponse(200, JsonType, stateJson(stateOf(m_draw)));
}

void RemoteServer::answer(const QHttpServerRequest &request, QTcpSocket *socket)
{
    if (!m_gate)
        return;
    Request asked;
    asked.method = methodName(request.method());
    asked.target = request.url().toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority);
    asked.bodySize = request.body().size();
    asked.sender = request.remoteAddress().toString().toLatin1();
    const Decision decision = m_gate->decide(asked, m_clock.elapsed());
    if (decision.status != 200) {
        socket->write(httpResponse(decision.status));
        if (decision.status == 413)
            socket->disconnectFromHost();
        return;
    }
    switch (decision.route) {
    case Route::Page:
        socket->write(httpResponse(200, HtmlType, remotePage()));
        break;
    case Route::State:
        socket->write(stateResponse());
        break;
    case Route::Next:
        if (busy()) {
            socket->write(stateResponse());
            break;
        }
        // The step may ask the operator a question in a window of its own:
        // it runs from the event loop, not inside the HTTP parser's call.
        QTimer::singleShot(0, this, [this, guarded = QPointer<QTcpSocket>(socket)] { runNext(guarded); });
        break;
    }
}

void RemoteServer::runNext(QPointer<QTcpSocket> socket)
{
    if (!isListening())
        return;
    // The next step, as a clicker's "next" does it.
    m_draw.next();
    if (socket && socket->state() == QAbstractSocket::ConnectedState)
        socket->write(stateResponse());
}

} // namespace sorvix::remote
