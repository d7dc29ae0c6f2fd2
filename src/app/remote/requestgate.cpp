#include "app/remote/requestgate.h"

namespace sorvix::remote {

namespace {

constexpr qint64 WindowMs = 1000;

const char *reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 413: return "Payload Too Large";
    case 429: return "Too Many Requests";
    default: return "Error";
    }
}

} // namespace

QByteArray queryValue(QByteArrayView query, QByteArrayView name)
{
    qsizetype start = 0;
    while (start <= query.size()) {
        qsizetype end = query.indexOf('&', start);
        if (end < 0)
            end = query.size();
        const QByteArrayView field = query.sliced(start, end - start);
        const qsizetype equals = field.indexOf('=');
        if (equals >= 0 && field.first(equals) == name)
            return field.sliced(equals + 1).toByteArray();
        start = end + 1;
    }
    return {};
}

Decision RequestGate::decide(const Request &request, qint64 nowMs)
{
    if (request.bodySize > MaxBody)
        return {413};
    const QByteArrayView target(request.target);
    const qsizetype question = target.indexOf('?');
    const QByteArrayView path = question < 0 ? target : target.first(question);
    const QByteArrayView query = question < 0 ? QByteArrayView() : target.sliced(question + 1);

    Decision decision;
    const char *method = "GET";
    if (path == "/") {
        decision.route = Route::Page;
    } else if (path == "/api/state") {
        decision.route = Route::State;
    } else if (path == "/api/next") {
        decision.route = Route::Next;
        method = "POST";
    } else {
        return {404};
    }
    if (request.method != method)
        return {405};

    // A sender over the limit learns nothing more, not even from the right key.
    if (tooManyWrongKeys(request.sender, nowMs))
        return {429};
    if (!m_key.matches(queryValue(query, "k"))) {
        m_wrongKeys[request.sender].push_back(nowMs);
        return {403};
    }
    return decision;
}

bool RequestGate::tooManyWrongKeys(const QByteArray &sender, qint64 nowMs)
{
    if (m_wrongKeys.size() > MaxSenders)
        forgetOldTrials(nowMs);
    if (m_wrongKeys.size() > MaxSenders)
        m_wrongKeys.clear();
    auto found = m_wrongKeys.find(sender);
    if (found == m_wrongKeys.end())
        return false;
    std::deque<qint64> &times = *found;
    while (!times.empty() && nowMs - times.front() >= WindowMs)
        times.pop_front();
    if (times.empty()) {
        m_wrongKeys.erase(found);
        return false;
    }
    if (qsizetype(times.size()) < WrongKeysPerSecond)
        return false;
    // Still counting: a sender that keeps hammering stays refused.
    times.push_back(nowMs);
    if (times.size() > 4 * WrongKeysPerSecond)
        times.pop_front();
    return true;
}

void RequestGate::forgetOldTrials(qint64 nowMs)
{
    for (auto it = m_wrongKeys.begin(); it != m_wrongKeys.end();) {
        if (it->empty() || nowMs - it->back() >= WindowMs)
            it = m_wrongKeys.erase(it);
        else
            ++it;
    }
}

QByteArray httpResponse(int status, QByteArrayView contentType, QByteArrayView body)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    if (!contentType.isEmpty())
        out += "Content-Type: " + contentType.toByteArray() + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n"
           "Cache-Control: no-store\r\n"
           "X-Content-Type-Options: nosniff\r\n"
           "Referrer-Policy: no-referrer\r\n"
           "Content-Security-Policy: default-src 'none'; script-src 'unsafe-inline'; "
           "style-src 'unsafe-inline'; connect-src 'self'; img-src data:; form-action 'none'; "
           "frame-ancestors 'none'\r\n";
    if (status == 413)
        out += "Connection: close\r\n";
    out += "\r\n";
    out += body;
    return out;
}

} // namespace sorvix::remote
