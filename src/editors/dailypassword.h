#pragma once

#include <QDate>
#include <QString>

namespace sorvix {

// The password that opens the list editor's group mode: eight digits made from
// the local date, a new one each day. The organiser works it out from the date
// (the rule is in the README); nobody in the room can read it off a screen.
namespace dailypassword {

// The date written day, month, year ("ddMMyyyy"), every digit d replaced by 9 - d.
QString forDate(const QDate &date);
// Exactly the day's password: no trimming, no other day's.
bool matches(const QString &typed, const QDate &date);

} // namespace dailypassword
} // namespace sorvix
