// The spreadsheet commands of the list editor on a large company: an export
// of 100,000 people to .xlsx, and an import of them from .xlsx and from .xls
// (the .xls keeps 65,535 people, the most its format holds), each as the
// editor runs it (the import in its child process). Beside each figure: the
// time LibreOffice headless takes to turn the same workbook into CSV on this
// machine, when it is installed (apt-get install libreoffice-calc-nogui).
// Target: each under 2 s and faster than that conversion.
//
//   bench_sheets [people, default 100000]

#include "sheets/workbook.h"

#include "benchsupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>

using namespace sorvix;

namespace {

template<typename F>
double bestOf(int runs, F f)
{
    double best = 1e18;
    for (int i = 0; i < runs; ++i) {
        const double start = bench::wallMs();
        f();
        best = std::min(best, bench::wallMs() - start);
    }
    return best;
}

// LibreOffice converting `file` to CSV (or to .xls for the .xls figures);
// -1 when it is not installed or fails.
double convert(const QTemporaryDir &dir, const QString &file, const QString &to)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        return -1;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir.path()); // its profile, made on the first run
    p.setProcessEnvironment(env);
    const double start = bench::wallMs();
    p.start(soffice, {QStringLiteral("--headless"), QStringLiteral("--convert-to"), to, QStringLiteral("--outdir"),
                      dir.filePath(QStringLiteral("out")), file});
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return -1;
    return bench::wallMs() - start;
}

void row(const char *what, double ms, double office)
{
    if (office < 0)
        std::printf("%-38s %8.0f ms   (LibreOffice not installed)\n", what, ms);
    else
        std::printf("%-38s %8.0f ms   LibreOffice to CSV %6.0f ms   %.1fx faster\n", what, ms, office, office / ms);
}

} // namespace

int main(int argc, char **argv)
{
    if (const std::optional<int> reader = workbook::readerMain(argc, argv))
        return *reader;
    QCoreApplication app(argc, argv);
    const int people = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir;

    TextRows rows{{"姓名", "手机号", "身份证号码", "工号", "分组"}};
    for (int i = 1; i <= people; ++i)
        rows.push_back({QStringLiteral("员工%1").arg(i), QString::number(13800000000LL + i),
                        QStringLiteral("1101011990%1").arg(i, 8, 10, QLatin1Char('0')),
                        QStringLiteral("QW%1").arg(i, 6, 10, QLatin1Char('0')), i % 500 == 0 ? "1" : ""});
    const QString xlsx = dir.filePath(QStringLiteral("people.xlsx"));
    std::printf("%d people\n", people);

    const double exportMs = bestOf(3, [&] { workbook::write(xlsx, rows, 5); });
    convert(dir, xlsx, QStringLiteral("csv")); // the first run makes LibreOffice's profile
    const double officeXlsx = convert(dir, xlsx, QStringLiteral("csv"));
    row("export .xlsx (written, replaced)", exportMs, officeXlsx);

    size_t imported = 0;
    const double importMs = bestOf(3, [&] { imported = workbook::read(xlsx).rows.size() - 1; });
    row("import .xlsx (read in the child)", importMs, officeXlsx);
    const double parseMs = bestOf(3, [&] { workbook::parse(xlsx); });
    std::printf("%-38s %8.0f ms   (the child's share: %.0f ms)\n", "  the same read in this process", parseMs,
                importMs - parseMs);
    if (imported != size_t(people))
        std::printf("  import took %zu people, not %d\n", imported, people);

    // The .xls from the same people, as far as the format holds them.
    const int xlsPeople = std::min(people, 65535);
    workbook::write(xlsx, TextRows(rows.begin(), rows.begin() + xlsPeople + 1), 5);
    if (convert(dir, xlsx, QStringLiteral("xls:MS Excel 97")) < 0) {
        std::printf("import .xls: no LibreOffice to make the workbook\n");
        return 0;
    }
    const QString xls = dir.filePath(QStringLiteral("out/people.xls"));
    const double officeXls = convert(dir, xls, QStringLiteral("csv"));
    const double xlsMs = bestOf(3, [&] { imported = workbook::read(xls).rows.size() - 1; });
    char what[64];
    std::snprintf(what, sizeof what, "import .xls, %d people", xlsPeople);
    row(what, xlsMs, officeXls);
    if (imported != size_t(xlsPeople))
        std::printf("  import took %zu people, not %d\n", imported, xlsPeople);
    return 0;
}
