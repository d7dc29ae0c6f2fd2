#include "presentation/layout.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace sorvix::layout {

int roundHalfEven(long double x)
{
    // nearbyint follows the current rounding mode; pin it to nearest-even so a
    // caller that changed the mode cannot shift the screen by a pixel.
    const int mode = std::fegetround();
    if (mode != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const long double r = std::nearbyintl(x);
    if (mode != FE_TONEAREST)
        std::fesetround(mode);
    return static_cast<int>(r);
}

int scaled(long double factor, int value)
{
    return roundHalfEven(factor * static_cast<long double>(value));
}

int points(int height, int less, double ppi)
{
    return roundHalfEven(static_cast<long double>(height) * 72 / static_cast<long double>(ppi)) - less;
}

int lineHeight(int fontPt, double ppi)
{
    return static_cast<int>(std::ceil(LineSpacing * fontPt * ppi / 72));
}

QRect lineBox(const TextBox &box, double ppi)
{
    const int missing = lineHeight(box.fontPt, ppi) - box.rect.height();
    if (missing <= 0)
        return box.rect;
    return box.rect.adjusted(0, -(missing / 2), 0, missing - missing / 2);
}

int fittedPoints(int maxPt, int widthAtMax, int boxWidth)
{
    if (widthAtMax <= boxWidth || widthAtMax <= 0)
        return maxPt;
    return std::max(1, static_cast<int>(static_cast<long long>(maxPt) * std::max(boxWidth, 0) / widthAtMax));
}

ScreenGrowth::ScreenGrowth(int width, int height)
    : m_client(width, height), m_base(width, height)
{
    if (width <= BaseWidth || height <= BaseHeight)
        return;
    m_factor = std::min(double(width) / BaseWidth, double(height) / BaseHeight);
    m_base = QSize(std::max(1, int(std::lround(width / m_factor))), std::max(1, int(std::lround(height / m_factor))));
}

int ScreenGrowth::x(int baseX) const
{
    return grown() ? int(std::lround(double(baseX) * m_client.width() / m_base.width())) : baseX;
}

int ScreenGrowth::y(int baseY) const
{
    return grown() ? int(std::lround(double(baseY) * m_client.height() / m_base.height())) : baseY;
}

QRect ScreenGrowth::rect(const QRect &r) const
{
    const int left = x(r.x()), top = y(r.y());
    return QRect(left, top, x(r.x() + r.width()) - left, y(r.y() + r.height()) - top);
}

int ScreenGrowth::length(int baseLength) const
{
    return grown() ? int(std::lround(baseLength * m_factor)) : baseLength;
}

int ScreenGrowth::baseY(int clientY) const
{
    return grown() ? int(std::lround(double(clientY) * m_base.height() / m_client.height())) : clientY;
}

namespace {

ScreenLayout layOutBase(int W, int H, int P, double ppi, StripState previousStrip)
{
    ScreenLayout l;

    // Caption strip.
    StripState strip = previousStrip;
    if (P == 0)
        strip = {0, true};
    else if (P == 1)
        strip = {H - StripHeight, true};
    else if (P == 2)
        strip = {H - StripHeight, false};
    l.strip = QRect(1, strip.top, W - 2, StripHeight);
    l.stripVisible = strip.visible;
    l.captionLeft = l.strip.width();

    // Title and subtitle.
    const int titleTop = P == 0 ? 50 : 30;
    const int titleHeight = scaled(Factor006, H);
    l.title = {QRect(0, titleTop, W, titleHeight), points(titleHeight, 10, ppi)};

    const int subtitleTop = scaled(Factor001, H) + titleTop + titleHeight;
    const int subtitleHeight = scaled(Factor006, H);
    l.subtitle = {QRect(0, subtitleTop, W, subtitleHeight), points(subtitleHeight, 12, ppi)};

    // Room left below the subtitle for the status line and the slots.
    const int E = (H - 60 - subtitleHeight - subtitleTop) - scaled(Factor004, H);
    l.freeHeight = E;

    // Status line.
    const int headTop = scaled(Factor001, H) + subtitleTop + subtitleHeight;
    const int headHeight = scaled(Factor007, E);
    l.slotFontPt = points(headHeight, 5, ppi);

    // Buttons.
    const int buttonTop = P == 0 ? H - 50 : H - 70;
    l.start = QRect(W / 2 - ButtonWidth - 40, buttonTop, ButtonWidth, ButtonHeight);
    l.end = QRect(W / 2 + 40, buttonTop, ButtonWidth, ButtonHeight);

    // Name slots: a fixed step below the status line, the lower five narrower.
    const int step = scaled(Factor009, E);
    const int slotHeight = scaled(Factor007, E);
    int top = headTop;
    for (int k = 1; k <= SlotCount; ++k) {
        top += step;
        l.nameSlots[k - 1] = k <= 5 ? QRect(0, top, W, slotHeight) : QRect(200, top, W - 400, slotHeight);
    }

    // The status line ends up at half its box height; the slots keep theirs.
    const int headFont = roundHalfEven(static_cast<long double>(headHeight) * 72 / static_cast<long double>(ppi) / 2);
    l.head = {QRect(0, headTop, W, headHeight), headFont};

    // Prize corners.
    const int PW = static_cast<int>(std::trunc(1.5L * W / 10));
    const int PH = static_cast<int>(std::trunc(1.5L * H / 10));

    // Slots 9 and 10 leave room for the corner pictures.
    const int narrow = W - 2 * PW - 10;
    const int narrowLeft = (W - narrow) / 2;
    for (int k : {9, 10}) {
        QRect &r = l.nameSlots[k - 1];
        r = QRect(narrowLeft, r.top(), narrow, r.height());
    }

    const int pictureTop = P == 1 ? H - PH - StripHeight : H - PH;
    // The prize texts share the status line's font, which grows with the
    // screen: their box grows with it, upwards, so a line stays whole above
    // the picture.
    const int textHeight = std::max(PrizeTextHeight, lineHeight(headFont, ppi));
    const int textTop = pictureTop - textHeight;
    l.prizePicture[0] = QRect(0, pictureTop, PW, PH);
    l.prizePicture[1] = QRect(W - PW, pictureTop, PW, PH);
    l.prizeText[0] = {QRect(0, textTop, PW, textHeight), headFont};
    l.prizeText[1] = {QRect(W - PW, textTop, PW, textHeight), headFont};

    return l;
}

} // namespace

ScreenLayout computeLayout(int W, int H, int P, double ppi, StripState previousStrip)
{
    const ScreenGrowth g(W, H);
    if (!g.grown())
        return layOutBase(W, H, P, ppi, previousStrip);

    const QSize base = g.base();
    ScreenLayout l = layOutBase(base.width(), base.height(), P, ppi, {g.baseY(previousStrip.top), previousStrip.visible});
    const auto grow = [&g](TextBox &box) {
        box.rect = g.rect(box.rect);
        box.fontPt = g.length(box.fontPt);
    };
    l.strip = g.rect(l.strip);
    // The strip's margins stay a pixel; a strip left where it was stays exactly there.
    l.strip.setLeft(1);
    l.strip.setRight(W - 2);
    if (P < 0 || P > 2)
        l.strip.moveTop(previousStrip.top);
    l.captionLeft = l.strip.width();
    l.captionPixels = g.length(l.captionPixels);
    l.captionTop = g.length(l.captionTop);
    grow(l.title);
    grow(l.subtitle);
    grow(l.head);
    l.freeHeight = g.length(l.freeHeight);
    for (QRect &slot : l.nameSlots)
        slot = g.rect(slot);
    l.slotFontPt = g.length(l.slotFontPt);
    l.start = g.rect(l.start);
    l.end = g.rect(l.end);
    for (int c = 0; c < 2; ++c) {
        l.prizePicture[c] = g.rect(l.prizePicture[c]);
        grow(l.prizeText[c]);
    }
    return l;
}

} // namespace sorvix::layout
