#pragma once

#include "settings/participantlist.h"

#include <QString>
#include <array>
#include <vector>

namespace sorvix {

// The participant list's five fields as texts, one row per person (the header
// row first): what comes from or goes to a spreadsheet.
using TextRow = std::array<QString, ColumnCount>;
using TextRows = std::vector<TextRow>;

} // namespace sorvix
