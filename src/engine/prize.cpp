#include "engine/prize.h"

#include "base/gbk.h"

#include <QFileInfo>

namespace sorvix::prize {

namespace {

QString existingPicture(const ProgramFolder &folder, const AwardLevel &level, const DrawOptions &options)
{
    const QString path = picture(folder, level.picturePath);
    return !options.prizePictureHidden && !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

} // namespace

QByteArray caption(const AwardLevel &level, bool makeup)
{
    return gbk::fromUtf8(makeup ? "奖品 " : "奖品") + level.prizeText;
}

QString picture(const ProgramFolder &folder, const QByteArray &picturePath)
{
    const QString path = gbk::decode(picturePath);
    if (path.isEmpty())
        return path;
    // A drive letter or a leading slash marks a full path, as the editor writes it.
    const bool full = QFileInfo(path).isAbsolute() || (path.size() > 1 && path[1] == QLatin1Char(':'));
    return full ? path : folder.path(path);
}

void present(ScreenState &screen, const ProgramFolder &folder, const AwardLevel &level, const DrawOptions &options)
{
    screen.hidePrizes();
    std::vector<ScreenState::Corner> corners;
    if (options.prizePosition == 0 || options.prizePosition == 2)
        corners.push_back(ScreenState::Left);
    if (options.prizePosition == 1 || options.prizePosition == 2)
        corners.push_back(ScreenState::Right);
    const QString path = existingPicture(folder, level, options);
    for (ScreenState::Corner corner : corners) {
        if (!options.prizeTextHidden)
            screen.showPrizeText(corner, caption(level));
        if (!path.isEmpty())
            screen.showPrizePicture(corner, path);
    }
}

void presentMakeup(ScreenState &screen, const ProgramFolder &folder, const AwardLevel &level,
                   const DrawOptions &options)
{
    screen.hidePrizes();
    if (!options.prizeTextHidden)
        screen.showPrizeText(ScreenState::Left, caption(level, true));
    if (const QString path = existingPicture(folder, level, options); !path.isEmpty())
        screen.showPrizePicture(ScreenState::Left, path);
}

} // namespace sorvix::prize
