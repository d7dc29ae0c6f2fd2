#include "app/drawconfighost.h"
#include "base/gbk.h"
#include "bundle/bundle.h"
#include "bundle/bundlecommands.h"
#include "engine/drawfiles.h"
#include "engine/prepare.h"
#include "support/headlessprogram.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>
#include <map>

using namespace sorvix;
using namespace sorvix::test;
using Answer = OperatorPort::Answer;

namespace {

const QStringList MemberFiles{
    QStringLiteral("bgtheme.dll"),  QStringLiteral("Curtain.dll"), QStringLiteral("bgshow.dll"),
    QStringLiteral("Tlottery.dll"), QStringLiteral("keyword.dll"), QStringLiteral("showword.dll"),
    QStringLiteral("Tname.dll"),    QStringLiteral("Tmobile.dll"), QStringLiteral("Tid.dll"),
    QStringLiteral("Tbadge.dll"),   QStringLiteral("Tgroup.dll")};

// The program as it runs on one computer: a program folder with the shipped
// files, started, with the bundle commands on the real host.
struct Computer : HeadlessProgram
{
    std::unique_ptr<DrawConfigHost> host;
    std::unique_ptr<ConfigCommands> commands;
    Theme theme;

    void start()
    {
        applyTheme = [this](const Theme &stored) { theme = stored; };
        HeadlessProgram::start();
        host = std::make_unique<DrawConfigHost>(session, screen, op, sound, *preparation);
        host->theme = [this] { return theme; };
        host->applyTheme = applyTheme;
        commands = std::make_unique<ConfigCommands>(session, *host, op);
        commands->now = [] { return QDateTime(QDate(2025, 1, 24), QTime(18, 30, 5)); };
    }

    // Every file of the program folder with its bytes.
    std::map<QString, QByteArray> snapshot() const
    {
        std::map<QString, QByteArray> files;
        QDirIterator it(dir.root(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            file.open(QIODevice::ReadOnly);
            files[QDir(dir.root()).relativeFilePath(file.fileName())] = file.readAll();
        }
        return files;
    }
    // The files added, removed or changed since the snapshot.
    QStringList changedSince(const std::map<QString, QByteArray> &before) const
    {
        QStringList changed;
        const auto now = snapshot();
        for (const auto &[name, bytes] : now)
            if (!before.count(name) || before.at(name) != bytes)
                changed << name;
        for (const auto &[name, bytes] : before)
            if (!now.count(name))
                changed << name;
        return changed;
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

    QString saveOffice()
    {
        const QString name = office.dir.path(QStringLiteral("party.drcf"));
        office.op.saveName = name;
        office.commands->saveBundle();
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
    drawfiles::writeStatus(venue.dir.folder(), 1);
    venue.op.openName = name;
    venue.commands->importBundle();
    EXPECT_EQ(venue.op.notices.last(), QStringLiteral("配置文件 ") + name + QStringLiteral(" 导入成功。"));
    for (const QString &file : MemberFiles)
        EXPECT_EQ(venue.dir.bytes(file), office.dir.bytes(file)) << file.toStdString();

    // Everything in memory follows the new files, and a fresh plan is ready.
    EXPECT_EQ(venue.session.list.count(), 3);
    EXPECT_EQ(venue.session.pool.size(), 3u);
    EXPECT_EQ(venue.session.keyField, KeyWorkId);
    EXPECT_TRUE(venue.session.showFields.showMobile);
    EXPECT_EQ(venue.session.rawSettingsLists[ColGroup], office.session.rawSettingsLists[ColGroup]);
    EXPECT_EQ(venue.session.settings.options.captionPosition, 1);
    EXPECT_EQ(venue.session.settings.options.prizePosition, 2);
    EXPECT_EQ(venue.screen.title, QStringLiteral("年会抽奖"));
    EXPECT_EQ(venue.theme.colourName, QByteArray("Red"));
    EXPECT_EQ(venue.session.state.roundIndex, 0);
    EXPECT_EQ(venue.session.state.roundCount, 2);
    EXPECT_EQ(venue.dir.lines(QStringLiteral("status.dll")), QStringList{QStringLiteral("0")});
    EXPECT_TRUE(venue.op.questions.isEmpty());
}

TEST_F(BundleTest, OtherVersionIsRefusedWithoutTouchingAFile)
{
    const QString name = saveOffice();
    QByteArray bytes = office.dir.bytes(QStringLiteral("party.drcf"));
    bytes.replace(0, 6, "v4.1.1");
    office.dir.writeBytes(QStringLiteral("party.drcf"), bytes);
    const auto before = venue.snapshot();
    EXPECT_FALSE(venue.commands->importFile(name));
    EXPECT_EQ(venue.op.notices, QStringList{QStringLiteral("版本不匹配：配置文件版本是v4.1.1，当前软件版本是v4.2.1")});
    EXPECT_EQ(venue.changedSince(before), QStringList());
}

TEST_F(BundleTest, DamagedBundlesChangeNoFile)
{
    const QString name = saveOffice();
    const Lines lines = textfile::splitLines(office.dir.bytes(QStringLiteral("party.drcf")));
    auto before = venue.snapshot();
    const auto refused = [&](const Lines &damaged, const std::string &what) {
        office.dir.writeBytes(QStringLiteral("party.drcf"), textfile::joinLines(damaged));
        venue.op.notices.clear();
        EXPECT_FALSE(venue.commands->importFile(name)) << what;
        EXPECT_EQ(venue.op.notices.size(), 1) << what;
        EXPECT_EQ(venue.changedSince(before), QStringList()) << what;
    };
    // Cut before the last column: every line but the last column's is needed.
    for (int kept = 0; kept < 97 + 4 * 4; ++kept)
        refused(lines.mid(0, kept), "cut after " + std::to_string(kept) + " lines");
    EXPECT_EQ(venue.op.notices, QStringList{QStringLiteral("导入失败，可能是配置文件已经损坏。")});

    // A bad number on every numeric line: the count, the two positions, the
    // award settings' choices and the key field.
    QList<int> numeric{2, 6, 7, 8 + 64, 8 + 68, 8 + 69, 91};
    for (int line = 8 + 72; line <= 8 + 82; ++line)
        numeric << line;
    for (int line : numeric) {
        for (const QByteArray &bad : {QByteArray("x"), QByteArray()}) {
            Lines damaged = lines;
            damaged[line - 1] = bad;
            refused(damaged, "line " + std::to_string(line) + " '" + bad.toStdString() + "'");
        }
    }
    // Numbers the draw cannot take: a negative position, and a quantity of an
    // enabled level outside 1..999 (level 1's is line 22).
    for (const auto &[line, bad] : std::vector<std::pair<int, QByteArray>>{
             {6, "-1"}, {7, "-1"}, {22, "-3"}, {22, "1000"}, {22, "0"}}) {
        Lines damaged = lines;
        damaged[line - 1] = bad;
        refused(damaged, "line " + std::to_string(line) + " '" + bad.toStdString() + "'");
    }
    // A count that is too large or too small for the lines that follow.
    for (const QByteArray &count : {QByteArray("6"), QByteArray("3"), QByteArray("-1")}) {
        Lines damaged = lines;
        damaged[1] = count;
        refused(damaged, "count " + count.toStdString());
    }

    // A member file that cannot be written: none is replaced and the draw stays.
    venue.dir.folder().remove(QStringLiteral("Tgroup.dll"));
    QDir(venue.dir.root()).mkdir(QStringLiteral("Tgroup.dll"));
    before = venue.snapshot();
    refused(lines, "Tgroup.dll not writable");
    EXPECT_TRUE(venue.op.notices.last().startsWith(QStringLiteral("导入失败：磁盘或文件夹拒绝写入")));
}

namespace {

// The program's own host, with the award settings failing to load.
class FailingReload : public ConfigHost
{
public:
    explicit FailingReload(ConfigHost &inner) : m_inner(inner) {}
    Theme currentTheme() const override { return m_inner.currentTheme(); }
    bool rerunScreenStartup() override { return m_inner.rerunScreenStartup(); }
    void relayout() override { m_inner.relayout(); }
    bool reloadParticipants() override { return m_inner.reloadParticipants(); }
    bool reloadAwardSettings() override { m_inner.reloadAwardSettings(); return false; }
    void prepareFreshDraw() override { m_inner.prepareFreshDraw(); }
    void showMainMenu() override { m_inner.showMainMenu(); }
    void settingsReplaced() override { m_inner.settingsReplaced(); }

private:
    ConfigHost &m_inner;
};

} // namespace

TEST_F(BundleTest, AReplacementThatFailsPartWayPutsEveryFileBack)
{
    // An import whose new files do not load: the old files, the list in
    // memory and the draw stay, and the operator is told.
    const QString name = saveOffice();
    FailingReload venueHost(*venue.host);
    ConfigCommands import(venue.session, venueHost, venue.op);
    const auto before = venue.snapshot();
    EXPECT_FALSE(import.importFile(name));
    EXPECT_EQ(venue.changedSince(before), QStringList());
    EXPECT_EQ(venue.session.list.count(), 200);
    EXPECT_TRUE(venue.op.notices.last().contains(QStringLiteral("原有的配置文件已经全部恢复"))) << venue.op.notices.last().toStdString();

    // Restoring the defaults alike.
    FailingReload officeHost(*office.host);
    ConfigCommands restore(office.session, officeHost, office.op);
    const auto own = office.snapshot();
    EXPECT_FALSE(restore.restoreFactoryFiles());
    EXPECT_EQ(office.changedSince(own), QStringList());
    EXPECT_EQ(office.session.list.count(), 3);
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
    office.commands->saveBundle();
    EXPECT_TRUE(textfile::exists(office.dir.path(QStringLiteral("party.DRCF.drcf"))));

    const QString name = office.dir.path(QStringLiteral("party.drcf"));
    office.dir.writeBytes(QStringLiteral("party.drcf"), "keep me");
    office.op.saveName = office.dir.path(QStringLiteral("party"));
    office.op.notices.clear();
    office.op.answers = {Answer::No};
    office.commands->saveBundle();
    EXPECT_EQ(office.op.questions, QStringList{name + QStringLiteral(" 已经存在，是否覆盖？")});
    EXPECT_EQ(office.dir.bytes(QStringLiteral("party.drcf")), QByteArray("keep me"));
    EXPECT_TRUE(office.op.notices.isEmpty());

    office.op.answers = {Answer::Yes};
    office.commands->saveBundle();
    EXPECT_TRUE(office.dir.bytes(QStringLiteral("party.drcf")).startsWith("v4.2.1\r\n"));
    EXPECT_EQ(office.op.notices.size(), 1);
}

TEST_F(BundleTest, SaveWithMissingOrShortFilesStillWritesAWholeBundle)
{
    // A companion column shorter than the names, and the three small files gone.
    office.session.rawSettingsLists[ColMobile].resize(2);
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
    const auto before = office.snapshot();
    office.op.answers = {Answer::No};
    office.commands->restoreDefaults();
    EXPECT_EQ(office.op.questions, QStringList{QStringLiteral("所有设置将恢复到初始安装状态，请确认？")});
    EXPECT_EQ(office.changedSince(before), QStringList());

    office.commands->restoreDefaults();
    EXPECT_EQ(office.op.notices.last(), QStringLiteral("恢复默认设置成功。"));
    const QDir factory(factoryFolder());
    for (const QString &file : ConfigCommands::factoryFiles()) {
        QFile shipped(factory.filePath(file));
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
        EXPECT_EQ(office.dir.bytes(file), shipped.readAll()) << file.toStdString();
    }
    EXPECT_EQ(office.session.list.count(), 200);
    EXPECT_EQ(office.session.keyField, KeyName);
    EXPECT_EQ(office.screen.title, QStringLiteral("Qenwood科技有限公司新年联欢会"));
    EXPECT_EQ(office.session.state.roundIndex, 0);
    EXPECT_GT(office.session.state.roundCount, 0);
    EXPECT_TRUE(office.screen.menusShown);

    // A factory file gone: no file is restored, and the operator is told the
    // restore did not succeed.
    office.dir.write(QStringLiteral("Curtain.dll"), {QStringLiteral("2"), QStringLiteral("1")});
    office.dir.write(QStringLiteral("keyword.dll"), {QStringLiteral("2")});
    office.dir.folder().remove(QStringLiteral("DLL\\Curtain.dll"));
    const auto own = office.snapshot();
    office.commands->restoreDefaults();
    EXPECT_EQ(office.changedSince(own), QStringList());
    EXPECT_EQ(office.op.notices.last(), QStringLiteral("对不起，恢复默认设置失败。\r请联系客服，或者重新安装软件。"));
    EXPECT_TRUE(office.screen.menusShown);
}
