#include "app/commandline.h"

#include "base/version.h"

#include <QDir>

namespace sorvix {

namespace {

QString helpText(const QString &userFolder)
{
    return QStringLiteral(
               "用法：sorvix [选项]\n"
               "\n"
               "Sorvix 抽奖软件。不带选项时，程序在本用户的程序文件夹中运行：\n"
               "  %1\n"
               "第一次启动时自动建立；安装新版本后，下次启动时更新其中的出厂文件"
               "（DLL、图片、声音、使用说明和名单模板），人员名单、设置、抽奖计划、"
               "中奖结果和历史记录都保持不变。\n"
               "\n"
               "选项：\n"
               "  --folder 文件夹    在指定的文件夹中运行，例如U盘上的一场活动；\n"
               "                     文件夹为空或不存在时先在其中建立程序文件夹\n"
               "  --factory 文件夹   出厂程序文件夹（由启动器给出，一般不需要指定）\n"
               "  --version          显示版本号\n"
               "  --help             显示本帮助\n")
        .arg(QDir::toNativeSeparators(userFolder));
}

QString absolute(const QString &path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

} // namespace

StartRequest parseCommandLine(const QStringList &arguments, const QString &executableFolder,
                              const QString &userFolder)
{
    StartRequest request;
    const auto refuse = [&request](const QString &why) {
        request.action = StartRequest::Action::Refuse;
        request.text = why + QStringLiteral("用 sorvix --help 查看可用的选项。");
        return request;
    };
    QString folder;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString option = arguments[i];
        QString value;
        const qsizetype equals = option.indexOf(QLatin1Char('='));
        if (option.startsWith(QLatin1String("--")) && equals > 0) {
            value = option.mid(equals + 1);
            option.truncate(equals);
        }
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            request.action = StartRequest::Action::PrintHelp;
            request.text = helpText(userFolder);
            return request;
        }
        if (option == QLatin1String("--version") || option == QLatin1String("-v")) {
            request.action = StartRequest::Action::PrintVersion;
            request.text = QStringLiteral("Sorvix %1\n").arg(QLatin1String(VersionNumber));
            return request;
        }
        if (option == QLatin1String("--folder") || option == QLatin1String("--factory")) {
            if (equals <= 0) {
                if (i + 1 >= arguments.size())
                    return refuse(QStringLiteral("选项 %1 后面缺少文件夹。").arg(option));
                value = arguments[++i];
            }
            if (value.isEmpty())
                return refuse(QStringLiteral("选项 %1 后面缺少文件夹。").arg(option));
            (option == QLatin1String("--folder") ? folder : request.factory) = absolute(value);
            continue;
        }
        // Single-dash options are the window toolkit's own (-platform offscreen, -style ...).
        if (option.startsWith(QLatin1Char('-')) && !option.startsWith(QLatin1String("--"))) {
            if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('-')))
                ++i;
            continue;
        }
        return refuse(QStringLiteral("无法识别的参数“%1”。").arg(arguments[i]));
    }
    if (!folder.isEmpty()) {
        request.folder = folder;
        if (request.factory.isEmpty())
            request.factory = QDir::cleanPath(executableFolder);
    } else if (!request.factory.isEmpty()) {
        request.folder = QDir::cleanPath(userFolder);
    } else {
        request.folder = QDir::cleanPath(executableFolder);
    }
    return request;
}

} // namespace sorvix
