#include "engine/prize.h"

#include "base/gbk.h"

#include <QFileInfo>

namespace sorvix {

void presentPrize(ScreenPort &screen, const ProgramFolder &folder, const AwardLevel &level, const DrawOptions &options)
{
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
    const QString picture = prizePicture(folder, level.picturePath);
    if (!options.prizePictureHidden && !picture.isEmpty() && QFileInfo(picture).isFile()) {
        if (left)
            screen.showPrizePicture(ScreenPort::Left, picture);
        if (right)
            screen.showPrizePicture(ScreenPort::Right, picture);
    }
}

QString prizePicture(const ProgramFolder &folder, const QByteArray &picturePath)
{
    const QString picture = gbk::decode(picturePath);
    if (picture.isEmpty())
        return picture;
    // A drive letter or a leading slash marks a full path, as the editor writes it.
    const bool full = QFileInfo(picture).isAbsolute() || (picture.size() > 1 && picture[1] == QLatin1Char(':'));
    return full ? picture : folder.path(picture);
}

} // namespace sorvix
