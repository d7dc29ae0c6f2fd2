#include "base/programfolder.h"

#include <QDir>

namespace sorvix {

ProgramFolder::ProgramFolder(const QString &root)
    : m_root(QDir::cleanPath(root))
{
}

QString ProgramFolder::path(const QString &relative) const
{
    QString native = relative;
    native.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return m_root + QLatin1Char('/') + native;
}

} // namespace sorvix
