#include "base/errors.h"
#include "base/gbk.h"
#include "base/platform.h"
#include "sheets/workbook.h"
#include "support/testfolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvix;

namespace {

QString sample(const char *name)
{
    return QStringLiteral(SORVIX_SOURCE_DIR "/tests/data/sheets/") + QString::fromUtf8(name);
}

QString writeFile(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QString readError(const QString &path, int timeoutMs = 60000)
{
    try {
        workbook::read(path, timeoutMs);
    } catch (const OperationError &e) {
        return e.message();
    }
    return QStringLiteral("(read)");
}

const TextRow Header{"姓名", "手机号", "身份证号码", "工号", "分组"};

} // namespace

// The same careless workbook saved by three programs' formats: numbers where
// text belongs, a date, a repeated name, a gap in the names and a person below it.
TEST(Workbook, EveryFormatTakesTheSameRowsAndReportsTheSameFaults)
{
    for (const char *name : {"people.xlsx", "people.xls", "people.ods"}) {
        SCOPED_TRACE(name);
        const workbook::Sheet sheet = workbook::read(sample(name));
        ASSERT_EQ(sheet.rows.size(), 5u);
        EXPECT_EQ(sheet.rows[0], Header);
        EXPECT_EQ(sheet.rows[1], (TextRow{"张三", "13800138000", "110101199003074512", "1001", "1"}));
        EXPECT_EQ(sheet.rows[2], (TextRow{"李四", "13900139000", "110101199003074000", "QW02", ""}));
        EXPECT_EQ(sheet.rows[3], (TextRow{"王五", "2.5", "", "2024-01-15", ""}));
        EXPECT_EQ(sheet.rows[4][0], QStringLiteral("张三"));
        EXPECT_EQ(sheet.lostDigitCells, 1);
        EXPECT_EQ(sheet.firstLostDigitRow, 3);
        EXPECT_EQ(sheet.rowsLeftOut, 2);
        EXPECT_EQ(sheet.firstRowLeftOut, 6);
    }
    // An empty A1 imports nobody.
    for (const char *name : {"emptya1.xlsx", "emptya1.xls"}) {
        const workbook::Sheet sheet = workbook::read(sample(name));
        EXPECT_TRUE(sheet.rows.empty()) << name;
        EXPECT_EQ(sheet.firstRowLeftOut, 1) << name;
    }
}

TEST(Workbook, CsvInUtf8OrInTheLocalCodePage)
{
    QTemporaryDir dir;
    const QString text = QStringLiteral("姓名,手机号,身份证号码,工号,分组\r\n张三,13800138000,\"11010119900307451X\",,1\r\n"
                                        "\"李,四\",,,QW02,\r\n");
    for (const QByteArray &bytes : {QByteArray("\xEF\xBB\xBF") + text.toUtf8(), gbk::encode(text)}) {
        const workbook::Sheet sheet = workbook::read(writeFile(dir, "list.csv", bytes));
        ASSERT_EQ(sheet.rows.size(), 3u);
        EXPECT_EQ(sheet.rows[1], (TextRow{"张三", "13800138000", "11010119900307451X", "", "1"}));
        EXPECT_EQ(sheet.rows[2], (TextRow{"李,四", "", "", "QW02", ""}));
    }
}

TEST(Workbook, DamagedOrForeignFilesGiveAMessageNamingTheFile)
{
    QTemporaryDir dir;
    QFile good(sample("people.xlsx"));
    good.open(QIODevice::ReadOnly);
    const QByteArray xlsx = good.readAll();
    QFile goodXls(sample("people.xls"));
    goodXls.open(QIODevice::ReadOnly);
    const QByteArray xls = goodXls.readAll();
    const QList<QPair<const char *, QByteArray>> files{
        {"cut.xlsx", xlsx.left(xlsx.size() / 2)},
        {"cut.xls", xls.left(xls.size() / 3)},
        {"noise.xlsx", QByteArray(4000, '\x5a')},
        {"empty.xls", QByteArray()},
        {"archive.xlsx", QByteArray("PK\x03\x04", 4) + QByteArray(100, '\0')},
    };
    for (const auto &[name, bytes] : files) {
        const QString message = readError(writeFile(dir, name, bytes));
        EXPECT_TRUE(message.contains(QString::fromUtf8(name))) << name << message.toStdString();
    }
    EXPECT_TRUE(readError(dir.filePath(QStringLiteral("missing.xls"))).contains(QStringLiteral("missing.xls")));
    // Texts kept inline, which the reader cannot take, are named rather than imported as nobody.
    EXPECT_TRUE(readError(sample("inline.xlsx")).contains(QStringLiteral("内嵌")));
}

TEST(Workbook, WithoutAReaderProcessNothingIsRead)
{
    // Never read in the program's own process instead: the message says why.
    for (const QString &program : {QStringLiteral("/nonexistent/Sorvix"), QString()}) {
        workbook::setReaderProgram(program);
        EXPECT_TRUE(readError(sample("people.xlsx")).contains(QStringLiteral("无法启动读取工作簿的独立进程")));
    }
    workbook::setReaderProgram(platform::executablePath());
}

TEST(Workbook, AReadThatTakesTooLongIsStopped)
{
    QTemporaryDir dir;
    TextRows rows(20000, TextRow{"名字", "13800138000", "110101199003074512", "QW01", ""});
    const QString path = dir.filePath(QStringLiteral("big.xlsx"));
    workbook::write(path, rows, 5);
    EXPECT_TRUE(readError(path, 1).contains(QStringLiteral("超时")));
}

TEST(Workbook, AnExportReadsBackAsTheGrid)
{
    QTemporaryDir dir;
    const TextRows rows{Header,
                        {"张三", "13800138000", "110101199003074512", "007", "1"},
                        {"Ann O'Neil", "", "", "", ""},
                        {"李四", "+86 139", "", "QW 02", "A"}};
    const QString path = dir.filePath(QStringLiteral("out.xlsx"));
    workbook::write(path, rows, 5);
    EXPECT_EQ(workbook::read(path).rows, rows);

    // Without the group column, over the file just written.
    workbook::write(path, rows, 4);
    const workbook::Sheet four = workbook::read(path);
    ASSERT_EQ(four.rows.size(), rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        TextRow expected = rows[r];
        expected[4].clear();
        EXPECT_EQ(four.rows[r], expected) << r;
    }
    EXPECT_FALSE(dir.filePath(QStringLiteral("out.xlsx")).isEmpty());
}

TEST(Workbook, NumbersReadAsASpreadsheetShowsThemInTextFormat)
{
    bool lost = true;
    EXPECT_EQ(workbook::numberText(13800138000.0, &lost), QStringLiteral("13800138000"));
    EXPECT_FALSE(lost);
    EXPECT_EQ(workbook::numberText(-3, &lost), QStringLiteral("-3"));
    EXPECT_EQ(workbook::numberText(0.1 + 0.2, &lost), QStringLiteral("0.3"));
    EXPECT_EQ(workbook::numberText(110101199003074512.0, &lost), QStringLiteral("110101199003075000"));
    EXPECT_TRUE(lost);
}
