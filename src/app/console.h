#pragma once

#include "engine/draw.h"

#include <QString>

namespace sorvix {

// What the operator's console shows of the draw: the round now and the one to
// come, the last winners, a record still waiting for the disk and the button.
struct ConsoleText
{
    QString now;       // the status line as the screen shows it
    QString progress;  // rounds drawn of the plan, or of the make-up
    QString next;      // the next round's level
    QString winners;   // the last stop's winners
    QString pending;   // empty unless a record waits
    QString button;    // "开始" or "停止"

    static ConsoleText of(const Draw &draw);
};

} // namespace sorvix
