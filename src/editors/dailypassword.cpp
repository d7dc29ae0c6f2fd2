#include "editors/dailypassword.h"

namespace sorvix::dailypassword {

QString forDate(const QDate &date)
{
    QString digits = QStringLiteral("%1%2%3")
                         .arg(date.day(), 2, 10, QLatin1Char('0'))
                         .arg(date.month(), 2, 10, QLatin1Char('0'))
                         .arg(date.year() % 10000, 4, 10, QLatin1Char('0'));
    for (QChar &c : digits)
        c = QChar(u'0' + (9 - (c.unicode() - u'0')));
    return digits;
}

bool matches(const QString &typed, const QDate &date)
{
    return date.isValid() && typed == forDate(date);
}

} // namespace sorvix::dailypassword
