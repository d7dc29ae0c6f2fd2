#pragma once

#include "base/operatorports.h"

#include <QByteArray>
#include <QString>

namespace sorvix {

// What the engine and the draw round ask of the draw screen. Texts are GBK.
class ScreenPort
{
public:
    enum Corner { Left = 0, Right = 1 };
    virtual ~ScreenPort() = default;

    virtual void setHead(const QByteArray &text) = 0;
    // Name slots 1..10.
    virtual void setSlot(int slot, const QByteArray &text) = 0;
    virtual void setSlotVisible(int slot, bool visible) = 0;
    // Hides both prize texts and both prize pictures.
    virtual void hidePrizes() = 0;
    virtual void showPrizeText(Corner corner, const QByteArray &text) = 0;
    // Loads and shows a picture file in a corner.
    virtual void showPrizePicture(Corner corner, const QString &path) = 0;
    virtual void hidePrizePicture(Corner corner) = 0;
    // The caption strip's text; `width` >= 0 sets the caption's width too.
    virtual void setCaption(const QByteArray &text, int width = -1) = 0;
    // Stops the rolling of the name slots.
    virtual void stopRolling() = 0;
};

} // namespace sorvix
