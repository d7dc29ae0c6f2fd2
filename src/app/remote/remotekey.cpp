#include "app/remote/remotekey.h"

#include <QRandomGenerator>

namespace sorvix::remote {

RemoteKey RemoteKey::generate()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    const QByteArray raw(reinterpret_cast<const char *>(words), sizeof words);
    return RemoteKey(raw.toHex());
}

bool RemoteKey::matches(QByteArrayView given) const
{
    const qsizetype n = m_hex.size();
    // Every byte of the key is compared; a given text of another length is
    // compared against itself cycled and fails on the length.
    unsigned difference = given.size() == n ? 0u : 1u;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char g = given.isEmpty() ? 0 : static_cast<unsigned char>(given[i % given.size()]);
        difference |= g ^ static_cast<unsigned char>(m_hex[i]);
    }
    return n > 0 && difference == 0;
}

} // namespace sorvix::remote
