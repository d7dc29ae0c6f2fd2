#include "engine/drawpool.h"

namespace sorvix::grouptag {

bool namesLevel(const QByteArray &group, int level)
{
    return group == QByteArray::number(level);
}

bool isExcluded(const QByteArray &group)
{
    return group.size() == 1 && (group[0] == 'a' || group[0] == 'A');
}

} // namespace sorvix::grouptag
