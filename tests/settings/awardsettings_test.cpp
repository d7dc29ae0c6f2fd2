#include "base/errors.h"
#include "base/gbk.h"
#include "settings/awardsettings.h"
#include "settings/participantlist.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace sorvix;
using sorvix::test::TestFolder;

namespace {

QByteArray G(const char *utf8) { return gbk::fromUtf8(utf8); }

// Settings in which every field differs from the editor's initial value.
AwardSettings everythingChanged()
{
    AwardSettings s = AwardSettings::defaults();
    DrawOptions &o = s.options;
    o.title = G("二〇二七 年会");
    o.titleCentred = false;
    o.titleHidden = true;
    o.subtitle = QByteArray();
    o.subtitleCentred = false;
    o.subtitleHidden = true;
    o.statusHidden = true;
    o.statusCentred = false;
    o.order = 1;
    o.repeatedWins = true;
    o.prizeTextHidden = true;
    o.prizePictureHidden = true;
    o.startStopKeys = 1;
    o.captionSpeed = 2;
    o.buttonsHidden = true;
    o.soundOn = false;
    const int perRound[LevelCount] = {1, 2, 3, 4, 5, 10, 1, 2, 3, 4, 5};
    for (int k = 0; k < LevelCount; ++k) {
        AwardLevel &l = s.levels[k];
        l.enabled = k % 2 == 0;
        l.displayName = G("奖") + QByteArray::number(k);
        l.quantity = "0" + QByteArray::number(k + 1) + "0";
        l.prizeText = G("奖品 ") + QByteArray::number(k);
        l.picturePath = "C:\\pics\\" + QByteArray::number(k) + ".jpg";
        l.perRound = perRound[k];
    }
    return s;
}

Lines lotteryLines(const AwardSettings &s) { return s.toLines(); }

} // namespace

// What a session starts from before any file is read: a whole file's worth
// that reads back as itself, its enabled levels unbroken from the first.
TEST(AwardFile, InitialValuesAreAWholeFile)
{
    TestFolder t;
    const AwardSettings initial = AwardSettings::defaults();
    awardfile::save(t.folder(), initial);
    EXPECT_EQ(t.folder().readLines(files::Lottery).size(), 82);
    EXPECT_EQ(awardfile::load(t.folder()).toLines(), initial.toLines());
    for (int k = 0; k < LevelCount; ++k)
        EXPECT_EQ(initial.levels[size_t(k)].enabled, k <= initial.highestEnabledLevel()) << k;
}

TEST(AwardFile, EveryFieldSurvivesSaveAndLoad)
{
    TestFolder t;
    const AwardSettings written = everythingChanged();
    awardfile::save(t.folder(), written);
    const QByteArray bytes = t.bytes("Tlottery.dll");
    EXPECT_EQ(bytes.count("\r\n"), 82);
    EXPECT_TRUE(bytes.endsWith("\r\n"));

    const AwardSettings read = awardfile::load(t.folder());
    EXPECT_EQ(lotteryLines(read), lotteryLines(written));
    const DrawOptions &o = read.options;
    EXPECT_EQ(o.title, written.options.title);
    EXPECT_FALSE(o.titleCentred);
    EXPECT_TRUE(o.titleHidden);
    EXPECT_TRUE(o.subtitle.isEmpty());
    EXPECT_FALSE(o.subtitleCentred);
    EXPECT_TRUE(o.subtitleHidden);
    EXPECT_TRUE(o.statusHidden);
    EXPECT_FALSE(o.statusCentred);
    EXPECT_EQ(o.order, 1);
    EXPECT_TRUE(o.repeatedWins);
    EXPECT_TRUE(o.prizeTextHidden);
    EXPECT_TRUE(o.prizePictureHidden);
    EXPECT_EQ(o.startStopKeys, 1);
    EXPECT_EQ(o.captionSpeed, 2);
    EXPECT_TRUE(o.buttonsHidden);
    EXPECT_FALSE(o.soundOn);
    for (int k = 0; k < LevelCount; ++k) {
        const AwardLevel &l = read.levels[k];
        EXPECT_EQ(l.enabled, k % 2 == 0) << k;
        EXPECT_EQ(l.displayName, written.levels[k].displayName) << k;
        EXPECT_EQ(l.quantity, written.levels[k].quantity) << k;
        EXPECT_EQ(l.prizeText, written.levels[k].prizeText) << k;
        EXPECT_EQ(l.picturePath, written.levels[k].picturePath) << k;
        EXPECT_EQ(l.perRound, written.levels[k].perRound) << k;
    }
    // Written again, the file is the same byte for byte.
    awardfile::save(t.folder(), read);
    EXPECT_EQ(t.bytes("Tlottery.dll"), bytes);
}

TEST(AwardFile, StoredFormsOfQuantitiesChoicesAndSwitches)
{
    AwardSettings s = AwardSettings::defaults();
    s.levels[0].quantity = "010";
    s.levels[0].perRound = 10;
    s.levels[1].perRound = 4;
    s.levels[2].perRound = 1;
    s.options.titleCentred = false;
    s.options.order = 1;
    s.options.startStopKeys = 1;
    s.options.captionSpeed = 1;
    const Lines lines = s.toLines();
    EXPECT_EQ(lines[8], QByteArray("010")); // line 9
    EXPECT_EQ(s.levels[0].quantityValue(), 10);
    EXPECT_EQ(lines[71], QByteArray("5"));  // line 72: 10 per round
    EXPECT_EQ(lines[72], QByteArray("3"));  // 4 per round
    EXPECT_EQ(lines[73], QByteArray("0"));  // 1 per round
    EXPECT_EQ(lines[1], QByteArray("0"));   // title left-aligned
    EXPECT_EQ(lines[63], QByteArray("1"));  // big prizes first
    EXPECT_EQ(lines[67], QByteArray("1"));  // Enter starts
    EXPECT_EQ(lines[68], QByteArray("1"));  // medium caption speed

    // Any selection but the first is written "1".
    s.options.order = 7;
    s.options.startStopKeys = -1;
    EXPECT_EQ(s.toLines()[63], QByteArray("1"));
    EXPECT_EQ(s.toLines()[67], QByteArray("1"));

    AwardSettings r = AwardSettings::defaults();
    r.readLines(lines);
    EXPECT_FALSE(r.options.titleCentred);
    EXPECT_EQ(r.levels[0].quantity, QByteArray("010"));
    EXPECT_EQ(r.levels[1].perRound, 4);
    EXPECT_EQ(r.levels[2].perRound, 1);
}

TEST(AwardFile, OnlyExactlyOneIsOn)
{
    Lines lines = AwardSettings::defaults().toLines();
    lines[1] = " 1";   // titleCentred
    lines[4] = "1 ";   // subtitleCentred
    lines[6] = "yes";  // level 0 enabled
    lines[11] = "1";   // level 1 enabled
    lines[70] = "01";  // soundOn
    lines[2] = "1";    // titleHidden
    AwardSettings s = AwardSettings::defaults();
    s.readLines(lines);
    EXPECT_FALSE(s.options.titleCentred);
    EXPECT_FALSE(s.options.subtitleCentred);
    EXPECT_FALSE(s.levels[0].enabled);
    EXPECT_FALSE(s.options.soundOn);
    EXPECT_TRUE(s.options.titleHidden);
    // A level enabled above a disabled one is read as it stands.
    EXPECT_TRUE(s.levels[1].enabled);
    EXPECT_EQ(s.highestEnabledLevel(), 3);
}

TEST(AwardFile, EmptyTitleLineGivesAnEmptyTitle)
{
    Lines lines = AwardSettings::defaults().toLines();
    lines[0] = QByteArray();
    AwardSettings s = AwardSettings::defaults();
    s.readLines(lines);
    EXPECT_TRUE(s.options.title.isEmpty());
}

TEST(AwardFile, ShortFileReadsEmptyLinesUntilTheFirstMissingNumber)
{
    TestFolder t;
    const Lines full = everythingChanged().toLines();
    // 38 lines: up to level 6's display name.
    t.writeBytes("Tlottery.dll", textfile::joinLines(full.mid(0, 38)));
    AwardSettings s = AwardSettings::defaults();
    s.levels[8].displayName = "before";
    s.levels[8].enabled = true;
    s.options.statusHidden = true;
    s.options.statusCentred = true;
    EXPECT_THROW(awardfile::loadInto(t.folder(), s), OperationError);
    // Read from the file.
    EXPECT_EQ(s.options.title, full[0]);
    EXPECT_FALSE(s.options.titleCentred);
    EXPECT_EQ(s.levels[6].displayName, full[37]);
    EXPECT_EQ(s.levels[0].quantity, QByteArray("010"));
    // Missing lines up to line 63 read as empty: texts empty, switches off.
    EXPECT_TRUE(s.levels[6].quantity.isEmpty());
    EXPECT_TRUE(s.levels[8].displayName.isEmpty());
    EXPECT_FALSE(s.levels[8].enabled);
    EXPECT_FALSE(s.options.statusHidden);
    EXPECT_FALSE(s.options.statusCentred);
    // Line 64 fails: the rest keep their previous values.
    EXPECT_EQ(s.options.order, 0);
    EXPECT_FALSE(s.options.repeatedWins);
    EXPECT_TRUE(s.options.soundOn);
    EXPECT_EQ(s.options.captionSpeed, 0);
    for (const AwardLevel &l : s.levels)
        EXPECT_EQ(l.perRound, 10);

    // Cut after line 71: only the per-round choices keep their values.
    t.writeBytes("Tlottery.dll", textfile::joinLines(full.mid(0, 71)));
    AwardSettings u = AwardSettings::defaults();
    EXPECT_THROW(awardfile::loadInto(t.folder(), u), OperationError);
    EXPECT_EQ(u.options.order, 1);
    EXPECT_EQ(u.options.captionSpeed, 2);
    EXPECT_FALSE(u.options.soundOn);
    EXPECT_EQ(u.levels[0].perRound, 10);
    EXPECT_EQ(u.levels[1].perRound, 10);

    // Cut after line 75: per-round choices of levels 0..3 read, the rest kept.
    t.writeBytes("Tlottery.dll", textfile::joinLines(full.mid(0, 75)));
    AwardSettings v = AwardSettings::defaults();
    EXPECT_THROW(awardfile::loadInto(t.folder(), v), OperationError);
    EXPECT_EQ(v.levels[0].perRound, 1);
    EXPECT_EQ(v.levels[3].perRound, 4);
    EXPECT_EQ(v.levels[4].perRound, 10);
}

TEST(AwardFile, NonNumericLineStopsTheReadingThere)
{
    Lines lines = everythingChanged().toLines();
    lines[68] = G("慢速"); // line 69, captionSpeed
    AwardSettings s = AwardSettings::defaults();
    try {
        s.readLines(lines);
        FAIL() << "no error";
    } catch (const OperationError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("慢速")));
    }
    EXPECT_EQ(s.options.startStopKeys, 1); // line 68, read
    EXPECT_TRUE(s.options.prizePictureHidden);
    EXPECT_EQ(s.options.captionSpeed, 0);  // kept
    EXPECT_FALSE(s.options.buttonsHidden);
    EXPECT_TRUE(s.options.soundOn);
    EXPECT_EQ(s.levels[0].perRound, 10);

    lines = everythingChanged().toLines();
    lines[0] = QByteArray();
    lines[63] = QByteArray(); // an empty numeric line is no number either
    EXPECT_THROW(s.readLines(lines), OperationError);
}

TEST(AwardFile, MissingFileThrows)
{
    TestFolder t;
    EXPECT_THROW(awardfile::load(t.folder()), OperationError);
    AwardSettings s = everythingChanged();
    EXPECT_THROW(awardfile::loadInto(t.folder(), s), OperationError);
    EXPECT_EQ(s.toLines(), everythingChanged().toLines());
}

TEST(AwardFile, SelectionOutsideItsListFallsBackAndSavesEightyTwoLines)
{
    TestFolder t;
    Lines lines = everythingChanged().toLines();
    lines[63] = "2";   // order
    lines[67] = "-1";  // startStopKeys
    lines[68] = "3";   // captionSpeed
    lines[71] = "6";   // level 0 per round
    lines[81] = "99";  // level 10 per round
    t.writeBytes("Tlottery.dll", textfile::joinLines(lines));
    AwardSettings s = everythingChanged();
    ASSERT_NO_THROW(awardfile::loadInto(t.folder(), s));
    EXPECT_EQ(s.options.order, 0);
    EXPECT_EQ(s.options.startStopKeys, 0);
    EXPECT_EQ(s.options.captionSpeed, 0);
    EXPECT_EQ(s.levels[0].perRound, 10);
    EXPECT_EQ(s.levels[10].perRound, 10);
    EXPECT_EQ(s.levels[1].perRound, 2); // in range, read

    awardfile::save(t.folder(), s);
    const Lines saved = t.folder().readLines("Tlottery.dll");
    ASSERT_EQ(saved.size(), 82);
    EXPECT_EQ(saved[63], QByteArray("0"));
    EXPECT_EQ(saved[68], QByteArray("0"));
    EXPECT_EQ(saved[71], QByteArray("5"));
    // In-memory values outside their lists are still written as 82 valid lines.
    s.options.captionSpeed = 9;
    s.levels[5].perRound = 7;
    const Lines again = s.toLines();
    ASSERT_EQ(again.size(), 82);
    AwardSettings r = AwardSettings::defaults();
    EXPECT_NO_THROW(r.readLines(again));
}

TEST(AwardFile, LongerFileReadsItsFirstEightyTwoLines)
{
    Lines lines = everythingChanged().toLines();
    lines << "extra" << "9";
    AwardSettings s = AwardSettings::defaults();
    s.readLines(lines);
    EXPECT_EQ(s.toLines(), everythingChanged().toLines());
}

TEST(QuantityRule, ValidQuantities)
{
    for (const char *ok : {"1", "010", "999", " 5 ", "007", "1000"})
        EXPECT_TRUE(isValidQuantity(ok)) << ok;
    for (const char *bad : {"", "   ", "0", "000", "-1", "+1", "1.0", "1 0", "abc", "\xD2\xBB"})
        EXPECT_FALSE(isValidQuantity(bad)) << bad;
}

TEST(AwardSettingsModel, HighestEnabledLevel)
{
    AwardSettings s = AwardSettings::defaults();
    EXPECT_EQ(s.highestEnabledLevel(), 3);
    for (AwardLevel &l : s.levels)
        l.enabled = false;
    EXPECT_EQ(s.highestEnabledLevel(), -1);
    s.levels[10].enabled = true;
    EXPECT_EQ(s.highestEnabledLevel(), 10);
}

TEST(AwardSettingsModel, OptionTexts)
{
    DrawOptions o;
    EXPECT_EQ(gbk::decode(o.startStopKeysText()), QStringLiteral("空格键开始回车键停止"));
    o.startStopKeys = 1;
    EXPECT_EQ(gbk::decode(o.startStopKeysText()), QStringLiteral("回车键开始空格键停止"));
    const int periods[] = {10, 25, 50};
    for (int speed = 0; speed < 3; ++speed) {
        o.captionSpeed = speed;
        EXPECT_EQ(o.captionIntervalMs(), periods[speed]);
    }
    EXPECT_EQ(gbk::decode(AwardSettings::fixedLevelName(0)), QStringLiteral("特等奖"));
    EXPECT_EQ(gbk::decode(AwardSettings::fixedLevelName(10)), QStringLiteral("十等奖"));
}

TEST(PositionsFile, TwoSelections)
{
    TestFolder t;
    DrawOptions o;
    o.captionPosition = 1;
    o.prizePosition = 2;
    awardfile::loadPositions(t.folder(), o); // missing: nothing changes
    EXPECT_EQ(o.captionPosition, 1);
    EXPECT_EQ(o.prizePosition, 2);

    awardfile::savePositions(t.folder(), o);
    EXPECT_EQ(t.bytes("Curtain.dll"), QByteArray("1\r\n2\r\n"));
    DrawOptions r;
    awardfile::loadPositions(t.folder(), r);
    EXPECT_EQ(r.captionPosition, 1);
    EXPECT_EQ(r.prizePosition, 2);

    t.writeBytes("Curtain.dll", "2\r\n");
    EXPECT_THROW(awardfile::loadPositions(t.folder(), r), OperationError);
    t.writeBytes("Curtain.dll", "top\r\n0\r\n");
    EXPECT_THROW(awardfile::loadPositions(t.folder(), r), OperationError);
}

// --- The factory set shipped with the program ---------------------------------

TEST(FactorySet, IsAValidSetOfSettings)
{
    TestFolder t(true);
    for (const char *name : {"Tname.dll", "Tid.dll", "Tmobile.dll", "Tbadge.dll", "Tgroup.dll", "bgtheme.dll",
                             "bgshow.dll", "Curtain.dll", "keyword.dll", "showword.dll", "Tlottery.dll"}) {
        ASSERT_TRUE(t.folder().exists(QString::fromLatin1(name))) << name;
        ASSERT_TRUE(t.folder().exists(QStringLiteral("DLL\\") + QString::fromLatin1(name))) << name;
        // Every line, the last one included, ends CR LF; no lone CR or LF.
        const QByteArray bytes = t.bytes(QString::fromLatin1(name));
        EXPECT_TRUE(bytes.endsWith("\r\n")) << name;
        EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n")) << name;
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << name;
        EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF")) << name;
    }

    ASSERT_EQ(t.folder().readLines(files::Lottery).size(), 82);
    const AwardSettings s = awardfile::load(t.folder());
    EXPECT_EQ(s.toLines(), t.folder().readLines(files::Lottery)) << "not in the form the editor writes";
    const int highest = s.highestEnabledLevel();
    ASSERT_GE(highest, 0);
    int total = 0;
    for (int k = 0; k < LevelCount; ++k) {
        EXPECT_EQ(s.levels[k].enabled, k <= highest) << "enabled levels must run unbroken from 0: " << k;
        if (!s.levels[k].enabled)
            continue;
        ASSERT_TRUE(isValidQuantity(s.levels[k].quantity)) << k;
        total += s.levels[k].quantityValue();
    }

    const ParticipantList list = ParticipantList::load(t.folder());
    const int n = list.count();
    EXPECT_GT(n, 0);
    EXPECT_LE(total, n);
    for (int c = 0; c < ColumnCount; ++c) {
        EXPECT_EQ(list.columns[c].size(), n + 1) << c;
        EXPECT_EQ(list.columns[c].value(0), ParticipantList::columnCaption(c)) << c;
    }
    for (int i = 0; i < n; ++i)
        EXPECT_TRUE(list.field(ColGroup, i).isEmpty()) << i;

    EXPECT_EQ(keyfiles::loadKeyField(t.folder(), 3), int(KeyName));
    const ShowFields show = keyfiles::loadShowFields(t.folder(), ShowFields(), KeyName);
    EXPECT_EQ(show.toLines(), ShowFields().toLines());
    DrawOptions o;
    o.captionPosition = o.prizePosition = 2;
    awardfile::loadPositions(t.folder(), o);
    EXPECT_EQ(o.captionPosition, 0);
    EXPECT_EQ(o.prizePosition, 0);
    EXPECT_EQ(t.folder().readLines(files::Theme).size(), 3);
    EXPECT_EQ(t.folder().readLines(files::ResultBackground).size(), 1);
}
