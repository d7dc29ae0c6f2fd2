#pragma once

#include "base/programfolder.h"

#include <array>
#include <vector>

namespace sorvix {

struct Participant
{
    QByteArray name;
    QByteArray mobile;
    QByteArray idNumber;
    QByteArray workId;
    QByteArray group;
};

// Which field identifies a person: it is always part of the display text.
enum KeyField { KeyName = 0, KeyMobile = 1, KeyIdNumber = 2, KeyWorkId = 3 };

struct ShowFields
{
    bool showName = true;
    bool showMobile = false;
    bool showId = false;
    bool showWorkId = false;
    bool maskMobile = false;
    bool maskId = true;

    // Choosing a key switches the four show switches off, then the key's own on.
    void chooseKey(int key);
    // The key field's switch cannot be off.
    void keepKeyShown(int key);
    bool &showSwitch(int field);

    Lines toLines() const;
    // Exactly "1" is on; anything else, a missing line included, is off.
    static ShowFields fromLines(const Lines &lines);
};

// The five column files: Tname.dll, Tmobile.dll, Tid.dll, Tbadge.dll, Tgroup.dll.
enum Column { ColName = 0, ColMobile, ColIdNumber, ColWorkId, ColGroup, ColumnCount };

// The participant list as its five column files hold it: line 0 of each column
// is the header, lines 1..N the participants. N comes from the name column; a
// shorter companion column reads as empty fields for the people it lacks.
class ParticipantList
{
public:
    std::array<Lines, ColumnCount> columns;

    static const QString &columnFile(int column);
    static QByteArray columnCaption(int column); // "姓名", "手机号", ... GBK

    int count() const { return columns[ColName].isEmpty() ? 0 : int(columns[ColName].size()) - 1; }
    // Person i, 0-based.
    Participant participant(int i) const;
    const QByteArray &field(int column, int i) const;

    // Loads the five column files; throws when Tname.dll cannot be read.
    // A missing companion file reads as an empty column.
    static ParticipantList load(const ProgramFolder &folder);

    // The rows of the editor's grid (header row first) written as the five
    // column files. Only the group column is trimmed. A line break inside a
    // field becomes a blank, so the columns never shift against each other.
    static void save(const ProgramFolder &folder, const std::vector<std::array<QByteArray, ColumnCount>> &rows);
    // The five column files' new contents for those rows, for a save that
    // replaces them together with other files.
    static std::vector<textfile::FileContents> columnContents(
        const ProgramFolder &folder, const std::vector<std::array<QByteArray, ColumnCount>> &rows);
    // The list's own rows (header first), as the editor's grid starts.
    std::vector<std::array<QByteArray, ColumnCount>> rows() const;
};

// The display text: the shown fields joined by blanks, with the masks.
QByteArray displayText(const Participant &p, const ShowFields &show);
// Name, mobile, identity number and work number joined by blanks, unmasked.
QByteArray fullText(const Participant &p);
// Removes up to `count` bytes from 1-based byte position `position` and inserts
// `insert` there (appended when the text is shorter).
QByteArray maskAt(const QByteArray &text, int position, int count, const QByteArray &insert);

// keyword.dll and showword.dll.
namespace keyfiles {
// Missing keyword.dll: returns `current`. Not a number: throws.
int loadKeyField(const ProgramFolder &folder, int current);
void saveKeyField(const ProgramFolder &folder, int key);
// Missing showword.dll: returns `current`. The key field ends up shown.
ShowFields loadShowFields(const ProgramFolder &folder, const ShowFields &current, int key);
void saveShowFields(const ProgramFolder &folder, const ShowFields &show);
} // namespace keyfiles

} // namespace sorvix
