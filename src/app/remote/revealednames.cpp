#include "app/remote/revealednames.h"

#include "base/gbk.h"

namespace sorvix {

RevealedNames::RevealedNames(ScreenPort &screen, const DrawRoundHost &host)
    : m_screen(screen), m_host(host)
{
}

void RevealedNames::setSlot(int slot, const QByteArray &text)
{
    m_screen.setSlot(slot, text);
    if (slot < 1 || slot > 10)
        return;
    if (m_host.rollingTimerActive()) {
        for (QString &name : m_names)
            name.clear();
    } else {
        m_names[slot] = gbk::decode(text);
    }
}

QStringList RevealedNames::stillShown(const std::function<QString(int slot)> &shownText) const
{
    QStringList names;
    for (int slot = 1; slot <= 10; ++slot) {
        if (m_names[slot].isEmpty())
            continue;
        if (shownText(slot) != m_names[slot])
            return {};
        names << m_names[slot];
    }
    return names;
}

} // namespace sorvix
