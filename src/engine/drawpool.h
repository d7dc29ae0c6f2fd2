#pragma once

#include "settings/participantlist.h"

#include <QByteArray>
#include <vector>

namespace sorvix {

// One participant as the draw sees them. The pool is built in list order when
// the list is loaded and reordered in place by every preparation of the draw;
// its display texts are what the name slots roll through.
struct PoolEntry
{
    QByteArray displayText;
    QByteArray fullText;
    QByteArray group;
    // The person's position in the participant list (0-based), which the
    // reordering of the pool keeps.
    int person = -1;
};

using DrawPool = std::vector<PoolEntry>;

// The draw pool in list order, with the display texts of the shown fields.
DrawPool buildPool(const ParticipantList &list, const ShowFields &show);

// What a group tag means for the draw.
namespace grouptag {
// The tag names this level as a preset winner: exactly its decimal text.
bool namesLevel(const QByteArray &group, int level);
// "a" or "A": kept out of the winners while others remain.
bool isExcluded(const QByteArray &group);
} // namespace grouptag

} // namespace sorvix
