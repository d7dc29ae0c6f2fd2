#pragma once

#include "app/remote/remotekey.h"

#include <QByteArray>
#include <QHash>
#include <deque>

namespace sorvix::remote {

// The phone remote's whole interface: the page, the state and the next step.
enum class Route { Page, State, Next };

// A request as it came off the socket.
struct Request
{
    QByteArray method;
    // Path and query as sent: "/api/state?k=...".
    QByteArray target;
    qint64 bodySize = 0;
    // Who sent it (the peer's address): wrong keys are counted per sender.
    QByteArray sender;
};

struct Decision
{
    // 200: serve `route`; anything else: refuse with this status and no body.
    int status = 200;
    Route route = Route::Page;
};

// Decides every request of the phone remote: only the three routes with their
// own method, only with the key, only small bodies, and a sender that keeps
// trying wrong keys is told to wait.
class RequestGate
{
public:
    static constexpr qsizetype MaxBody = 1024;
    static constexpr int WrongKeysPerSecond = 5;
    // Senders remembered at most; beyond that the oldest trials are dropped.
    static constexpr int MaxSenders = 1024;

    explicit RequestGate(RemoteKey key) : m_key(std::move(key)) {}

    // `nowMs`: a steady clock in milliseconds.
    Decision decide(const Request &request, qint64 nowMs);

private:
    bool tooManyWrongKeys(const QByteArray &sender, qint64 nowMs);
    void forgetOldTrials(qint64 nowMs);

    RemoteKey m_key;
    // Times of the wrong keys of the last second, per sender.
    QHash<QByteArray, std::deque<qint64>> m_wrongKeys;
};

// The value of the first `name=` field of a query ("a=1&k=2"); null when
// there is none. No percent-decoding: the key is plain hex.
QByteArray queryValue(QByteArrayView query, QByteArrayView name);

// A whole HTTP/1.1 response. Nothing is cached and nothing is sent on to
// other sites.
QByteArray httpResponse(int status, QByteArrayView contentType = {}, QByteArrayView body = {});

} // namespace sorvix::remote
