#include "presentation/caption.h"

namespace sorvix {

void CaptionScroller::relayout(int stripWidth)
{
    m_stripWidth = stripWidth;
    m_left = stripWidth;
}

int CaptionScroller::tick()
{
    if (m_left < -m_width)
        m_left = m_stripWidth - ReentryInset;
    else
        --m_left;
    return m_left;
}

} // namespace sorvix
