#include "base/errors.h"

#include <QDebug>

namespace sorvix {

void reportQuietly(const char *where, const QString &message)
{
    QString line = message;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    qWarning().noquote() << QString::fromUtf8(where) + QStringLiteral(": ") + line;
}

} // namespace sorvix
