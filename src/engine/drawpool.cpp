#include "engine/drawpool.h"

namespace sorvix {

DrawPool buildPool(const ParticipantList &list, const ShowFields &show)
{
    const int n = list.count();
    DrawPool pool;
    pool.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        const Participant p = list.participant(i);
        PoolEntry &entry = pool[size_t(i)];
        entry.displayText = displayText(p, show);
        entry.fullText = fullText(p);
        entry.group = p.group;
        entry.person = i;
    }
    return pool;
}

namespace grouptag {

bool namesLevel(const QByteArray &group, int level)
{
    return group == QByteArray::number(level);
}

bool isExcluded(const QByteArray &group)
{
    return group.size() == 1 && (group[0] == 'a' || group[0] == 'A');
}

} // namespace grouptag
} // namespace sorvix
