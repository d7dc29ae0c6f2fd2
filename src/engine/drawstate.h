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

// The draw's progress: the plan's rounds drawn (status.dll) and counted
// (filenameqty.dll), a make-up draw's rounds, and a revealed round still
// waiting for its records. Held by the draw object, the only one that moves it.
class DrawState
{
public:
    // The next round file data\<n>.dll: the rounds drawn so far.
    int roundIndex() const { return m_roundIndex; }
    // The round files of the current plan; 0 when there is no plan.
    int roundCount() const { return m_roundCount; }
    bool makeupActive() const { return m_makeupActive; }
    // The next make-up round file datm\<k>.dll, and how many there are.
    int makeupIndex() const { return m_makeupIndex; }
    int makeupCount() const { return m_makeupCount; }
    // Set while a revealed round waits for its records; no round starts then.
    const std::optional<UnrecordedStop> &unrecorded() const { return m_unrecorded; }

    // Rounds of the current plan have been drawn.
    bool underway() const { return m_roundIndex > 0; }
    bool roundsLeft() const { return m_roundIndex < m_roundCount; }
    bool finished() const { return m_roundCount != 0 && m_roundIndex == m_roundCount; }

    // A preparation begins: the old plan is gone and nothing of a new one is
    // drawn; a round waiting for its records belonged to the old plan.
    void planDiscarded();
    void planWritten(int roundCount);
    // The progress as the files hold it (start-up, a reload).
    void readFromFiles(int roundIndex, int roundCount);
    // A start-up that found a stop recorded but not counted.
    void countRecoveredRound();
    void makeupPrepared(int roundFiles);
    void makeupDropped();
    void keepUnrecorded(const UnrecordedStop &record);
    // A stop's records are all written: its counters move on.
    void recorded(const UnrecordedStop &record);

private:
    int m_roundIndex = 0;
    int m_roundCount = 0;
    bool m_makeupActive = false;
    int m_makeupIndex = 0;
    int m_makeupCount = 0;
    std::optional<UnrecordedStop> m_unrecorded;
};

} // namespace sorvix
