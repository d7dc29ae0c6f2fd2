#include "engine/drawstate.h"

namespace sorvix {

void DrawState::planDiscarded()
{
    m_unrecorded.reset();
    m_roundIndex = 0;
    m_roundCount = 0;
}

void DrawState::planWritten(int roundCount)
{
    m_roundCount = roundCount;
}

void DrawState::readFromFiles(int roundIndex, int roundCount)
{
    m_roundIndex = roundIndex;
    m_roundCount = roundCount;
}

void DrawState::countRecoveredRound()
{
    ++m_roundIndex;
}

void DrawState::makeupPrepared(int roundFiles)
{
    m_makeupIndex = 0;
    m_makeupCount = roundFiles;
    m_makeupActive = roundFiles > 0;
}

void DrawState::makeupDropped()
{
    m_makeupActive = false;
}

void DrawState::keepUnrecorded(const UnrecordedStop &record)
{
    m_unrecorded = record;
}

void DrawState::recorded(const UnrecordedStop &record)
{
    m_unrecorded.reset();
    if (record.makeup) {
        m_makeupIndex = record.round + 1;
        if (m_makeupIndex == m_makeupCount)
            m_makeupActive = false;
    } else {
        m_roundIndex = record.round + 1;
    }
}

} // namespace sorvix
