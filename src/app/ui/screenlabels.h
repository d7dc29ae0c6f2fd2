#pragma once

class QLabel;

// How the draw screen styles its texts.
namespace sorvix::screenlabels {

void setPointSize(QLabel *label, int points);
void setCentred(QLabel *label, bool centred);
// A prize text at the corner's size, or smaller when it is longer than the
// corner is wide: never cut. The corner's size is kept on the label.
void fitPrizeText(QLabel *label, int cornerPt = 0);

} // namespace sorvix::screenlabels
