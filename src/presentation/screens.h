#pragma once

#include "base/programfolder.h"

#include <QStringList>

namespace sorvix {

// Which screen is the audience's and which the operator's. A hall's laptop is
// usually wired to a projector in "extend" mode: the draw screen goes on a
// screen other than the laptop's own (the primary one) unless the operator
// chose another, and the operator's console, questions and editors stay on
// the laptop.
namespace screens {

struct Roles
{
    int audience = 0;
    int operatorScreen = 0;
    // The operator has a screen of their own.
    bool separate() const { return audience != operatorScreen; }
};

// `names` are the screens' names in the system's order, `primary` the index
// of the primary one; `chosen` the name the operator chose for the audience,
// empty for none. A chosen screen that is not there counts as no choice.
Roles roles(const QStringList &names, int primary, const QString &chosen);

// projector.dll: the name of the screen chosen for the audience, remembered
// for the next start. Missing or unreadable: no choice.
QString loadChoice(const ProgramFolder &folder);
// Throws OperationError.
void saveChoice(const ProgramFolder &folder, const QString &name);

} // namespace screens
} // namespace sorvix
