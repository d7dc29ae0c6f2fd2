#pragma once

#include "engine/drawpool.h"
#include "base/programfolder.h"

#include <QDateTime>
#include <QStringList>
#include <vector>

namespace sorvix {

// The record of who has won: the winners list dat\LuckyList.txt rebuilt from the
// per-level winners files, the history file, the caption text and the exports.
namespace winners {

// The per-level winners files dat\0.dll .. dat\<highestLevel>.dll concatenated
// (missing files skipped), ordered by level whatever the draw order.
Lines collect(const ProgramFolder &folder, int highestLevel);
// Rewrites dat\LuckyList.txt from the per-level files and returns its lines.
Lines rebuildList(const ProgramFolder &folder, int highestLevel);

// The caption strip's text: every line preceded by one blank, cut to 2500 bytes.
QByteArray captionText(const Lines &winnersList);
constexpr int CaptionTextLimit = 2500;

// "yyyymmdd-hhmmss" in local time.
QString timestamp(const QDateTime &when);

// Appends one record to dat\Sorvix history.txt: an empty line,
// "==== <timestamp>  <note> ====", then the per-level winners files' lines.
void appendHistory(const ProgramFolder &folder, int highestLevel, const QString &note, const QDateTime &when);

// Rebuilds the winners list and copies it byte for byte to `target`.
void exportWinners(const ProgramFolder &folder, int highestLevel, const QString &target);
// Writes to `target` every display text of the pool (in pool order) that no
// line of the rebuilt winners list equals byte for byte.
void exportNonWinners(const ProgramFolder &folder, int highestLevel, const DrawPool &pool, const QString &target);

// The exports as spreadsheet tables for the organiser, who hands the prizes
// out: the list's own fields, unmasked, never the group tag. A winner line
// holds a display text only; it stands for the person with that display text
// who comes first in the draw's order (the pool's) and was not yet taken by
// an earlier line, or, when all of them were, the first of them again
// (repeated wins). A line that no one in the list shows any more keeps the
// line itself as its name.
using Table = std::vector<QStringList>;
// "奖项", "奖品", then the four field captions; one row per winner line of the
// per-level files, level by level in the winners list's order.
Table winnersTable(const ProgramFolder &folder, int highestLevel, const ParticipantList &list, const DrawPool &pool);
// The four field captions; one row per person of the pool (in pool order)
// whom no winner line stands for.
Table nonWinnersTable(const ProgramFolder &folder, int highestLevel, const ParticipantList &list,
                      const DrawPool &pool);

} // namespace winners
} // namespace sorvix
