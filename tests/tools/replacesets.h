#pragma once

// The participant lists and bundles that the replacement driver writes over
// and over, and that the replacement kill test expects to find whole.

#include "base/gbk.h"
#include "bundle/bundle.h"
#include "settings/awardsettings.h"
#include "settings/participantlist.h"

#include <array>
#include <vector>

namespace sorvix::test::replacesets {

using Row = std::array<QByteArray, ColumnCount>;

// Person k: every field is made from k, so a row put together from two saves
// has fields of two people.
inline Row person(int k)
{
    const QByteArray n = QByteArray::number(k).rightJustified(6, '0');
    return {gbk::fromUtf8("员工") + n, "139" + n, "11010119900101" + n.right(4), "G" + n,
            k % 9 == 0 ? QByteArray("A") : QByteArray()};
}

// Whose row it is, -1 when its fields are not all one person's.
inline int personOf(const Row &row)
{
    bool ok = false;
    const int k = row[ColName].mid(gbk::fromUtf8("员工").size()).toInt(&ok);
    return ok && person(k) == row ? k : -1;
}

// The header row, then the people: list 0 holds people 0 to 199 in order,
// list 1 people 259 down to 100, so the two differ in length and order.
inline std::vector<Row> listRows(int which)
{
    std::vector<Row> rows;
    Row header;
    for (int c = 0; c < ColumnCount; ++c)
        header[c] = ParticipantList::columnCaption(c);
    rows.push_back(header);
    for (int i = 0; i < (which == 0 ? 200 : 160); ++i)
        rows.push_back(person(which == 0 ? i : 259 - i));
    return rows;
}

inline Bundle bundle(int which)
{
    Bundle b;
    b.theme = which == 0 ? Theme{"bg\\red\\1.jpg", "Yellow", "SimHei"} : Theme{"bg\\sea\\2.jpg", "Blue", "KaiTi"};
    b.captionPosition = QByteArray::number(which);
    b.prizePosition = QByteArray::number(which + 1);
    b.resultBackground = which == 0 ? "bg\\show\\red.jpg" : "bg\\show\\blue.jpg";
    AwardSettings settings = AwardSettings::defaults();
    settings.levels[0].prizeText = gbk::fromUtf8(which == 0 ? "笔记本电脑" : "平板电脑");
    b.awardSettings = settings.toLines();
    b.keyField = QByteArray::number(which * 3);
    b.showFields = {"1", which == 0 ? "0" : "1", "0", which == 0 ? "0" : "1", "0", "1"};
    for (const Row &row : listRows(which))
        for (int c = 0; c < ColumnCount; ++c)
            b.columns[size_t(c)].append(row[c]);
    return b;
}

} // namespace sorvix::test::replacesets
