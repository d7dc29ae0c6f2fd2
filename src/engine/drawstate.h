#pragma once

namespace sorvix {

// The draw's progress, held once and shared by the draw screen, the draw round,
// the preparation and the make-up.
struct DrawState
{
    int roundIndex = 0;    // next round file data\<n>.dll; rounds drawn so far
    int roundCount = 0;    // round files of the current plan
    bool makeupActive = false;
    int makeupIndex = 0;   // next make-up round file datm\<k>.dll
    int makeupCount = 0;
};

} // namespace sorvix
