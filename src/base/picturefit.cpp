#include "base/picturefit.h"

#include <algorithm>
#include <cmath>

namespace sorvix {

namespace {

// `outer` shrunk on one side to the proportions of `shape`, centred in it.
QRect centredOfShape(const QRect &outer, QSize shape)
{
    const qint64 lhs = qint64(shape.width()) * outer.height();
    const qint64 rhs = qint64(shape.height()) * outer.width();
    QSize size = outer.size();
    if (lhs > rhs) // the shape is wider than `outer`: full width, less height
        size.setHeight(std::max(1, int(std::lround(double(rhs) / shape.width()))));
    else if (lhs < rhs)
        size.setWidth(std::max(1, int(std::lround(double(lhs) / shape.height()))));
    return QRect(outer.x() + (outer.width() - size.width()) / 2, outer.y() + (outer.height() - size.height()) / 2,
                 size.width(), size.height());
}

} // namespace

PicturePlacement placePicture(QSize picture, QSize box, PictureFit fit)
{
    const QRect whole(QPoint(0, 0), picture);
    const QRect area(QPoint(0, 0), box);
    if (fit == PictureFit::Stretch || picture.isEmpty() || box.isEmpty())
        return {whole, area};
    if (fit == PictureFit::Cover)
        return {centredOfShape(whole, box), area};
    return {whole, centredOfShape(area, picture)};
}

} // namespace sorvix
