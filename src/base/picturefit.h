#pragma once

#include <QRect>

namespace sorvix {

// How a picture meets a box of another shape.
enum class PictureFit {
    Stretch, // the whole picture over the whole box (pictures made for their box)
    Cover,   // the box filled, the picture's overflow cut off evenly (backgrounds)
    Contain, // the whole picture, as large as fits, centred (prize pictures)
};

struct PicturePlacement
{
    QRect source; // the part of the picture shown, in its pixels
    QRect target; // where it goes in the box
};

// Where a picture of `picture` size goes in a box of `box` size; the shown
// part keeps its proportions but for Stretch.
PicturePlacement placePicture(QSize picture, QSize box, PictureFit fit);

} // namespace sorvix
