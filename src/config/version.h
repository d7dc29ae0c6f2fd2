#pragma once

namespace sorvix {

// The program's version text: shown in the about box and written as the first
// line of every configuration bundle, which is imported only by the same
// version. This is the one place it is held.
inline constexpr char VersionText[] = "v4.2.1";

} // namespace sorvix
