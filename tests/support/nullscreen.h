#pragma once

#include "base/nulloperatorports.h"
#include "engine/screenport.h"

namespace sorvix {

// A draw screen that shows nothing, for running the draw without a window.
class NullScreen : public ScreenPort
{
public:
    void setHead(const QByteArray &) override {}
    void setSlot(int, const QByteArray &) override {}
    void setSlotVisible(int, bool) override {}
    void hidePrizes() override {}
    void showPrizeText(Corner, const QByteArray &) override {}
    void showPrizePicture(Corner, const QString &) override {}
    void hidePrizePicture(Corner) override {}
    void setCaption(const QByteArray &, int) override {}
    void stopRolling() override {}
};

} // namespace sorvix
