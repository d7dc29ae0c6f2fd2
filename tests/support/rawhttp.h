#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonArray>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTimer>

namespace sorvix::test {

struct Reply
{
    int status = 0; // 0: no answer (connection refused or closed)
    QByteArray body;
    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
    bool operator==(const Reply &) const = default;
};

// One raw request to 127.0.0.1, the server answering on this thread's loop.
inline Reply exchange(quint16 port, const QByteArray &request)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    QByteArray received;
    QElapsedTimer clock;
    clock.start();
    bool written = false;
    while (clock.elapsed() < 3000) {
        QEventLoop wait;
        QObject::connect(&socket, &QTcpSocket::readyRead, &wait, &QEventLoop::quit);
        QObject::connect(&socket, &QTcpSocket::stateChanged, &wait, &QEventLoop::quit);
        QTimer::singleShot(10, &wait, &QEventLoop::quit);
        wait.exec();
        if (socket.state() == QAbstractSocket::ConnectedState && !written) {
            socket.write(request);
            written = true;
        }
        received += socket.readAll();
        const qsizetype end = received.indexOf("\r\n\r\n");
        if (end >= 0) {
            const qsizetype at = received.indexOf("Content-Length: ");
            const qsizetype length = received.mid(at + 16, received.indexOf('\r', at) - at - 16).toLongLong();
            if (received.size() >= end + 4 + length) {
                Reply reply;
                reply.status = received.mid(9, 3).toInt();
                reply.body = received.mid(end + 4, length);
                return reply;
            }
        }
        if (socket.state() == QAbstractSocket::UnconnectedState && (written || clock.elapsed() > 500))
            break;
    }
    return {};
}

inline QByteArray get(const QByteArray &target) { return "GET " + target + " HTTP/1.1\r\nHost: x\r\n\r\n"; }
inline QByteArray post(const QByteArray &target, const QByteArray &body = {})
{
    return "POST " + target + " HTTP/1.1\r\nHost: x\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

} // namespace sorvix::test
