#include "base/errors.h"
#include "base/gbk.h"
#include "engine/drawpool.h"
#include "settings/participantlist.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace sorvix;
using sorvix::test::TestFolder;

namespace {

QByteArray G(const char *utf8) { return gbk::fromUtf8(utf8); }

using Row = std::array<QByteArray, ColumnCount>;

std::vector<Row> headerAnd(std::initializer_list<Row> people)
{
    std::vector<Row> rows;
    Row header;
    for (int c = 0; c < ColumnCount; ++c)
        header[c] = ParticipantList::columnCaption(c);
    rows.push_back(header);
    rows.insert(rows.end(), people);
    return rows;
}

Participant person(const char *mobile, const char *id)
{
    return {G("张三"), mobile, id, "QW0001", {}};
}

ShowFields fields(bool name, bool mobile, bool id, bool work, bool maskMobile, bool maskId)
{
    ShowFields s;
    s.showName = name;
    s.showMobile = mobile;
    s.showId = id;
    s.showWorkId = work;
    s.maskMobile = maskMobile;
    s.maskId = maskId;
    return s;
}

} // namespace

// --- Display text -----------------------------------------------------------------

TEST(DisplayText, EveryShowAndMaskCombination)
{
    const Participant p = person("13812345678", "110101199003071234");
    for (int bits = 0; bits < 64; ++bits) {
        const ShowFields s = fields(bits & 1, bits & 2, bits & 4, bits & 8, bits & 16, bits & 32);
        QByteArray expected;
        if (s.showName)
            expected += G("张三");
        if (s.showMobile)
            expected += s.maskMobile ? " 138****5678" : " 13812345678";
        if (s.showId)
            expected += s.maskId ? " 110101********1234" : " 110101199003071234";
        if (s.showWorkId)
            expected += " QW0001";
        EXPECT_EQ(displayText(p, s), expected) << "switches " << bits;
        // The full text never depends on the switches.
        EXPECT_EQ(fullText(p), G("张三") + " 13812345678 110101199003071234 QW0001");
    }
}

TEST(DisplayText, WithoutTheNameItBeginsWithABlank)
{
    const Participant p = person("13812345678", "110101199003071234");
    EXPECT_EQ(displayText(p, fields(false, true, false, false, true, true)), QByteArray(" 138****5678"));
    EXPECT_EQ(displayText(p, fields(false, false, false, true, false, false)), QByteArray(" QW0001"));
    EXPECT_EQ(displayText(p, fields(false, false, false, false, true, true)), QByteArray());
    // An empty name still leaves the blank before the next field.
    const Participant noName{{}, "1", {}, {}, {}};
    EXPECT_EQ(displayText(noName, fields(true, true, false, false, false, false)), QByteArray(" 1"));
}

TEST(DisplayText, MobileMaskAtTheEdges)
{
    const ShowFields s = fields(false, true, false, false, true, false);
    const auto shown = [&](const char *mobile) { return displayText(person(mobile, ""), s); };
    EXPECT_EQ(shown("13812"), QByteArray(" 138****"));
    EXPECT_EQ(shown("13"), QByteArray(" 13****"));
    EXPECT_EQ(shown(""), QByteArray(" ****"));
    EXPECT_EQ(shown("138"), QByteArray(" 138****"));
    EXPECT_EQ(shown("1381"), QByteArray(" 138****"));
    EXPECT_EQ(shown("1381234"), QByteArray(" 138****"));
    EXPECT_EQ(shown("13812345"), QByteArray(" 138****5"));
    EXPECT_EQ(shown("+8613812345678"), QByteArray(" +86****2345678"));
    // Bytes, not characters: a Chinese text is cut inside its second character.
    const QByteArray chinese = G("一二三");
    EXPECT_EQ(displayText(person(chinese.constData(), ""), s), " " + chinese.left(3) + "****");
}

TEST(DisplayText, IdMaskAtTheEdges)
{
    const ShowFields s = fields(false, false, true, false, false, true);
    const auto shown = [&](const char *id) { return displayText(person("", id), s); };
    EXPECT_EQ(shown("110101199003071234"), QByteArray(" 110101********1234"));
    EXPECT_EQ(shown("11010119900307123X"), QByteArray(" 110101********123X"));
    EXPECT_EQ(shown("110101"), QByteArray(" 110101********"));
    EXPECT_EQ(shown("12345"), QByteArray(" 12345********"));
    EXPECT_EQ(shown(""), QByteArray(" ********"));
    EXPECT_EQ(shown("1101011"), QByteArray(" 110101********"));
    EXPECT_EQ(shown("11010119900307"), QByteArray(" 110101********"));
    EXPECT_EQ(shown("110101199003071"), QByteArray(" 110101********1"));
    // 15-digit numbers lose characters 7..14 all the same.
    EXPECT_EQ(shown("110101900307123"), QByteArray(" 110101********3"));
}

TEST(DisplayText, MaskAtInsertsWithoutPadding)
{
    EXPECT_EQ(maskAt("abc", 10, 4, "**"), QByteArray("abc**"));
    EXPECT_EQ(maskAt("abc", 4, 4, "**"), QByteArray("abc**"));
    EXPECT_EQ(maskAt("abcdef", 1, 2, "*"), QByteArray("*cdef"));
    EXPECT_EQ(maskAt("", 1, 4, "****"), QByteArray("****"));
}

// --- Column files -----------------------------------------------------------------

TEST(ParticipantFiles, LoadsFiveColumnsHeaderNotAPerson)
{
    TestFolder t;
    t.writeList({QStringLiteral("张三|13800000001|110101199001011234|QW0001|"),
                 QStringLiteral("李四|13800000002|110101199202021234|QW0002|3"),
                 QStringLiteral("王五|||| A ")});
    const ParticipantList list = ParticipantList::load(t.folder());
    ASSERT_EQ(list.count(), 3);
    const Participant p = list.participant(1);
    EXPECT_EQ(p.name, G("李四"));
    EXPECT_EQ(p.mobile, QByteArray("13800000002"));
    EXPECT_EQ(p.idNumber, QByteArray("110101199202021234"));
    EXPECT_EQ(p.workId, QByteArray("QW0002"));
    EXPECT_EQ(p.group, QByteArray("3"));
    // Read as they stand; only saving trims the group.
    EXPECT_EQ(list.participant(2).group, QByteArray(" A "));
    EXPECT_EQ(list.field(ColName, 0), G("张三"));
    EXPECT_EQ(list.columns[ColGroup].value(0), G("分组"));
}

TEST(ParticipantFiles, HeaderOnlyListIsEmpty)
{
    TestFolder t;
    t.writeList({});
    const ParticipantList list = ParticipantList::load(t.folder());
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(buildPool(list, ShowFields()).empty());
    EXPECT_EQ(list.rows().size(), 1u);
    // A zero-byte name file is no list at all, not a negative one.
    t.writeBytes("Tname.dll", "");
    EXPECT_EQ(ParticipantList::load(t.folder()).count(), 0);
}

TEST(ParticipantFiles, HandWrittenListWithoutHeaderLosesItsFirstPerson)
{
    TestFolder t;
    t.writeBytes("Tname.dll", G("甲\r\n乙\r\n丙\r\n"));
    const ParticipantList list = ParticipantList::load(t.folder());
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.participant(0).name, G("乙"));
}

TEST(ParticipantFiles, ShortOrMissingCompanionColumnsReadAsEmptyFields)
{
    TestFolder t;
    t.writeList({QStringLiteral("甲|1|2|3|0"), QStringLiteral("乙|4|5|6|1"), QStringLiteral("丙|7|8|9|2")});
    t.write("Tmobile.dll", {QStringLiteral("手机号"), "1"});
    t.folder().remove("Tgroup.dll");
    const ParticipantList list = ParticipantList::load(t.folder());
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.participant(0).mobile, QByteArray("1"));
    EXPECT_TRUE(list.participant(1).mobile.isEmpty());
    EXPECT_TRUE(list.participant(2).mobile.isEmpty());
    EXPECT_EQ(list.participant(2).idNumber, QByteArray("8"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(list.participant(i).group.isEmpty());
    const DrawPool pool = buildPool(list, fields(true, true, false, false, false, false));
    EXPECT_EQ(pool[2].displayText, G("丙") + " ");
    EXPECT_EQ(pool[2].fullText, G("丙") + "  8 9");
    // The editor's rows have all five cells for every person.
    const auto rows = list.rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_TRUE(rows[3][ColMobile].isEmpty());
    EXPECT_TRUE(rows[0][ColGroup].isEmpty());
}

TEST(ParticipantFiles, MissingNameFileThrows)
{
    TestFolder t;
    EXPECT_THROW(ParticipantList::load(t.folder()), OperationError);
}

TEST(ParticipantFiles, SaveWritesCellsAsTheyStandButTrimsTheGroup)
{
    TestFolder t;
    ParticipantList::save(t.folder(), headerAnd({Row{G(" 张 三 "), " 138 ", "", "QW 1 ", " 3 "},
                                                 Row{G("李四"), "", "", "", "03"},
                                                 Row{G("王五"), "", "", "", " a\t"},
                                                 Row{}}));
    EXPECT_EQ(t.bytes("Tgroup.dll"), G("分组") + "\r\n3\r\n03\r\na\r\n\r\n");
    EXPECT_EQ(t.bytes("Tname.dll"), G("姓名\r\n 张 三 \r\n李四\r\n王五\r\n\r\n"));
    EXPECT_EQ(t.bytes("Tmobile.dll"), G("手机号") + "\r\n 138 \r\n\r\n\r\n\r\n");
    EXPECT_EQ(t.bytes("Tbadge.dll"), G("工号") + "\r\nQW 1 \r\n\r\n\r\n\r\n");

    const ParticipantList list = ParticipantList::load(t.folder());
    ASSERT_EQ(list.count(), 4);
    EXPECT_TRUE(grouptag::namesLevel(list.participant(0).group, 3));
    for (int level = 0; level <= 10; ++level)
        EXPECT_FALSE(grouptag::namesLevel(list.participant(1).group, level)) << level;
    EXPECT_TRUE(grouptag::isExcluded(list.participant(2).group));
    // The empty row is a participant with empty fields.
    const DrawPool pool = buildPool(list, fields(true, true, false, true, false, false));
    EXPECT_EQ(pool[3].displayText, QByteArray("  "));
    EXPECT_EQ(pool[3].fullText, QByteArray("   "));
}

TEST(ParticipantFiles, LineBreakInsideAFieldIsSavedAsOneLine)
{
    TestFolder t;
    ParticipantList::save(t.folder(), headerAnd({Row{G("张\r\n三"), "138\n0000", "11\r0", "Q\n\r1", "2\r\n"},
                                                 Row{G("李四"), "1", "2", "3", ""}}));
    const ParticipantList list = ParticipantList::load(t.folder());
    for (int c = 0; c < ColumnCount; ++c)
        EXPECT_EQ(list.columns[c].size(), 3) << c;
    const Participant p = list.participant(0);
    EXPECT_EQ(p.name, G("张 三"));
    EXPECT_EQ(p.mobile, QByteArray("138 0000"));
    EXPECT_EQ(p.idNumber, QByteArray("11 0"));
    EXPECT_EQ(p.workId, QByteArray("Q  1"));
    EXPECT_EQ(p.group, QByteArray("2"));
    EXPECT_EQ(list.participant(1).name, G("李四"));
    EXPECT_EQ(list.participant(1).workId, QByteArray("3"));
}

TEST(ParticipantFiles, BytesSurviveSaveAndLoadUnchanged)
{
    TestFolder t;
    // Bytes that no conversion would give back: outside the GBK table, a
    // lone lead byte, the euro sign of code page 936.
    const Row odd = {QByteArray("\xAA\xA1\xFF\x80"), QByteArray("138\x81"), G("１２３"), QByteArray("\xFE\xFE"), "A"};
    ParticipantList::save(t.folder(), headerAnd({odd}));
    const ParticipantList list = ParticipantList::load(t.folder());
    const auto rows = list.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], odd);
    // Saving the loaded rows again gives the same files byte for byte.
    const QByteArray before = t.bytes("Tname.dll") + t.bytes("Tmobile.dll") + t.bytes("Tid.dll");
    ParticipantList::save(t.folder(), rows);
    EXPECT_EQ(t.bytes("Tname.dll") + t.bytes("Tmobile.dll") + t.bytes("Tid.dll"), before);
}

TEST(ParticipantFiles, PoolFollowsListOrderWithGroups)
{
    TestFolder t;
    t.writeList({QStringLiteral("甲|13800000001|||1"), QStringLiteral("乙|13800000002|||"),
                 QStringLiteral("丙|13800000003|||A")});
    const DrawPool pool = buildPool(ParticipantList::load(t.folder()), fields(true, true, false, false, true, true));
    ASSERT_EQ(pool.size(), 3u);
    EXPECT_EQ(pool[0].displayText, G("甲 138****0001"));
    EXPECT_EQ(pool[0].fullText, G("甲 13800000001  "));
    EXPECT_EQ(pool[0].group, QByteArray("1"));
    EXPECT_EQ(pool[1].displayText, G("乙 138****0002"));
    EXPECT_EQ(pool[2].group, QByteArray("A"));
}

TEST(GroupTags, LevelsAndExclusion)
{
    for (int level = 0; level <= 10; ++level) {
        EXPECT_TRUE(grouptag::namesLevel(QByteArray::number(level), level));
        EXPECT_FALSE(grouptag::namesLevel(QByteArray::number(level), level == 0 ? 1 : 0));
    }
    for (const char *none : {"", "01", " 1", "1 ", "+1", "1.0", "A"})
        EXPECT_FALSE(grouptag::namesLevel(none, 1)) << none;
    EXPECT_TRUE(grouptag::isExcluded("A"));
    EXPECT_TRUE(grouptag::isExcluded("a"));
    for (const char *other : {"", "AA", " A", "B", "0"})
        EXPECT_FALSE(grouptag::isExcluded(other)) << other;
    EXPECT_FALSE(grouptag::isExcluded(G("黑名单")));
}

// --- Key field and shown fields ---------------------------------------------------

TEST(KeyAndShowFiles, SaveAndLoad)
{
    TestFolder t;
    keyfiles::saveKeyField(t.folder(), KeyIdNumber);
    EXPECT_EQ(t.bytes("keyword.dll"), QByteArray("2\r\n"));
    EXPECT_EQ(keyfiles::loadKeyField(t.folder(), KeyName), int(KeyIdNumber));

    const ShowFields s = fields(false, true, true, false, true, false);
    keyfiles::saveShowFields(t.folder(), s);
    EXPECT_EQ(t.bytes("showword.dll"), QByteArray("0\r\n1\r\n1\r\n0\r\n1\r\n0\r\n"));
    EXPECT_EQ(keyfiles::loadShowFields(t.folder(), ShowFields(), KeyMobile).toLines(), s.toLines());
    EXPECT_EQ(ShowFields().toLines(), (Lines{"1", "0", "0", "0", "0", "1"}));
}

TEST(KeyAndShowFiles, MissingFilesKeepTheCurrentValues)
{
    TestFolder t;
    EXPECT_EQ(keyfiles::loadKeyField(t.folder(), KeyWorkId), int(KeyWorkId));
    const ShowFields current = fields(false, false, false, true, true, false);
    EXPECT_EQ(keyfiles::loadShowFields(t.folder(), current, KeyWorkId).toLines(), current.toLines());
}

TEST(KeyAndShowFiles, KeyFieldEndsUpShownWhateverTheFileSays)
{
    TestFolder t;
    t.writeBytes("showword.dll", "1\r\n0\r\n1\r\n0\r\n0\r\n0\r\n");
    const ShowFields s = keyfiles::loadShowFields(t.folder(), ShowFields(), KeyMobile);
    EXPECT_TRUE(s.showMobile);
    EXPECT_TRUE(s.showName);
    EXPECT_TRUE(s.showId);
    EXPECT_FALSE(s.showWorkId);
    // So the key field is part of every display text.
    EXPECT_EQ(displayText(person("13812345678", ""), s), G("张三") + " 13812345678 ");
}

TEST(KeyAndShowFiles, OnlyExactlyOneIsOnAndMissingLinesAreOff)
{
    TestFolder t;
    t.writeBytes("showword.dll", " 1\r\n1 \r\nyes\r\n\r\n1");
    const ShowFields s = keyfiles::loadShowFields(t.folder(), fields(true, true, true, true, true, true), KeyWorkId);
    EXPECT_FALSE(s.showName);
    EXPECT_FALSE(s.showMobile);
    EXPECT_FALSE(s.showId);
    EXPECT_TRUE(s.showWorkId); // the key, off in the file
    EXPECT_TRUE(s.maskMobile);
    EXPECT_FALSE(s.maskId);    // line missing
}

TEST(KeyAndShowFiles, KeyFileThatIsNoNumberThrows)
{
    TestFolder t;
    t.writeBytes("keyword.dll", G("姓名\r\n"));
    EXPECT_THROW(keyfiles::loadKeyField(t.folder(), KeyName), OperationError);
    t.writeBytes("keyword.dll", "");
    EXPECT_THROW(keyfiles::loadKeyField(t.folder(), KeyName), OperationError);
    t.writeBytes("keyword.dll", "3\r\n");
    EXPECT_EQ(keyfiles::loadKeyField(t.folder(), KeyName), int(KeyWorkId));
    // A number outside the four fields selects nothing new.
    t.writeBytes("keyword.dll", "7\r\n");
    EXPECT_EQ(keyfiles::loadKeyField(t.folder(), KeyMobile), int(KeyMobile));
}

TEST(KeyAndShowFiles, ChoosingAKeyShowsOnlyThatField)
{
    ShowFields s = fields(true, true, true, true, true, true);
    s.chooseKey(KeyWorkId);
    EXPECT_EQ(s.toLines(), (Lines{"0", "0", "0", "1", "1", "1"}));
    s.showWorkId = false;
    s.keepKeyShown(KeyWorkId);
    EXPECT_TRUE(s.showWorkId);
    s.chooseKey(KeyName);
    EXPECT_EQ(s.toLines(), (Lines{"1", "0", "0", "0", "1", "1"}));
}
