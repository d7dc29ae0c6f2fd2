#pragma once

#include "base/programfolder.h"

namespace sorvix {

// One round of the plan (data\<n>.dll) or of a make-up (datm\<k>.dll).
struct RoundPlan
{
    int level = 0;
    QByteArray caption;     // line 1
    QByteArray headBefore;  // line 2, shown when the round starts
    QByteArray headAfter;   // line 3, shown when it stops
    Lines names;            // lines 4.., 1 to 10 winners

    // A plan round as the preparation writes it.
    static RoundPlan make(int level, const QByteArray &displayName, const QByteArray &prizeText,
                          const QByteArray &quantityText, int drawnBefore, const Lines &names);
    Lines toLines() const;
    // Line 0 must be a number; the rest may be missing (then empty).
    static RoundPlan fromLines(const Lines &lines);
};

// The draw-state files of the program folder.
namespace drawfiles {

RoundPlan readRound(const ProgramFolder &folder, int n);
void writeRound(const ProgramFolder &folder, int n, const RoundPlan &round);
// The level index of round n (its line 0).
int roundLevel(const ProgramFolder &folder, int n);

// status.dll: roundIndex. Throws when missing or not a number.
int readStatus(const ProgramFolder &folder);
void writeStatus(const ProgramFolder &folder, int roundIndex);

// filenameqty.dll: roundCount, 0 when missing.
int readRoundCount(const ProgramFolder &folder);
void writeRoundCount(const ProgramFolder &folder, int roundCount);

// data\left.dll: the pool remainder; no file reads as no entries.
Lines readLeftover(const ProgramFolder &folder);
void writeLeftover(const ProgramFolder &folder, const Lines &names);

} // namespace drawfiles

// dat\<level>.dll: an empty line, the level's display name, "(" + prize text + ")",
// then the level's winners in the order revealed.
namespace levelwinners {
constexpr int HeaderLines = 3;
Lines header(const QByteArray &displayName, const QByteArray &prizeText);
bool exists(const ProgramFolder &folder, int level);
// Creates the file with its header and the names.
void create(const ProgramFolder &folder, int level, const QByteArray &displayName,
            const QByteArray &prizeText, const Lines &names);
// Appends names to an existing file, flushed to disk before returning.
void append(const ProgramFolder &folder, int level, const Lines &names);
// Appends when the file exists, else creates it with its header.
void record(const ProgramFolder &folder, int level, const QByteArray &displayName,
            const QByteArray &prizeText, const Lines &names);
// Rewrites the whole file: header and names.
void rewrite(const ProgramFolder &folder, int level, const QByteArray &displayName,
             const QByteArray &prizeText, const Lines &names);
// The names, from line 3 on. Throws when the file is missing.
Lines readNames(const ProgramFolder &folder, int level);
} // namespace levelwinners

} // namespace sorvix
