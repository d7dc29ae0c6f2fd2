#include "engine/screenstate.h"

namespace sorvix {

void ScreenState::showMessage(const QByteArray &message)
{
    names.fill(QByteArray());
    names[nameslots::MessageLine - 1] = message;
    revealed.clear();
}

void ScreenState::showSlotsFor(int count)
{
    const int first = nameslots::firstOf(count);
    for (int k = 1; k <= nameslots::Count; ++k)
        nameShown[size_t(k - 1)] = k >= first && k < first + count;
}

void ScreenState::reveal(const Lines &winners)
{
    names.fill(QByteArray());
    const int first = nameslots::firstOf(int(winners.size()));
    for (qsizetype i = 0; i < winners.size(); ++i)
        names[size_t(first - 1 + i)] = winners[i];
    revealed = winners;
}

void ScreenState::hidePrizes()
{
    for (Prize &prize : prizes) {
        prize.textShown = false;
        prize.pictureShown = false;
    }
}

void ScreenState::showPrizeText(Corner corner, const QByteArray &text)
{
    prizes[corner].text = text;
    prizes[corner].textShown = true;
}

void ScreenState::showPrizePicture(Corner corner, const QString &path)
{
    prizes[corner].picture = path;
    prizes[corner].pictureShown = true;
}

} // namespace sorvix
