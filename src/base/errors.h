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

} // namespace sorvix
