#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace sorvix::remote {

// The secret in the phone remote's address: 128 random bits from the
// operating system, written as 32 lower-case hex digits.
class RemoteKey
{
public:
    static RemoteKey generate();
    explicit RemoteKey(QByteArray hex) : m_hex(std::move(hex)) {}

    const QByteArray &text() const { return m_hex; }
    // Takes as long for a wrong key as for the right one, whatever its length
    // or contents, so the answer's timing tells nothing about the key.
    bool matches(QByteArrayView given) const;

private:
    QByteArray m_hex;
};

} // namespace sorvix::remote
