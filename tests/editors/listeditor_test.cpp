#include "base/gbk.h"
#include "editors/dailypassword.h"
#include "editors/listeditor.h"
#include "editors/listsheets.h"
#include "sheets/workbook.h"
#include "support/headlessprogram.h"

#include <QDir>
#include <QSet>
#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;
using Answer = OperatorPort::Answer;

namespace {

const QStringList FivePeople = {
    QStringLiteral("张一|13800000001|110101199001011111|QW01|"),
    QStringLiteral("李二|13800000002|110101199002022222|QW02|"),
    QStringLiteral("王三|13800000003|110101199003033333|QW03|1"),
    QStringLiteral("赵四|13800000004|110101199004044444|QW04|"),
    QStringLiteral("钱五|13800000005|110101199005055555|QW05|A"),
};

// The program started on the shipped settings (with the demonstration list,
// or five people), and the list editor shown on it as the window shows it.
class ListEditorTest : public ::testing::Test, public HeadlessProgram
{
protected:
    ListEditorTest() : HeadlessProgram(Files::Factory, 3) {}

    std::unique_ptr<ListEditor> editor;
    std::deque<std::optional<QString>> passwords;

    void start(bool fivePeople = true)
    {
        if (fivePeople)
            dir.writeList(FivePeople);
        HeadlessProgram::start();
        editor = std::make_unique<ListEditor>(*draw, op);
        editor->today = [] { return QDate(2025, 1, 28); };
        editor->askPassword = [this] {
            std::optional<QString> typed = passwords.front();
            passwords.pop_front();
            return typed;
        };
        editor->windowShown();
        op.questions.clear();
        op.notices.clear();
    }

    ParticipantTable &table() { return editor->table(); }
    QString cell(int row, int column) { return table().text(row, column); }
    QStringList numbers()
    {
        QStringList n;
        for (int r = 0; r < table().rowCount(); ++r)
            n << table().data(table().index(r, 0)).toString();
        return n;
    }
    QStringList names()
    {
        QStringList n;
        for (int r = 1; r <= table().personCount(); ++r)
            n << cell(r, 1);
        return n;
    }
    void type(int row, int column, const QString &text) { table().setData(table().index(row - 1, column), text); }
    // One round of the plan drawn, as the operator draws it.
    void drawOneRound()
    {
        draw->start();
        draw->stop();
        ASSERT_EQ(draw->state().roundIndex(), 1);
    }
};

} // namespace

TEST_F(ListEditorTest, ShowingFillsTheGridFromTheSavedList)
{
    start();
    EXPECT_EQ(table().personCount(), 5);
    EXPECT_EQ(editor->linesText(), QStringLiteral("共 5 行"));
    EXPECT_EQ(editor->currentRow(), 5);
    EXPECT_FALSE(editor->saveEnabled());
    EXPECT_FALSE(editor->groupMode());
    EXPECT_EQ(editor->columnWidths(), (std::array<int, 6>{50, 90, 100, 140, 100, 0}));
    EXPECT_EQ(table().headerData(0, Qt::Horizontal).toString(), QStringLiteral("序号"));
    EXPECT_EQ(table().headerData(5, Qt::Horizontal).toString(), QStringLiteral("分组"));
    EXPECT_EQ(cell(3, 5), QStringLiteral("1"));
    // The number column is not typed into; the group column only in group mode.
    EXPECT_FALSE(table().flags(table().index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(table().flags(table().index(0, 5)) & Qt::ItemIsEditable);
    EXPECT_TRUE(table().flags(table().index(0, 1)) & Qt::ItemIsEditable);
}

TEST_F(ListEditorTest, InsertAppendAndDeleteRows)
{
    start();
    editor->setCurrentRow(3);
    editor->insertLine();
    EXPECT_EQ(numbers(), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(names(), (QStringList{"张一", "李二", "", "王三", "赵四", "钱五"}));
    EXPECT_EQ(cell(4, 5), QStringLiteral("1"));
    EXPECT_EQ(editor->currentRow(), 3);
    editor->addLine();
    EXPECT_EQ(numbers().last(), QStringLiteral("7"));
    // Rows added or inserted enable nothing and leave the count of the load.
    EXPECT_FALSE(editor->saveEnabled());
    EXPECT_EQ(editor->linesText(), QStringLiteral("共 5 行"));

    editor->setCurrentRow(2);
    op.answers = {Answer::No};
    editor->deleteLine();
    EXPECT_EQ(op.questions, QStringList{QStringLiteral("确认删除第 2 行吗？")});
    EXPECT_EQ(table().personCount(), 7);
    EXPECT_FALSE(editor->saveEnabled());

    op.answers = {Answer::Yes};
    editor->deleteLine();
    EXPECT_EQ(names(), (QStringList{"张一", "", "王三", "赵四", "钱五", ""}));
    EXPECT_EQ(numbers(), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_TRUE(editor->saveEnabled());
    EXPECT_EQ(editor->linesText(), QStringLiteral("共 5 行"));

    // Typing a cell enables saving; the same text again is no edit.
    editor->windowShown();
    type(1, 1, QStringLiteral("张一"));
    EXPECT_FALSE(editor->saveEnabled());
    type(1, 1, QStringLiteral("张一一"));
    EXPECT_TRUE(editor->saveEnabled());
}

TEST_F(ListEditorTest, ClearThenCloseWithYesWritesFiveTwoLineFiles)
{
    start(false);
    // A round rolling when the editor closes with Yes stops.
    draw->start();
    ASSERT_TRUE(draw->rolling());
    editor->clearList();
    EXPECT_EQ(table().personCount(), 1);
    EXPECT_EQ(numbers(), QStringList{"1"});
    EXPECT_EQ(editor->columnWidths(), (std::array<int, 6>{50, 100, 120, 150, 120, 0}));
    EXPECT_FALSE(editor->saveEnabled());
    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_EQ(op.questions, QStringList{ListEditor::closeQuestion()});
    const char *files[5] = {"Tname.dll", "Tmobile.dll", "Tid.dll", "Tbadge.dll", "Tgroup.dll"};
    const char *headers[5] = {"姓名", "手机号", "身份证号码", "工号", "分组"};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(dir.bytes(QString::fromLatin1(files[c])), gbk::fromUtf8(headers[c]) + "\r\n\r\n") << files[c];
    // The draw now has one person; the shipped levels want more, so the plan is
    // refused with its message, and the close goes on.
    EXPECT_EQ(draw->list().count(), 1);
    EXPECT_EQ(draw->pool().size(), 1u);
    EXPECT_EQ(draw->state().roundCount(), 0);
    EXPECT_TRUE(screen.slotText[5].endsWith(QStringLiteral("当前无法抽奖")));
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("设置的总获奖人数是:")));
    EXPECT_FALSE(draw->rolling());
}

TEST_F(ListEditorTest, CloseWithNoOrCancelWritesNothing)
{
    start(false);
    const auto before = dir.snapshot();
    type(2, 1, QStringLiteral("改过的名字"));
    editor->chooseKeyField(KeyMobile);
    editor->clearList();
    op.answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(editor->confirmClose());
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_EQ(op.questions, (QStringList{ListEditor::closeQuestion(), ListEditor::closeQuestion()}));
    EXPECT_EQ(dir.changedSince(before), QStringList());
    // The next showing starts from the saved list again.
    editor->windowShown();
    EXPECT_EQ(table().personCount(), 200);
    EXPECT_EQ(editor->keyField(), KeyName);
    EXPECT_FALSE(editor->saveEnabled());
}

TEST_F(ListEditorTest, SavingPreparesTheDrawAndAsksOnlyWhileOneIsUnderway)
{
    start(false);
    type(1, 1, QStringLiteral("新名字"));
    EXPECT_TRUE(editor->save());
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_FALSE(editor->saveEnabled());
    EXPECT_EQ(dir.lines(QStringLiteral("Tname.dll")).value(1), QStringLiteral("新名字"));
    EXPECT_EQ(gbk::decode(draw->list().field(ColName, 0)), QStringLiteral("新名字"));
    EXPECT_GT(draw->state().roundCount(), 0);

    drawOneRound();
    const auto drawn = dir.snapshot();
    type(2, 1, QStringLiteral("又一个"));
    op.answers = {Answer::No};
    EXPECT_FALSE(editor->save());
    EXPECT_EQ(op.questions, QStringList{ListEditor::underwayQuestion()});
    EXPECT_EQ(dir.changedSince(drawn), QStringList());
    EXPECT_EQ(draw->state().roundIndex(), 1);

    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(draw->state().roundIndex(), 0);
    EXPECT_EQ(dir.lines(QStringLiteral("status.dll")), QStringList{"0"});
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("dat\\LuckyList.txt"))));

    // A close while a draw is under way asks the two-line question.
    drawOneRound();
    op.questions.clear();
    op.answers = {Answer::No};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_EQ(op.questions, QStringList{ListEditor::underwayQuestion()});
    EXPECT_EQ(draw->state().roundIndex(), 1);
}

TEST_F(ListEditorTest, KeyFieldAndShowSwitches)
{
    start();
    editor->setShowSwitch(KeyName, false);
    EXPECT_TRUE(editor->showFields().showName);
    editor->chooseKeyField(KeyMobile);
    EXPECT_FALSE(editor->showFields().showName);
    EXPECT_TRUE(editor->showFields().showMobile);
    editor->setShowSwitch(KeyMobile, false);
    EXPECT_TRUE(editor->showFields().showMobile);
    editor->setShowSwitch(KeyName, true);
    editor->setShowSwitch(4, true);
    editor->setShowSwitch(5, false);
    // Switches alone enable nothing; the close with Yes saves them.
    EXPECT_FALSE(editor->saveEnabled());
    op.answers = {Answer::Yes};
    EXPECT_TRUE(editor->confirmClose());
    EXPECT_EQ(dir.lines(QStringLiteral("keyword.dll")), QStringList{"1"});
    EXPECT_EQ(dir.lines(QStringLiteral("showword.dll")), (QStringList{"1", "1", "0", "0", "1", "0"}));
    EXPECT_EQ(draw->keyField(), KeyMobile);
    EXPECT_EQ(gbk::decode(buildPool(draw->list(), draw->showFields()).at(0).displayText),
              QStringLiteral("张一 138****0001"));
}

TEST_F(ListEditorTest, GroupModeOpensWithTheDaysPasswordAndKeepsItsTags)
{
    // Four winners of five people: one left who wins nothing.
    AwardSettings four = awardfile::load(dir.folder());
    for (int k = 0; k <= 3; ++k)
        four.levels[size_t(k)].quantity = "1";
    awardfile::save(dir.folder(), four);
    start();
    // The draw knows whether group mode is open by its plan's warning: two
    // excluded for one place that wins nothing.
    const auto warned = [this] {
        op.notices.clear();
        EXPECT_TRUE(editor->save());
        return op.notices.value(0).startsWith(QStringLiteral("设置的黑名单人数:2 多于未获奖人数:1"));
    };
    passwords = {QStringLiteral("12345678"), std::nullopt, dailypassword::forDate(QDate(2025, 1, 28))};
    editor->askForGroupMode();
    editor->askForGroupMode();
    EXPECT_FALSE(editor->groupMode());
    EXPECT_TRUE(op.notices.isEmpty());
    editor->askForGroupMode();
    EXPECT_TRUE(editor->groupMode());
    EXPECT_EQ(editor->columnWidths()[5], 50);
    EXPECT_TRUE(table().flags(table().index(0, 5)) & Qt::ItemIsEditable);

    type(1, 5, QStringLiteral(" 3 "));
    type(2, 5, QStringLiteral("a"));
    editor->askForGroupMode();
    EXPECT_FALSE(editor->groupMode());
    EXPECT_EQ(editor->columnWidths()[5], 0);
    EXPECT_EQ(cell(1, 5), QStringLiteral(" 3 "));
    EXPECT_FALSE(warned());
    EXPECT_EQ(dir.lines(QStringLiteral("Tgroup.dll")), (QStringList{"分组", "3", "a", "1", "", "A"}));

    // Clearing the groups is for group mode only; a close of any answer ends it.
    editor->clearGroups();
    EXPECT_EQ(cell(3, 5), QStringLiteral("1"));
    passwords = {dailypassword::forDate(QDate(2025, 1, 28)), dailypassword::forDate(QDate(2025, 1, 28))};
    editor->askForGroupMode();
    EXPECT_TRUE(warned());
    op.answers = {Answer::Cancel};
    EXPECT_FALSE(editor->confirmClose());
    EXPECT_FALSE(editor->groupMode());
    EXPECT_FALSE(warned());
    editor->askForGroupMode();
    editor->clearGroups();
    EXPECT_TRUE(editor->saveEnabled());
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(cell(r, 5), QString()) << r;
}

TEST_F(ListEditorTest, TextsGbkCannotHoldAreRefusedAndLineBreaksBecomeBlanks)
{
    start();
    type(2, 1, QStringLiteral("李二😀"));
    type(4, 2, QString::fromUtf8("\xF0\xA0\x80\x80") + QStringLiteral("138"));
    type(5, 4, QStringLiteral("QW\r\n05\n"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("李二😀"));
    EXPECT_EQ(cell(5, 4), QStringLiteral("QW 05 "));
    const auto before = dir.snapshot();
    EXPECT_FALSE(editor->save());
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].contains(QStringLiteral("第 2 行“姓名”、第 4 行“手机号”"))) << op.notices[0].toStdString();
    op.answers = {Answer::Yes};
    EXPECT_FALSE(editor->confirmClose());
    EXPECT_EQ(dir.changedSince(before), QStringList());

    type(2, 1, QStringLiteral("李二"));
    type(4, 2, QStringLiteral("138"));
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(dir.lines(QStringLiteral("Tbadge.dll")).value(5), QStringLiteral("QW 05 "));
    EXPECT_EQ(dir.lines(QStringLiteral("Tbadge.dll")).size(), 6);
}

TEST_F(ListEditorTest, SpreadsheetImportAndExportEntryPoints)
{
    start();
    editor->importRows({{"姓名", "手机号", "身份证号码", "工号", "分组"},
                        {"甲", "1", "2", "3", "1"},
                        {"乙", "", "", "", "a"},
                        {"丙😀", "", "", "", ""}});
    EXPECT_EQ(table().personCount(), 3);
    EXPECT_EQ(editor->linesText(), QStringLiteral("共 3 行"));
    EXPECT_TRUE(editor->saveEnabled());
    EXPECT_EQ(editor->currentRow(), 3);
    EXPECT_EQ(editor->columnWidths(), (std::array<int, 6>{50, 90, 100, 140, 100, 0}));
    EXPECT_EQ(cell(1, 5), QStringLiteral("1"));
    type(2, 2, QStringLiteral("139"));
    const TextRows rows = editor->exportRows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][4], QStringLiteral("分组"));
    EXPECT_EQ(rows[2][1], QStringLiteral("139"));
    EXPECT_EQ(rows[3][0], QStringLiteral("丙😀"));
    EXPECT_FALSE(editor->save());

    // A workbook without a first name: the header stays, nobody is left.
    editor->importRows({});
    EXPECT_EQ(table().personCount(), 0);
    EXPECT_EQ(editor->linesText(), QStringLiteral("共 0 行"));
    EXPECT_EQ(editor->currentRow(), 0);
    EXPECT_EQ(table().headerData(1, Qt::Horizontal).toString(), QStringLiteral("姓名"));
    editor->deleteLine();
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(dir.lines(QStringLiteral("Tname.dll")), QStringList{"姓名"});
    EXPECT_EQ(draw->list().count(), 0);
}

// The spreadsheet commands over the editor, with the workbooks of the tests.
TEST_F(ListEditorTest, ImportAsksFirstFillsTheGridAndReportsWhatToLookAt)
{
    start();
    ListSheets sheets(dir.folder(), op, *editor);
    QDir().mkpath(dir.path(QStringLiteral("data")));
    QFile::copy(QStringLiteral(SORVIX_SOURCE_DIR "/assets/data/template.xls"), dir.path(ListSheets::TemplateFile));

    // No opens the template read-only; Cancel and a cancelled dialog do nothing.
    op.answers = {Answer::No, Answer::Cancel, Answer::Yes};
    sheets.importWorkbook();
    EXPECT_EQ(op.opened, QStringList{dir.path(ListSheets::TemplateFile)});
    EXPECT_FALSE(QFileInfo(dir.path(ListSheets::TemplateFile)).permissions() & QFile::WriteOwner);
    sheets.importWorkbook();
    sheets.importWorkbook();
    // The dialog opens on every readable workbook, the exported .xlsx included.
    const QStringList shown = op.filters.last().split(QLatin1Char('|')).value(1).split(QLatin1Char(';'));
    EXPECT_EQ(QSet<QString>(shown.begin(), shown.end()), (QSet<QString>{"*.xls", "*.xlsx", "*.ods", "*.csv"}));
    EXPECT_EQ(names(), (QStringList{"张一", "李二", "王三", "赵四", "钱五"}));
    EXPECT_TRUE(op.notices.isEmpty());

    // An unreadable file keeps the grid as it was.
    op.openName = dir.path(QStringLiteral("Tname.dll"));
    sheets.importWorkbook();
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].contains(QStringLiteral("Tname.dll")));
    EXPECT_EQ(names().size(), 5);
    EXPECT_FALSE(editor->saveEnabled());

    op.openName = QStringLiteral(SORVIX_SOURCE_DIR "/tests/data/sheets/people.xls");
    op.notices.clear();
    sheets.importWorkbook();
    EXPECT_EQ(names(), (QStringList{"张三", "李四", "王五", "张三"}));
    EXPECT_EQ(cell(1, 5), QStringLiteral("1"));
    EXPECT_TRUE(editor->saveEnabled());
    EXPECT_EQ(editor->linesText(), QStringLiteral("共 4 行"));
    ASSERT_EQ(op.notices.size(), 1);
    const QStringList report = op.notices[0].split(QLatin1Char('\n'));
    ASSERT_EQ(report.size(), 4);
    EXPECT_EQ(report[0], QStringLiteral("4 行记录成功导入。"));
    EXPECT_TRUE(report[1].contains(QStringLiteral("第 3 行"))) << report[1].toStdString();
    EXPECT_TRUE(report[2].contains(QStringLiteral("有 1 人的姓名"))) << report[2].toStdString();
    EXPECT_TRUE(report[3].contains(QStringLiteral("还有 2 行"))) << report[3].toStdString();
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(dir.lines(QStringLiteral("Tgroup.dll")), (QStringList{"分组", "1", "", "", ""}));
}

TEST_F(ListEditorTest, ExportWritesTheGridWithTheGroupColumnOnlyInGroupMode)
{
    start();
    ListSheets sheets(dir.folder(), op, *editor);
    sheets.now = [] { return QDateTime(QDate(2025, 1, 28), QTime(9, 5, 7)); };
    const QString path = dir.path(QStringLiteral("out"));
    // A name typed with the old format's ending is given the one written.
    op.saveName = path + QStringLiteral(".xls");
    type(2, 1, QStringLiteral("李贰"));
    sheets.exportWorkbook();
    EXPECT_EQ(op.proposedNames, QStringList{"人员名单导出20250128-090507.xlsx"});
    EXPECT_EQ(op.notices, QStringList{"人员名单导出至：" + path + ".xlsx"});
    const workbook::Sheet plain = workbook::read(path + QStringLiteral(".xlsx"));
    ASSERT_EQ(plain.rows.size(), 6u);
    EXPECT_EQ(plain.rows[2], (TextRow{"李贰", "13800000002", "110101199002022222", "QW02", ""}));
    EXPECT_EQ(plain.rows[3][4], QString());

    // In group mode the tags leave too; an existing file is replaced only on Yes.
    passwords = {dailypassword::forDate(QDate(2025, 1, 28))};
    editor->askForGroupMode();
    op.saveName = path + QStringLiteral(".xlsx");
    op.answers = {Answer::No, Answer::Yes};
    sheets.exportWorkbook();
    EXPECT_EQ(op.questions.last(), "文件已存在：" + path + ".xlsx\n是否替换？");
    EXPECT_EQ(workbook::read(op.saveName).rows, plain.rows);
    sheets.exportWorkbook();
    const workbook::Sheet grouped = workbook::read(op.saveName);
    EXPECT_EQ(grouped.rows[0][4], QStringLiteral("分组"));
    EXPECT_EQ(grouped.rows[3][4], QStringLiteral("1"));
    EXPECT_EQ(grouped.rows, editor->exportRows());

    // A template that no program opens is said plainly.
    op.notices.clear();
    op.shellOpens = false;
    QDir().mkpath(dir.path(QStringLiteral("data")));
    QFile::copy(QStringLiteral(SORVIX_SOURCE_DIR "/assets/data/template.xls"), dir.path(ListSheets::TemplateFile));
    sheets.openTemplate();
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].contains(QStringLiteral("没有能打开“template.xls”的程序")));
}

TEST(DailyPassword, EightDigitsFromTheDateANewOneEachDay)
{
    EXPECT_EQ(dailypassword::forDate(QDate(2025, 1, 28)), QStringLiteral("71987974"));
    QSet<QString> seen;
    for (QDate d(2024, 1, 1); d < QDate(2026, 1, 1); d = d.addDays(1)) {
        const QString p = dailypassword::forDate(d);
        EXPECT_EQ(p.size(), 8);
        seen.insert(p);
    }
    EXPECT_EQ(seen.size(), 731);
    const QDate today(2025, 1, 28);
    EXPECT_TRUE(dailypassword::matches(QStringLiteral("71987974"), today));
    for (const char *wrong : {"71987974 ", " 71987974", "7198797", "", "71987975"})
        EXPECT_FALSE(dailypassword::matches(QString::fromLatin1(wrong), today)) << wrong;
    EXPECT_FALSE(dailypassword::matches(QStringLiteral("71987974"), today.addDays(1)));
}

TEST_F(ListEditorTest, FilesThatCannotBeReadOrWrittenAreToldAndSaveStays)
{
    start(false);
    // A key field file that is no number: its message, and the saved list all the same.
    dir.write(QStringLiteral("keyword.dll"), {QStringLiteral("x")});
    type(1, 1, QStringLiteral("未保存"));
    editor->windowShown();
    EXPECT_EQ(op.notices.size(), 1);
    EXPECT_EQ(cell(1, 1), dir.lines(QStringLiteral("Tname.dll")).value(1));

    // The shown fields' file cannot be replaced: neither is any other file of
    // the list, the edits stay to save again and the draw keeps its plan.
    QFile::remove(dir.path(QStringLiteral("showword.dll")));
    QDir(dir.root()).mkdir(QStringLiteral("showword.dll"));
    const auto before = dir.snapshot();
    const int rounds = draw->state().roundCount();
    op.notices.clear();
    type(1, 1, QStringLiteral("新的"));
    EXPECT_FALSE(editor->save());
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].contains(QStringLiteral("showword.dll")));
    EXPECT_EQ(dir.changedSince(before), QStringList());
    EXPECT_EQ(draw->state().roundCount(), rounds);
    EXPECT_TRUE(editor->saveEnabled());
    EXPECT_EQ(cell(1, 1), QStringLiteral("新的"));
    op.answers = {Answer::Yes};
    EXPECT_FALSE(editor->confirmClose());
    QDir(dir.root()).rmdir(QStringLiteral("showword.dll"));

    // Every file written, but no plan can be: said, and "保存" stays.
    dir.block(QStringLiteral("data"));
    op.notices.clear();
    EXPECT_TRUE(editor->save());
    EXPECT_EQ(op.notices, QStringList{ListEditor::unpreparedMessage(QStringLiteral("无法删除文件：")
                                                                    + QDir::toNativeSeparators(dir.path(files::round(0))))});
    EXPECT_EQ(draw->state().roundCount(), 0);
    EXPECT_TRUE(editor->saveEnabled());
    op.answers = {Answer::Yes};
    EXPECT_FALSE(editor->confirmClose());

    dir.unblock(QStringLiteral("data"));
    EXPECT_TRUE(editor->save());
    EXPECT_FALSE(editor->saveEnabled());
    EXPECT_GT(draw->state().roundCount(), 0);
}
