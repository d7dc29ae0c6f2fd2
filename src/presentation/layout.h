#pragma once

#include <QRect>
#include <array>

namespace sorvix {

// The draw screen's geometry for a client area, recomputed on every resize.
// Pure arithmetic: the window copies the boxes and font sizes onto its
// controls. Hidden elements keep their place, so the layout never looks at the
// hide options.
namespace layout {

constexpr int SlotCount = 10;
constexpr int StripHeight = 30;
constexpr int ButtonWidth = 76;
constexpr int ButtonHeight = 33;
constexpr int PrizeTextHeight = 30;
// The caption strip's text: its pixel size and its top inside the strip.
constexpr int CaptionPixels = 19;
constexpr int CaptionTextTop = 5;

// The size the layout's rules were made for. A larger screen is that screen
// grown: the rules lay out a base size of the same shape, and every box and
// font is then grown onto the screen, so each element keeps its share.
constexpr int BaseWidth = 1920;
constexpr int BaseHeight = 1080;

// How a client area is laid out: up to 1920 x 1080 (either side) by the rules
// as they are, above that as the base size grown by the smaller of the two
// ratios, so a 16:9 screen keeps every share of its height and a wider or
// taller one keeps its texts within its sides.
class ScreenGrowth
{
public:
    ScreenGrowth(int width, int height);

    double factor() const { return m_factor; }
    bool grown() const { return m_factor > 1; }
    // The client area the rules lay out.
    QSize base() const { return m_base; }

    // Base coordinates onto the client area: edges are mapped, not sizes, so
    // boxes that meet in the base meet on the screen and the right and bottom
    // edges stay flush.
    int x(int baseX) const;
    int y(int baseY) const;
    QRect rect(const QRect &baseRect) const;
    // A length that is not a position (a font size, a line's height).
    int length(int baseLength) const;
    // A client coordinate back in the base (a position kept from before).
    int baseY(int y) const;

private:
    QSize m_client;
    QSize m_base;
    double m_factor = 1;
};

// The factors of the layout. 0.07 and 0.09 are deliberately single-precision
// values (0.0700000003, 0.0900000036) widened to extended precision: products
// that would be exact halves in decimal land round up, as the screens of
// earlier versions did (150 x 0.07 gives 11). The others stay exact halves and
// go to the even neighbour.
constexpr long double Factor006 = 0.06L;
constexpr long double Factor001 = 0.01L;
constexpr long double Factor004 = 0.04L;
constexpr long double Factor007 = static_cast<long double>(0.07f);
constexpr long double Factor009 = static_cast<long double>(0.09f);

// Round to nearest, exact halves to the even neighbour, in extended precision.
int roundHalfEven(long double x);
// round(factor x value).
int scaled(long double factor, int value);
// A font size in points for a box `height` pixels high, minus `less`.
int points(int height, int less, double ppi);

// The height of one line of text in a font of `fontPt` points: the Chinese
// faces the screen uses need about 1.4 times their size.
constexpr double LineSpacing = 1.4;
int lineHeight(int fontPt, double ppi);

// The size for a text that is `widthAtMax` pixels wide at `maxPt` points to
// fit `boxWidth`: `maxPt` when it fits, else proportionally less (at least 1).
int fittedPoints(int maxPt, int widthAtMax, int boxWidth);

// The caption strip's top and visibility: a caption position outside 0..2
// leaves them as they were, so the layout takes the previous state.
struct StripState
{
    int top = 0;
    bool visible = true;
};

struct TextBox
{
    QRect rect;
    int fontPt = 0;
};

// A text's box grown evenly up and down to one line of its font where the
// layout's box is shorter: the text stays where it was, and a large font's
// descenders ("Q", "g") are not cut off at the box's edge.
QRect lineBox(const TextBox &box, double ppi);

struct ScreenLayout
{
    // captionStrip and the scroll start of captionLabel (= strip width).
    QRect strip;
    bool stripVisible = true;
    int captionLeft = 0;

    TextBox title;
    TextBox subtitle;
    // statusLabel: its box and its final font size (half its height in points).
    TextBox head;
    // The free height between the status line and the bottom the slots share.
    int freeHeight = 0;

    // nameSlot1..10 at index 0..9; all of them use slotFontPt.
    std::array<QRect, SlotCount> nameSlots;
    int slotFontPt = 0;

    QRect start;  // startButton
    QRect end;    // stopButton

    // Bottom-left (leftPrizePicture, leftPrizeLabel) and bottom-right (rightPrizePicture,
    // rightPrizeLabel) prize corners. Both texts use head.fontPt at most (a long
    // prize text shrinks to its corner's width); their box is one line of it.
    QRect prizePicture[2];
    TextBox prizeText[2];

    // The caption strip's text: its pixel size and its top inside the strip.
    int captionPixels = CaptionPixels;
    int captionTop = CaptionTextTop;

    const QRect &slot(int k) const { return nameSlots[k - 1]; } // k = 1..10
    StripState stripState() const { return {strip.top(), stripVisible}; }
};

// Lays out a client area W x H with caption position P (0 top, 1 bottom,
// 2 off) for fonts at `ppi` pixels per inch.
ScreenLayout computeLayout(int W, int H, int P, double ppi, StripState previousStrip = {});

} // namespace layout
} // namespace sorvix
