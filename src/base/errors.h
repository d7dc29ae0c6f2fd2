#pragma once

#include <QString>
#include <stdexcept>

namespace sorvix {

// A file or conversion failure inside an operation. The message is the
// operator's text (Chinese); commands show it in an error box, start-up steps
// end quietly on it.
class OperationError : public std::runtime_error
{
public:
    explicit OperationError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// What the operator can do about a file that could not be written, added to
// the message of every write of the night that fails.
inline QString writeFailureAdvice()
{
    return QStringLiteral("请腾出磁盘空间、插回U盘或让程序文件夹可以写入，然后再试一次。");
}
// A failed write's message followed by the advice, for an error box.
inline QString withWriteAdvice(const QString &message)
{
    return message + QStringLiteral("\r") + writeFailureAdvice();
}

// Writes one line to standard error for a failure the screen must not show
// (a start-up step, a preparation of the draw), so that an organiser's
// "nothing happened" can still be diagnosed. No log file is kept.
void reportQuietly(const char *where, const QString &message);
inline void reportQuietly(const char *where, const OperationError &error) { reportQuietly(where, error.message()); }

} // namespace sorvix
