#include "base/gbk.h"
#include "bundle/bundle.h"
#include "bundle/bundlecommands.h"
#include "support/headlessprogram.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;
using Answer = OperatorPort::Answer;

namespace {

const QStringList MemberFiles{
    QStringLiteral("bgtheme.dll"),  QStringLiteral("Curtain.dll"), QStringLiteral("bgshow.dll"),
    QStringLiteral("Tlottery.dll"), QStringLiteral("keyword.dll"), QStringLiteral("showword.dll"),
    QStringLiteral("Tname.dll"),    QStringLiteral("Tmobile.dll"), QStringLiteral("Tid.dll"),
    QStringLiteral("Tbadge.dll"),   QStringLiteral("Tgroup.dll")};

// A draw screen that shows every picture.
struct ThemeShown : ThemeView
{
    bool showBackground(const QString &) override { return true; }
    void setTextColour(const QColor &) override {}
    void setTextFace(const QString &) override {}
};

// The program as it runs on one computer: a program folder with the shipped
// files, started with its stored theme, and the bundle commands on it.
struct Computer : HeadlessProgram
{
    ThemeShown view;
    std::unique_ptr<ThemeChoice> themes;
    std::unique_ptr<BundleCommands> commands;
    int menusWanted = 0;

    void start()
    {
        commands.reset();
        themes.reset();
        HeadlessProgram::start();
        themes = std::make_unique<ThemeChoice>(draw->folder(), op, view);
        if (const std::optional<Theme> stored = theme::load(draw->folder()))
            themes->applyStored(*stored);
        commands = std::make_unique<BundleCommands>(*draw, *themes, op);
        QObject::connect(commands.get(), &BundleCommands::mainMenuWanted, [this] { ++menusWanted; });
    }
};

// An organiser's own set-up: three people, two award levels, a theme of
// their choice, the caption at the bottom, other shown fields.
void writeOwnSetUp(const TestFolder &dir)
{
    dir.writeList({QStringLiteral("张三|13800000001|110101199001011234|QW1|0"),
                   QStringLiteral("李四|13800000002|110101199202021234|QW2|"),
                   QStringLiteral("王五|13800000003|110101199303031234|QW3|A")});
    QStringList award = dir.lines(QStringLiteral("Tlottery.dll"));
    award[0] = QStringLiteral("年会抽奖");
    award[13] = QStringLiteral("2");  // 一等奖: 2 people
    award[16] = QStringLiteral("0");  // 二等奖 off
    award[21] = QStringLiteral("0");  // 三等奖 off
    dir.write(QStringLiteral("Tlottery.dll"), award);
    dir.write(QStringLiteral("bgtheme.dll"), {QStringLiteral("bg\\sky\\2.jpg"), QStringLiteral("Red"), QStringLiteral("楷体")});
    dir.write(QStringLiteral("Curtain.dll"), {QStringLiteral("1"), QStringLiteral("2")});
    dir.write(QStringLiteral("bgshow.dll"), {QStringLiteral("bg\\show\\blue.jpg")});
    dir.write(QStringLiteral("keyword.dll"), {QStringLiteral("3")});
    dir.write(QStringLiteral("showword.dll"), {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("0"),
                                               QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("0")});
}

class BundleTest : public ::testing::Test
{
protected:
    Computer office;
    Computer venue;

    void SetUp() override
    {
        writeOwnSetUp(office.dir);
        office.start();
        venue.start();
    }

    const QDateTime now{QDate(2025, 1, 24), QTime(18, 30, 5)};

    QString saveOffice()
    {
        const QString name = office.dir.path(QStringLiteral("party.drcf"));
        office.op.saveName = name;
        office.commands->saveBundle(now);
        return name;
    }
};

} // namespace

TEST_F(BundleTest, SavedBundleImportsLineForLineOnAnotherComputer)
{
    const QString name = saveOffice();
    EXPECT_EQ(office.op.proposedNames, QStringList{QStringLiteral("Sorvix20250124-183005.drcf")});
    EXPECT_EQ(office.op.filters, QStringList{QStringLiteral("配置文件(*.drcf)|*.drcf")});
    EXPECT_EQ(office.op.notices, QStringList{QStringLiteral("所有配置（包括人员名单）都已成功保存！\r需要时可随时导入。")});
    // 3 people: N = 4, 97 + 5 * 4 lines, each ended CR LF.
    const QByteArray bytes = office.dir.bytes(QStringLiteral("party.drcf"));
    EXPECT_EQ(bytes.count("\r\n"), 117);
    EXPECT_EQ(textfile::splitLines(bytes).size(), 117);
    EXPECT_TRUE(bytes.startsWith("v4.2.1\r\n4\r\nbg\\sky\\2.jpg\r\nRed\r\n"));

    // Results on the venue computer are discarded by the import.
    venue.draw->start();
    venue.draw->stop();
    ASSERT_EQ(venue.draw->state().roundIndex(), 1);
    venue.op.openName = name;
    venue.commands->importBundle();
    EXPECT_EQ(venue.op.notices.last(), QStringLiteral("配置文件 ") + name + QStringLiteral(" 导入成功。"));
    for (const QString &file : MemberFiles)
        EXPECT_EQ(venue.dir.bytes(file), office.dir.bytes(file)) << file.toStdString();

    // Everything in memory follows the new files, and a fresh plan is ready.
    const Draw &draw = *venue.draw;
    EXPECT_EQ(draw.list().count(), 3);
    EXPECT_EQ(draw.pool().size(), 3u);
    EXPECT_EQ(draw.keyField(), KeyWorkId);
    EXPECT_TRUE(draw.showFields().showMobile);
    EXPECT_EQ(draw.list().columns[ColGroup], office.draw->list().columns[ColGroup]);
    EXPECT_EQ(draw.settings().options.captionPosition, 1);
    EXPECT_EQ(draw.settings().options.prizePosition, 2);
    EXPECT_EQ(venue.screen.title, QStringLiteral("年会抽奖"));
    EXPECT_EQ(venue.themes->theme().colourName, QByteArray("Red"));
    EXPECT_EQ(draw.state().roundIndex(), 0);
    EXPECT_EQ(draw.state().roundCount(), 2);
    EXPECT_EQ(venue.dir.lines(QStringLiteral("status.dll")), QStringList{QStringLiteral("0")});
    EXPECT_FALSE(venue.dir.folder().exists(files::WinnersList));
    EXPECT_TRUE(venue.op.questions.isEmpty());
}

TEST_F(BundleTest, OtherVersionsAndDamagedBundlesChangeNoFile)
{
    const QString name = saveOffice();
    const Lines lines = textfile::splitLines(office.dir.bytes(QStringLiteral("party.drcf")));
    auto before = venue.dir.snapshot();
    const auto refused = [&](const Lines &damaged, const std::string &what) {
        office.dir.writeBytes(QStringLiteral("party.drcf"), textfile::joinLines(damaged));
        venue.op.notices.clear();
        EXPECT_FALSE(venue.commands->importFile(name)) << what;
        EXPECT_EQ(venue.op.notices.size(), 1) << what;
        EXPECT_EQ(venue.dir.changedSince(before), QStringList()) << what;
    };
    // Line `line` (from 1) replaced by `text`.
    const auto with = [&](int line, const QByteArray &text) {
        Lines damaged = lines;
        damaged[line - 1] = text;
        return damaged;
    };
    refused(with(1, "v4.1.1"), "version");
    EXPECT_EQ(venue.op.notices, QStringList{QStringLiteral("版本不匹配：配置文件版本是v4.1.1，当前软件版本是v4.2.1")});

    // Cut before the last column: every line but the last column's is needed.
    for (int kept = 0; kept < 97 + 4 * 4; ++kept)
        refused(lines.mid(0, kept), "cut after " + std::to_string(kept) + " lines");
    EXPECT_EQ(venue.op.notices, QStringList{QStringLiteral("导入失败，可能是配置文件已经损坏。")});

    // A bad number on every numeric line: the count, the two positions, the
    // award settings' choices and the key field.
    QList<int> numeric{2, 6, 7, 8 + 64, 8 + 68, 8 + 69, 91};
    for (int line = 8 + 72; line <= 8 + 82; ++line)
        numeric << line;
    for (int line : numeric)
        for (const QByteArray &bad : {QByteArray("x"), QByteArray()})
            refused(with(line, bad), "line " + std::to_string(line) + " '" + bad.toStdString() + "'");
    // Numbers the draw cannot take: a negative position, and a quantity of an
    // enabled level outside 1..999 (level 1's is line 22); a count too large
    // or too small for the lines that follow.
    for (const auto &[line, bad] : std::vector<std::pair<int, QByteArray>>{
             {6, "-1"}, {7, "-1"}, {22, "-3"}, {22, "1000"}, {22, "0"}, {2, "6"}, {2, "3"}, {2, "-1"}})
        refused(with(line, bad), "line " + std::to_string(line) + " '" + bad.toStdString() + "'");

    // A member file that cannot be written: none is replaced and the draw stays.
    venue.dir.folder().remove(QStringLiteral("Tgroup.dll"));
    QDir(venue.dir.root()).mkdir(QStringLiteral("Tgroup.dll"));
    before = venue.dir.snapshot();
    refused(lines, "Tgroup.dll not writable");
    EXPECT_TRUE(venue.op.notices.last().startsWith(QStringLiteral("导入失败：磁盘或文件夹拒绝写入")));
}

namespace {

// Tlottery.dll vanishes as soon as the draw begins to read the replaced
// files, so its award settings cannot be read again.
void losesItsAwardFileWhileReloading(Computer &computer)
{
    QObject::connect(
        computer.draw.get(), &Draw::settingsChanged, computer.draw.get(),
        [&computer] { QFile::remove(computer.dir.path(QStringLiteral("Tlottery.dll"))); }, Qt::SingleShotConnection);
}

} // namespace

TEST_F(BundleTest, AReplacementThatFailsToLoadPutsEveryFileBackAndSaysWhy)
{
    // An import whose new files do not load: the old files, the list in
    // memory and the draw stay, and the operator is told why.
    const QString name = saveOffice();
    const auto before = venue.dir.snapshot();
    losesItsAwardFileWhileReloading(venue);
    EXPECT_FALSE(venue.commands->importFile(name));
    EXPECT_EQ(venue.dir.changedSince(before), QStringList());
    EXPECT_EQ(venue.draw->list().count(), 200);
    const QString told = venue.op.notices.last();
    EXPECT_TRUE(told.contains(QStringLiteral("原有的配置文件已经全部恢复"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("无法打开文件：") + QDir::toNativeSeparators(venue.dir.path(QStringLiteral("Tlottery.dll"))))) << told.toStdString();

    // Restoring the defaults alike.
    const auto own = office.dir.snapshot();
    losesItsAwardFileWhileReloading(office);
    EXPECT_FALSE(office.commands->restoreDefaults());
    EXPECT_EQ(office.dir.changedSince(own), QStringList());
    EXPECT_EQ(office.draw->list().count(), 3);
    EXPECT_TRUE(office.op.notices.last().startsWith(QStringLiteral("对不起，恢复默认设置失败。")));
    EXPECT_TRUE(office.op.notices.last().contains(QStringLiteral("Tlottery.dll"))) << office.op.notices.last().toStdString();
}

TEST_F(BundleTest, ReplacedFilesWithoutAPlanAreNeverCalledASuccess)
{
    // No round file can be written: the bundle's settings are in force, and
    // the operator hears that no draw is ready.
    const QString name = saveOffice();
    venue.dir.block(QStringLiteral("data"));
    EXPECT_FALSE(venue.commands->importFile(name));
    const QString told = venue.op.notices.last();
    EXPECT_TRUE(told.startsWith(QStringLiteral("配置文件已经导入，但无法准备新的抽奖：\r无法删除文件："))) << told.toStdString();
    EXPECT_FALSE(told.contains(QStringLiteral("导入成功")));
    EXPECT_EQ(venue.dir.bytes(QStringLiteral("Tname.dll")), office.dir.bytes(QStringLiteral("Tname.dll")));
    EXPECT_EQ(venue.screen.title, QStringLiteral("年会抽奖"));
    EXPECT_EQ(venue.draw->state().roundCount(), 0);

    // The factory set alike.
    EXPECT_FALSE(venue.commands->restoreDefaults());
    EXPECT_TRUE(venue.op.notices.last().startsWith(QStringLiteral("默认设置已经恢复，但无法准备新的抽奖：")))
        << venue.op.notices.last().toStdString();
    EXPECT_EQ(venue.draw->list().count(), 200);
}

TEST_F(BundleTest, LastColumnCutShortReadsAsEmptyGroups)
{
    const QString name = saveOffice();
    const Lines lines = textfile::splitLines(office.dir.bytes(QStringLiteral("party.drcf")));
    office.dir.writeBytes(QStringLiteral("party.drcf"), textfile::joinLines(lines.mid(0, 117 - 2)));
    EXPECT_TRUE(venue.commands->importFile(name));
    EXPECT_EQ(venue.dir.lines(QStringLiteral("Tgroup.dll")),
              (QStringList{QStringLiteral("分组"), QStringLiteral("0"), QString(), QString()}));
    EXPECT_EQ(venue.dir.bytes(QStringLiteral("Tname.dll")), office.dir.bytes(QStringLiteral("Tname.dll")));
}

TEST_F(BundleTest, SaveNamesAndTheOverwriteQuestion)
{
    // ".DRCF" is not the extension: ".drcf" is added all the same.
    office.op.saveName = office.dir.path(QStringLiteral("party.DRCF"));
    office.commands->saveBundle(now);
    EXPECT_TRUE(textfile::exists(office.dir.path(QStringLiteral("party.DRCF.drcf"))));

    const QString name = office.dir.path(QStringLiteral("party.drcf"));
    office.dir.writeBytes(QStringLiteral("party.drcf"), "keep me");
    office.op.saveName = office.dir.path(QStringLiteral("party"));
    office.op.notices.clear();
    office.op.answers = {Answer::No};
    office.commands->saveBundle(now);
    EXPECT_EQ(office.op.questions, QStringList{name + QStringLiteral(" 已经存在，是否覆盖？")});
    EXPECT_EQ(office.dir.bytes(QStringLiteral("party.drcf")), QByteArray("keep me"));
    EXPECT_TRUE(office.op.notices.isEmpty());

    office.op.answers = {Answer::Yes};
    office.commands->saveBundle(now);
    EXPECT_TRUE(office.dir.bytes(QStringLiteral("party.drcf")).startsWith("v4.2.1\r\n"));
    EXPECT_EQ(office.op.notices.size(), 1);
}

TEST_F(BundleTest, SaveWithMissingOrShortFilesStillWritesAWholeBundle)
{
    // A companion column shorter than the names, and the three small files gone.
    office.dir.write(QStringLiteral("Tmobile.dll"), {QStringLiteral("手机号"), QStringLiteral("13800000001")});
    office.start();
    for (const char *file : {"bgshow.dll", "keyword.dll", "showword.dll"})
        office.dir.folder().remove(QString::fromLatin1(file));
    const QString name = saveOffice();
    EXPECT_EQ(textfile::splitLines(office.dir.bytes(QStringLiteral("party.drcf"))).size(), 117);

    EXPECT_TRUE(venue.commands->importFile(name));
    EXPECT_EQ(venue.dir.lines(QStringLiteral("Tmobile.dll")),
              (QStringList{QStringLiteral("手机号"), QStringLiteral("13800000001"), QString(), QString()}));
    EXPECT_EQ(venue.dir.lines(QStringLiteral("keyword.dll")), QStringList{QStringLiteral("3")});
    EXPECT_EQ(venue.dir.lines(QStringLiteral("showword.dll")).size(), 6);
    EXPECT_EQ(venue.dir.lines(QStringLiteral("bgshow.dll")), QStringList{QString()});
}

TEST_F(BundleTest, RestoreDefaultsBringsBackTheFactorySet)
{
    // Nothing happens on No.
    const auto before = office.dir.snapshot();
    office.op.answers = {Answer::No};
    EXPECT_FALSE(office.commands->restoreDefaults());
    EXPECT_EQ(office.op.questions, QStringList{QStringLiteral("所有设置将恢复到初始安装状态，请确认？")});
    EXPECT_EQ(office.dir.changedSince(before), QStringList());

    EXPECT_TRUE(office.commands->restoreDefaults());
    EXPECT_EQ(office.op.notices.last(), QStringLiteral("恢复默认设置成功。"));
    const QDir factory(factoryFolder());
    for (const QString &file : BundleCommands::factoryFiles()) {
        QFile shipped(factory.filePath(file));
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
        EXPECT_EQ(office.dir.bytes(file), shipped.readAll()) << file.toStdString();
    }
    EXPECT_EQ(office.draw->list().count(), 200);
    EXPECT_EQ(office.draw->keyField(), KeyName);
    EXPECT_EQ(office.screen.title, QStringLiteral("Qenwood科技有限公司新年联欢会"));
    EXPECT_EQ(office.draw->state().roundIndex(), 0);
    EXPECT_GT(office.draw->state().roundCount(), 0);
    EXPECT_EQ(office.menusWanted, 1);

    // A factory file gone: no file is restored, and the operator is told the
    // restore did not succeed, and why.
    office.dir.write(QStringLiteral("Curtain.dll"), {QStringLiteral("2"), QStringLiteral("1")});
    office.dir.write(QStringLiteral("keyword.dll"), {QStringLiteral("2")});
    office.dir.folder().remove(QStringLiteral("DLL\\Curtain.dll"));
    const auto own = office.dir.snapshot();
    EXPECT_FALSE(office.commands->restoreDefaults());
    EXPECT_EQ(office.dir.changedSince(own), QStringList());
    EXPECT_EQ(office.op.notices.last(), QStringLiteral("对不起，恢复默认设置失败。\r请联系客服，或者重新安装软件。\r无法打开文件：")
                                            + QDir::toNativeSeparators(office.dir.path(QStringLiteral("DLL\\Curtain.dll"))));
    EXPECT_EQ(office.menusWanted, 2);
}
