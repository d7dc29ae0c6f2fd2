#pragma once

namespace sorvix {

// The caption strip's scrolling text: one pixel to the left per timer tick;
// once it has left the strip completely it comes back 100 pixels inside the
// right edge. A re-layout restarts it from the right edge itself.
class CaptionScroller
{
public:
    // Period of the strip's timer before the award settings were first read;
    // afterwards DrawOptions::captionIntervalMs() (10, 25 or 50 ms).
    static constexpr int InitialIntervalMs = 1000;
    static constexpr int ReentryInset = 100;

    int left() const { return m_left; }
    int width() const { return m_width; }
    int stripWidth() const { return m_stripWidth; }

    // The caption's width follows its text (the label sizes itself, or the
    // title's 10 pixels per byte); the position is kept.
    void setWidth(int width) { m_width = width; }
    // The strip was laid out anew: start again at its right edge.
    void relayout(int stripWidth);
    // One timer tick; returns the new left edge.
    int tick();

private:
    int m_left = 0;
    int m_width = 0;
    int m_stripWidth = 0;
};

} // namespace sorvix
