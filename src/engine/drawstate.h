#pragma once

#include "base/textfile.h"

#include <optional>

namespace sorvix {

// A round whose winners were revealed on the screen but whose records could
// not all be written yet. The counters stay at it until it is recorded.
struct UnrecordedStop
{
    bool makeup = false;
    int round = 0;              // roundIndex or makeupIndex of the round
    bool hasWinners = false;    // false when the round file could not be read
    int level = -1;
    QByteArray displayName;     // the level's name and prize at the stop
    QByteArray prizeText;
    Lines names;
    qint64 levelFileSize = -1;  // dat\<level>.dll before the stop, -1 when missing
    bool levelRecorded = false;
};

// The draw's progress, held once and shared by the draw screen, the draw round,
// the preparation and the make-up.
struct DrawState
{
    int roundIndex = 0;    // next round file data\<n>.dll; rounds drawn so far
    int roundCount = 0;    // round files of the current plan
    bool makeupActive = false;
    int makeupIndex = 0;   // next make-up round file datm\<k>.dll
    int makeupCount = 0;
    // Set while a revealed round waits for its records; no round starts then.
    std::optional<UnrecordedStop> unrecorded;
};

} // namespace sorvix
