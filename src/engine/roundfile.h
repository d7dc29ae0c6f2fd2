#pragma once

#include "base/programfolder.h"

namespace sorvix {

// The draw screen's ten name slots, numbered 1..10. A round's winners stand
// centred on slot 5, which between rounds holds the message line.
namespace nameslots {
constexpr int Count = 10;
constexpr int MessageLine = 5;
// The first slot of a round with `winners` names (1..Count).
constexpr int firstOf(int winners) { return MessageLine - (winners - 1) / 2; }
} // namespace nameslots

// One round file: a round of the plan (data\<n>.dll) or of a make-up
// (datm\<k>.dll). Line 0 the level, line 1 the caption, line 2 the status line
// shown when the round starts, line 3 the one shown when it stops, then the
// round's winners.
struct RoundFile
{
    static constexpr int NamesLine = 4;

    QByteArray levelLine;
    QByteArray caption;
    QByteArray headBefore;
    QByteArray headAfter;
    Lines names;

    // A round of the plan: `drawnBefore` of the level's `quantityText` drawn
    // before it.
    static RoundFile planRound(int level, const QByteArray &displayName, const QByteArray &prizeText,
                               const QByteArray &quantityText, int drawnBefore, const Lines &names);
    // A round of a make-up of `quantity` winners, `drawnBefore` of them drawn
    // before it.
    static RoundFile makeupRound(int level, const QByteArray &displayName, int quantity, int drawnBefore,
                                 const Lines &names);

    Lines toLines() const;
    // Missing lines read as empty; nothing is checked until asked for.
    static RoundFile fromLines(const Lines &lines);

    // Line 0 as a number; throws OperationError when it is none.
    int level() const;
    // The same, and an award level 0..10; throws OperationError otherwise.
    int levelIndex() const;

    // Whether the round has a place on the screen: 1 to 10 winners.
    bool fitsTheSlots() const { return !names.isEmpty() && names.size() <= nameslots::Count; }

    // data\<n>.dll and datm\<k>.dll.
    static RoundFile read(const ProgramFolder &folder, const QString &relative);
    // Only line 0 of the file, as a level index. Throws OperationError.
    static int readLevel(const ProgramFolder &folder, const QString &relative);
    void write(const ProgramFolder &folder, const QString &relative) const;
    // Not flushed: the plan's and the make-up's many files are made durable
    // together by one folder sync before they count.
    void writeUnsynced(const ProgramFolder &folder, const QString &relative) const;
};

} // namespace sorvix
