#pragma once

#include "engine/draw.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QStringList>

namespace sorvix::remote {

// What the phone shows of the draw screen.
struct RemoteState
{
    bool rolling = false;
    QString statusLine;
    // The last stop's names as the slots show them; empty while rolling.
    QStringList winners;
    // Rounds drawn and rounds planned; those of the make-up draw while one runs.
    int round = 0;
    int rounds = 0;
    bool makeup = false;
};

RemoteState stateOf(const Draw &draw);

// The state as the page reads it (UTF-8 JSON).
QByteArray stateJson(const RemoteState &state);

// The menu item's caption: "手机遥控", "手机遥控（已开启）" while the remote is on.
QString menuCaption(bool on);

// The address the phone is given for this computer: a private IPv4 address of
// the local network first, any other routable IPv4 address next; null when
// there is none.
QHostAddress lanAddress(const QList<QHostAddress> &candidates);
// The addresses of this computer's running network interfaces.
QList<QHostAddress> interfaceAddresses();

// "http://<address>:<port>/?k=<key>"
QString remoteUrl(const QHostAddress &address, quint16 port, const QByteArray &key);

} // namespace sorvix::remote
