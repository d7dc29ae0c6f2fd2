#include "engine/prize.h"

#include "base/gbk.h"

#include <QFileInfo>

namespace sorvix {

void presentPrize(ScreenPort &screen, const ProgramFolder &folder, const AwardLevel &level, const DrawOptions &options)
{
    Q_UNUSED(folder);
    screen.hidePrizes();
    const bool left = options.prizePosition == 0 || options.prizePosition == 2;
    const bool right = options.prizePosition == 1 || options.prizePosition == 2;
    if (!options.prizeTextHidden) {
        const QByteArray text = gbk::fromUtf8("奖品") + level.prizeText;
        if (left)
            screen.showPrizeText(ScreenPort::Left, text);
        if (right)
            screen.showPrizeText(ScreenPort::Right, text);
    }
    // The picture path is a full path chosen in the award editor.
    const QString picture = gbk::decode(level.picturePath);
    if (!options.prizePictureHidden && !picture.isEmpty() && QFileInfo(picture).isFile()) {
        if (left)
            screen.showPrizePicture(ScreenPort::Left, picture);
        if (right)
            screen.showPrizePicture(ScreenPort::Right, picture);
    }
}

} // namespace sorvix
