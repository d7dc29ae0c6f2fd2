#pragma once

#include "app/drawround.h"

namespace sorvix {

// A draw round without a window: the rolling timer is a flag that the caller
// ticks by hand, full screen stays locked. For test drivers and benchmarks.
class HeadlessHost : public DrawRoundHost
{
public:
    bool timer = false;
    bool fullScreenLocked() const override { return true; }
    void enterFullScreen() override {}
    void hideMenus() override {}
    void setStartPicture(const QString &) override {}
    void setEndPicture(const QString &) override {}
    void startRollingTimer() override { timer = true; }
    void stopRollingTimer() override { timer = false; }
    bool rollingTimerActive() const override { return timer; }
    void showResults() override {}
};

} // namespace sorvix
