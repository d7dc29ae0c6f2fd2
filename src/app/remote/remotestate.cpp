#include "app/remote/remotestate.h"

#include "base/gbk.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>

namespace sorvix::remote {

namespace {

// 10/8, 172.16/12 and 192.168/16: the addresses of a hall's own network.
bool isPrivateUse(quint32 ip)
{
    return (ip >> 24) == 10 || (ip >> 20) == ((172u << 4) | 1u) || (ip >> 16) == ((192u << 8) | 168u);
}

} // namespace

RemoteState stateOf(const Draw &draw)
{
    RemoteState state;
    const ScreenState &screen = draw.screen();
    state.rolling = screen.rolling;
    state.statusLine = gbk::decode(screen.head);
    if (!screen.rolling)
        for (const QByteArray &name : screen.revealed)
            state.winners << gbk::decode(name);
    const DrawState &progress = draw.state();
    state.makeup = progress.makeupActive();
    state.round = progress.makeupActive() ? progress.makeupIndex() : progress.roundIndex();
    state.rounds = progress.makeupActive() ? progress.makeupCount() : progress.roundCount();
    return state;
}

QByteArray stateJson(const RemoteState &state)
{
    QJsonObject json;
    json.insert(QStringLiteral("rolling"), state.rolling);
    json.insert(QStringLiteral("status"), state.statusLine);
    json.insert(QStringLiteral("winners"), QJsonArray::fromStringList(state.winners));
    json.insert(QStringLiteral("round"), state.round);
    json.insert(QStringLiteral("rounds"), state.rounds);
    json.insert(QStringLiteral("makeup"), state.makeup);
    return QJsonDocument(json).toJson(QJsonDocument::Compact);
}

QString menuCaption(bool on)
{
    return on ? QStringLiteral("手机遥控（已开启）") : QStringLiteral("手机遥控");
}

QHostAddress lanAddress(const QList<QHostAddress> &candidates)
{
    QHostAddress other;
    for (const QHostAddress &address : candidates) {
        if (address.protocol() != QAbstractSocket::IPv4Protocol || address.isLoopback() || address.isLinkLocal()
            || address.isMulticast() || address.isBroadcast() || address == QHostAddress(QHostAddress::AnyIPv4))
            continue;
        if (isPrivateUse(address.toIPv4Address()))
            return address;
        if (other.isNull())
            other = address;
    }
    return other;
}

QList<QHostAddress> interfaceAddresses()
{
    QList<QHostAddress> addresses;
    const auto wanted = QNetworkInterface::IsUp | QNetworkInterface::IsRunning;
    for (const QNetworkInterface &face : QNetworkInterface::allInterfaces()) {
        if ((face.flags() & wanted) != wanted || face.flags().testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : face.addressEntries())
            addresses << entry.ip();
    }
    return addresses;
}

QString remoteUrl(const QHostAddress &address, quint16 port, const QByteArray &key)
{
    return QStringLiteral("http://%1:%2/?k=%3").arg(address.toString()).arg(port).arg(QString::fromLatin1(key));
}

} // namespace sorvix::remote
