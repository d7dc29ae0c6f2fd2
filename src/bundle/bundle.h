#pragma once

#include "engine/draw.h"
#include "presentation/theme.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace sorvix {

// One settings file of the program folder with its new contents.
struct MemberFile
{
    QString name;
    QByteArray contents;
};

// The configuration bundle (.drcf): every settings file, the participant list
// included, in one GBK text file, one line per line of the member files:
//
//   1        version text
//   2        N, the line count of each participant column (header included)
//   3-5      bgtheme.dll: background path, colour name, font name
//   6-7      Curtain.dll: caption position, prize position
//   8        bgshow.dll: the results window's background
//   9-90     Tlottery.dll, 82 lines
//   91       keyword.dll
//   92-97    showword.dll, 6 lines
//   then     Tname.dll, Tmobile.dll, Tid.dll, Tbadge.dll, Tgroup.dll, N lines each
struct Bundle
{
    static constexpr int AwardLines = awardfile::LineCount;
    static constexpr int ShowLines = 6;
    // Lines before the first participant column.
    static constexpr int FixedLines = 15 + AwardLines;

    QByteArray version;
    Theme theme;
    QByteArray captionPosition;
    QByteArray prizePosition;
    QByteArray resultBackground;
    Lines awardSettings;                   // AwardLines lines
    QByteArray keyField;
    Lines showFields;                      // ShowLines lines
    std::array<Lines, ColumnCount> columns; // N lines each

    int count() const { return int(columns[ColName].size()); }
    qint64 lineCount() const { return FixedLines + qint64(ColumnCount) * count(); }

    QByteArray toBytes() const;

    enum class Status { Ok, WrongVersion, Damaged };
    // Reads and checks a whole bundle before anything is done with it. Damaged:
    // a count, position or key line that is not a decimal number, award
    // settings that cannot be read, lines missing before the last column (the
    // last column's missing lines read as empty) or text after the last line.
    // WrongVersion: line 1 is not this program's version; `bundle->version`
    // then holds it.
    static Status read(const QByteArray &bytes, Bundle *bundle);

    // The member files in the order an import replaces them: bgtheme.dll,
    // Curtain.dll, bgshow.dll, Tlottery.dll, keyword.dll, showword.dll and the
    // five participant columns.
    std::vector<MemberFile> memberFiles() const;
};

namespace bundle {

// What a save carries: the draw's list and settings in force and, read now,
// the results background, key field and shown fields. A value that is missing
// or unusable on disk is taken from memory (or the initial look), so every
// bundle saved can be imported again.
Bundle collect(const Draw &draw, const Theme &theme);

// Replaces settings files all together or not at all. The targets' present
// contents are kept first; the new files are written beside their targets and
// only when all are written do they replace them, one rename after another.
// A rename that fails part way puts the replaced files back at once, and
// undo() puts every one back after a reload of the new files failed.
class Replacement
{
public:
    Replacement(const ProgramFolder &folder, std::vector<MemberFile> members);

    // Throws OperationError. Before any rename, nothing has changed; after a
    // rename failed part way, restored() tells whether the files are back.
    void apply();
    // Every target as it was before apply(), a file that did not exist
    // removed again. False when that failed too.
    bool undo();

    bool replacedAny() const { return m_replaced > 0; }
    bool restored() const { return m_restored; }

private:
    ProgramFolder m_folder;
    std::vector<MemberFile> m_members;
    std::vector<MemberFile> m_previous;
    QStringList m_missing;
    int m_replaced = 0;
    bool m_restored = true;
};

} // namespace bundle
} // namespace sorvix
