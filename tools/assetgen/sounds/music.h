// The two pieces of music and the two sound effects.
#pragma once

#include "synth.h"

namespace snd {

Track partyMusic();    // played between rounds
Track resultsMusic();  // played over the results list
Track rollingLoop();   // loops while names roll
Track stopHit();       // a round stops

}  // namespace snd
