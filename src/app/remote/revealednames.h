#pragma once

#include "app/drawround.h"

#include <QStringList>
#include <functional>

namespace sorvix {

// The draw round's way to the screen, passed on unchanged, remembering the
// names the last stop put into the slots: the phone remote lists them. Only a
// stop fills slots while no round rolls; a rolling tick forgets them.
class RevealedNames : public ScreenPort
{
public:
    RevealedNames(ScreenPort &screen, const DrawRoundHost &host);

    // The last stop's names, slot by slot, as far as the screen still shows
    // them (`shownText` gives a slot's text on the screen, "" when hidden): a
    // preparation or a make-up that cleared the slots ends the list.
    QStringList stillShown(const std::function<QString(int slot)> &shownText) const;

    void setHead(const QByteArray &text) override { m_screen.setHead(text); }
    void setSlot(int slot, const QByteArray &text) override;
    void setSlotVisible(int slot, bool visible) override { m_screen.setSlotVisible(slot, visible); }
    void hidePrizes() override { m_screen.hidePrizes(); }
    void showPrizeText(Corner corner, const QByteArray &text) override { m_screen.showPrizeText(corner, text); }
    void showPrizePicture(Corner corner, const QString &path) override { m_screen.showPrizePicture(corner, path); }
    void hidePrizePicture(Corner corner) override { m_screen.hidePrizePicture(corner); }
    void setCaption(const QByteArray &text, int width = -1) override { m_screen.setCaption(text, width); }
    void stopRolling() override { m_screen.stopRolling(); }

private:
    ScreenPort &m_screen;
    const DrawRoundHost &m_host;
    QString m_names[11];
};

} // namespace sorvix
