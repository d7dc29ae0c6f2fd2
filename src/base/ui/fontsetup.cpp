#include "base/ui/fontsetup.h"

#include <QFont>
#include <QStringList>

namespace sorvix {

void installChineseFaces()
{
    QFont::insertSubstitutions(QStringLiteral("黑体"), QStringList{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitutions(QStringLiteral("楷体"), QStringList{QStringLiteral("AR PL UKai CN"), QStringLiteral("Noto Serif CJK SC")});
    QFont::insertSubstitutions(QStringLiteral("宋体"), QStringList{QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")});
}

} // namespace sorvix
