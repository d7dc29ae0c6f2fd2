#include "app/frontchannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace sorvix {

FrontChannel::FrontChannel(const QString &programFolder, QObject *parent)
    : QObject(parent), m_name(nameFor(programFolder))
{
}

FrontChannel::~FrontChannel() = default;

QString FrontChannel::nameFor(const QString &programFolder)
{
    const QByteArray folder = QDir(programFolder).canonicalPath().toUtf8();
    return QStringLiteral("sorvix-")
        + QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(24));
}

bool FrontChannel::listen(std::function<void()> comeToFront)
{
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this, comeToFront = std::move(comeToFront)] {
        while (QLocalSocket *caller = m_server->nextPendingConnection())
            caller->deleteLater();
        comeToFront();
    });
    return true;
}

bool FrontChannel::askToFront(const QString &programFolder)
{
    QLocalSocket socket;
    socket.connectToServer(nameFor(programFolder));
    if (!socket.waitForConnected(1000))
        return false;
    socket.disconnectFromServer();
    return true;
}

} // namespace sorvix
