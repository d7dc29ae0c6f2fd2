// The phone remote in a Windows build whose toolchain has no Qt HttpServer
// (its source could not be fetched): nothing listens, and the menu says so.
#include "app/remote/remoteserver.h"

#include <QTcpServer>

namespace sorvix::remote {

class HttpFront
{
};

class GuardedListener : public QTcpServer
{
};

RemoteServer::RemoteServer(Draw &draw, QObject *parent) : QObject(parent), m_draw(draw) {}

RemoteServer::~RemoteServer() = default;

bool RemoteServer::isAvailable()
{
    return false;
}

bool RemoteServer::start(const QHostAddress &, quint16)
{
    return false;
}

void RemoteServer::stop() {}

bool RemoteServer::close()
{
    return false;
}

bool RemoteServer::isListening() const
{
    return false;
}

QByteArray RemoteServer::key() const
{
    return {};
}

QByteArray RemoteServer::stateResponse() const
{
    return {};
}

void RemoteServer::answer(const QHttpServerRequest &, QTcpSocket *) {}

void RemoteServer::runNext(QPointer<QTcpSocket>) {}

} // namespace sorvix::remote
