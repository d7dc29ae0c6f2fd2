#pragma once

namespace sorvix {

// Maps the three Chinese face names the themes use to real faces on this
// system. Called before any window is created.
void installChineseFaces();

} // namespace sorvix
