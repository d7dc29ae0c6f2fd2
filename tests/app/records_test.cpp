#include "app/records.h"
#include "engine/drawfiles.h"
#include "sheets/workbook.h"
#include "support/headlessprogram.h"

#include <gtest/gtest.h>

using namespace sorvix;
using namespace sorvix::test;

namespace {

QByteArray g(const char *utf8) { return gbk::fromUtf8(utf8); }

// Two people share the name the screen shows; the draw's order (the pool's)
// decides which of them a line stands for.
class RecordExportTest : public ::testing::Test, public HeadlessProgram
{
protected:
    RecordExportTest() : HeadlessProgram(Files::None)
    {
        dir.writeList({QStringLiteral("张三|13800000001|110101199001011111|QW01|1"),
                       QStringLiteral("李四|13800000002|110101199002022222|QW02|"),
                       QStringLiteral("张三|13800000003|110101199003033333|QW03|"),
                       QStringLiteral("王五|13800000004|110101199004044444|QW04|A")});
        AwardSettings settings = AwardSettings::defaults();
        for (int k = 0; k < LevelCount; ++k) {
            settings.levels[size_t(k)].enabled = k < 2;
            settings.levels[size_t(k)].quantity = "1";
        }
        awardfile::save(dir.folder(), settings);
        start();
        commands = std::make_unique<RecordCommands>(*draw, op);
        levelwinners::create(dir.folder(), 1, g("一等奖"), g("平板电脑"), {g("张三"), g("李四")});
        levelwinners::create(dir.folder(), 0, g("特等奖"), g("笔记本电脑"), {g("张三")});
        op.answers = {OperatorPort::Answer::No};
    }

    QStringList exported(void (RecordCommands::*command)(const QDateTime &), const QString &name)
    {
        op.saveName = dir.path(name);
        ((*commands).*command)(QDateTime::currentDateTime());
        return op.questions;
    }
    // The mobile number of the 张三 who comes first in the draw's order.
    QString firstZhangMobile() const
    {
        for (const PoolEntry &entry : draw->pool())
            if (entry.displayText == g("张三"))
                return gbk::decode(draw->list().field(ColMobile, entry.person));
        return {};
    }

    std::unique_ptr<RecordCommands> commands;
};

} // namespace

TEST_F(RecordExportTest, TheChosenEndingGivesTheTextFileAsEverOrAWorkbookWithoutTheGroup)
{
    // A text name: the winners list byte for byte, and the question after it.
    exported(&RecordCommands::exportWinners, QStringLiteral("w.txt"));
    EXPECT_TRUE(op.filters.last().contains(QStringLiteral("Excel 工作簿(*.xlsx)|*.xlsx")));
    EXPECT_EQ(dir.bytes(QStringLiteral("w.txt")), dir.bytes(files::WinnersList));
    EXPECT_EQ(dir.bytes(QStringLiteral("w.txt")).count('\n'), 9);

    // A workbook: level by level, the people's own fields, unmasked, no group.
    const QStringList asked = exported(&RecordCommands::exportWinners, QStringLiteral("w.xls"));
    EXPECT_EQ(asked.last(), "中奖名单成功导出至：" + dir.path(QStringLiteral("w.xlsx")) + "\r是否打开？");
    const winners::Table table = winners::winnersTable(dir.folder(), 1, draw->list(), draw->pool());
    const bool thirdFirst = firstZhangMobile() == QStringLiteral("13800000003");
    const QStringList first{"张三", "13800000001", "110101199001011111", "QW01"};
    const QStringList third{"张三", "13800000003", "110101199003033333", "QW03"};
    const std::vector<QStringList> expected{
        {"奖项", "奖品", "姓名", "手机号", "身份证号码", "工号"},
        QStringList{"特等奖", "笔记本电脑"} + (thirdFirst ? third : first),
        QStringList{"一等奖", "平板电脑"} + (thirdFirst ? first : third),
        {"一等奖", "平板电脑", "李四", "13800000002", "110101199002022222", "QW02"}};
    EXPECT_EQ(table, expected);
    const workbook::Sheet sheet = workbook::read(dir.path(QStringLiteral("w.xlsx")));
    ASSERT_EQ(sheet.rows.size(), expected.size());
    for (size_t r = 0; r < expected.size(); ++r)
        EXPECT_EQ(QStringList(sheet.rows[r].begin(), sheet.rows[r].end()), expected[r].mid(0, ColumnCount)) << r;
    EXPECT_EQ(sheet.lostDigitCells, 0);

    // Non-winners: the one person nobody's line stands for, four fields only.
    exported(&RecordCommands::exportNonWinners, QStringLiteral("n.xlsx"));
    EXPECT_EQ(op.questions.last(), "未中奖名单成功导出至：" + dir.path(QStringLiteral("n.xlsx")) + "\r是否打开？");
    const workbook::Sheet rest = workbook::read(dir.path(QStringLiteral("n.xlsx")));
    ASSERT_EQ(rest.rows.size(), 2u);
    EXPECT_EQ(rest.rows[1], (TextRow{"王五", "13800000004", "110101199004044444", "QW04", ""}));
    EXPECT_EQ(rest.rows[0][4], QString());

    // The text export still matches by the shown text: both 张三 count as won.
    exported(&RecordCommands::exportNonWinners, QStringLiteral("n.txt"));
    EXPECT_EQ(dir.bytes(QStringLiteral("n.txt")), g("王五") + "\r\n");
}

TEST_F(RecordExportTest, AHistoryThatCannotBeShownIsSaid)
{
    op.notices.clear();
    commands->openHistory();
    EXPECT_TRUE(op.opened.isEmpty());
    ASSERT_EQ(op.notices.size(), 1);
    EXPECT_TRUE(op.notices[0].startsWith(QStringLiteral("还没有抽奖历史。")));

    dir.write(files::History, {QStringLiteral("2025-01-28 一等奖")});
    op.shellOpens = false;
    commands->openHistory();
    EXPECT_EQ(op.opened, QStringList{dir.path(files::History)});
    ASSERT_EQ(op.notices.size(), 2);
    EXPECT_TRUE(op.notices[1].contains(QStringLiteral("没有能打开抽奖历史的程序"))) << op.notices[1].toStdString();
}
