#include "presentation/screens.h"

#include "base/errors.h"
#include "base/gbk.h"

namespace sorvix::screens {

namespace {
const QString ChoiceFile = QStringLiteral("projector.dll");
}

Roles roles(const QStringList &names, int primary, const QString &chosen)
{
    Roles r;
    const int count = int(names.size());
    if (count == 0)
        return r;
    if (primary < 0 || primary >= count)
        primary = 0;
    const int picked = chosen.isEmpty() ? -1 : int(names.indexOf(chosen));
    if (picked >= 0)
        r.audience = picked;
    else
        r.audience = count > 1 ? (primary == 0 ? 1 : 0) : primary;
    // The operator keeps the laptop's own screen; when the audience was given
    // that one, the next other screen.
    r.operatorScreen = primary;
    if (r.operatorScreen == r.audience && count > 1)
        r.operatorScreen = (r.audience + 1) % count;
    return r;
}

QString loadChoice(const ProgramFolder &folder)
{
    try {
        if (folder.exists(ChoiceFile))
            return gbk::decode(folder.readFirstLine(ChoiceFile));
    } catch (const OperationError &error) {
        reportQuietly("projector choice", error);
    }
    return {};
}

void saveChoice(const ProgramFolder &folder, const QString &name)
{
    folder.writeLines(ChoiceFile, {gbk::encode(name)});
}

} // namespace sorvix::screens
