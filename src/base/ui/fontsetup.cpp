#include "base/ui/fontsetup.h"

#include <QFont>
#include <QStringList>

namespace sorvix {

void installChineseFaces()
{
#ifdef Q_OS_WIN
    // Windows has the faces themselves, named SimHei, KaiTi and SimSun outside
    // a Chinese Windows; the Linux faces after them serve Wine.
    const QStringList hei{QStringLiteral("SimHei"), QStringLiteral("Microsoft YaHei")};
    const QStringList kai{QStringLiteral("KaiTi"), QStringLiteral("STKaiti")};
    const QStringList song{QStringLiteral("SimSun"), QStringLiteral("NSimSun")};
#else
    const QStringList hei, kai, song;
#endif
    QFont::insertSubstitutions(QStringLiteral("黑体"), hei + QStringList{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitutions(QStringLiteral("楷体"), kai + QStringList{QStringLiteral("AR PL UKai CN"), QStringLiteral("Noto Serif CJK SC")});
    QFont::insertSubstitutions(QStringLiteral("宋体"), song + QStringList{QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")});
}

} // namespace sorvix
