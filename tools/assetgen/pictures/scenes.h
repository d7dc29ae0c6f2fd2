// Every picture the program ships, one function each.
#pragma once

#include <QImage>

namespace gen {

QImage builtinBackground();
QImage festiveRed(int variant);   // 1..5
QImage freshBlue(int variant);    // 1..2
QImage prettyPink(int variant);   // 1..3
QImage resultsRed();
QImage resultsBlue();

QImage blueSky(int variant);      // 1..3
QImage sea(int variant);          // 1..3
QImage snow(int variant);         // 1..3
QImage meadow(int variant);       // 1..3
QImage sunrise(int variant);      // 1..3
QImage mountains(int variant);    // 1..3

// Start and stop buttons: a 76 x 33 button, Scale times as fine.
QImage button(bool start, bool pressed);

// The factory set's demonstration prizes, 480 x 270: 0 laptop, 1 tablet,
// 2 earphones, 3 vacuum cup.
QImage prize(int level);

}  // namespace gen
