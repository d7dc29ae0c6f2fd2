// The phone remote's reading of a request: method, target (as Qt's URL parser
// passes it on), sender and body size, decided by the request gate.
#include "fuzzsupport.h"

#include "app/remote/requestgate.h"

#include <QUrl>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace sorvix::remote;
    static const QByteArray key = "0123456789abcdef0123456789abcdef";
    static RequestGate gate{RemoteKey(key)};
    static qint64 now = 0;
    const QList<QByteArray> parts = sorvix::fuzz::bytes(data, size).split('\n');
    Request request;
    request.method = parts.value(0);
    request.sender = parts.value(2);
    request.bodySize = parts.size() > 3 ? parts.mid(3).join('\n').size() : 0;
    const QByteArray target = parts.value(1);
    for (const QByteArray &asked :
         {target, QUrl::fromEncoded(target).toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority)}) {
        request.target = asked;
        now += 7;
        const Decision decision = gate.decide(request, now);
        // Nothing is served without the key, or with a large body.
        if (decision.status == 200) {
            const qsizetype question = asked.indexOf('?');
            if (question < 0 || queryValue(QByteArrayView(asked).sliced(question + 1), "k") != key)
                __builtin_trap();
            if (request.bodySize > RequestGate::MaxBody)
                __builtin_trap();
        }
        httpResponse(decision.status, "text/plain", asked);
    }
    return 0;
}
