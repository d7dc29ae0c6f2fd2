#pragma once

#include "app/records.h"
#include "engine/draw.h"

#include <QDateTime>

namespace sorvix {

// The questions asked when the draw screen closes, and the history record of
// the night so far.
class ExitQuestions
{
public:
    ExitQuestions(Draw &draw, RecordCommands &records, OperatorPort &op);

    // Returns whether the program may close; `now` dates the history record
    // and names the offered export.
    bool confirmClose(const QDateTime &now);

private:
    Draw &m_draw;
    RecordCommands &m_records;
    OperatorPort &m_operator;
};

} // namespace sorvix
