#pragma once

#include <QColor>

class QLabel;
class QWidget;

// How the draw screen styles its texts.
namespace sorvix::screenlabels {

inline const QColor Yellow{255, 255, 0};
inline constexpr const char *HeiTi = "黑体";

void setColour(QWidget *label, const QColor &colour);
void setPointSize(QLabel *label, int points);
void setCentred(QLabel *label, bool centred);
// A prize text at the corner's size, or smaller when it is longer than the
// corner is wide: never cut. The corner's size is kept on the label.
void fitPrizeText(QLabel *label, int cornerPt = 0);

} // namespace sorvix::screenlabels
