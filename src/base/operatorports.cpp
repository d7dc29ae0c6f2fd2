#include "base/operatorports.h"

#include <QDir>
#include <QFileInfo>

namespace sorvix {

bool openOrSay(OperatorPort &op, const QString &path, const QString &what)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        op.warn(QStringLiteral("找不到%1：\r%2").arg(what, shown));
        return false;
    }
    if (op.openWithShell(path))
        return true;
    op.warn(QStringLiteral("这台电脑上没有能打开%1的程序。\r文件在：%2").arg(what, shown));
    return false;
}

} // namespace sorvix
