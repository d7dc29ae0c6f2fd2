#pragma once

#include "base/programfolder.h"

namespace sorvix {

// The draw-state files of the program folder.
namespace drawfiles {

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
