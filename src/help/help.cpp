#include "help/help.h"

#include "base/version.h"

namespace sorvix::help {

const QStringList &quickHelpLines()
{
    static const QString indent(6, QLatin1Char(' '));
    static const QStringList lines{
        QString(),
        indent + QStringLiteral("右键显示主菜单。"),
        QString(),
        indent + QStringLiteral("两个主要步骤，完成抽奖设置。"),
        indent + QStringLiteral("1，点击【设置】－【人员名单】，导入或者现场编辑人员名单。"),
        indent + QStringLiteral("2，点击【设置】－【奖项设置】，设置奖项。"),
        indent + QStringLiteral("开始抽奖。"),
    };
    return lines;
}

void saveQuickHelp(const ProgramFolder &folder, bool dontShowAtStart)
{
    folder.writeLines(files::QuickHelp, {dontShowAtStart ? QByteArrayLiteral("0") : QByteArrayLiteral("1")});
}

void openGuide(const ProgramFolder &folder, OperatorPort &op)
{
    openOrSay(op, folder.path(GuidePage), QStringLiteral("使用说明"));
}

QString productText()
{
    return QStringLiteral("Sorvix软件");
}

QString versionText()
{
    return QString::fromLatin1(VersionText);
}

QString makerText()
{
    return QStringLiteral("Qenwood出品");
}

QString makerAddress()
{
    return GuidePage;
}

} // namespace sorvix::help
