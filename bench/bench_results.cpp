// The results window with 10,000 winners at 1920 x 1080: the activation (the
// winners list read and the rows built, then the first frame painted) and one
// tick of the rising rows (the rows moved and the changed parts repainted),
// as every 50 ms while the window shows.
#include "base/gbk.h"
#include "base/nulloperatorports.h"
#include "base/ui/fontsetup.h"
#include "presentation/ui/resultswindow.h"

#include "benchsupport.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

using namespace sorvix;

namespace {

constexpr int Winners = 10000;
constexpr int Activations = 20;
constexpr int Ticks = 3000;

// A winners list as the draw writes it: per level an empty line, the name and
// the prize, then the winners.
Lines winnersList()
{
    Lines lines;
    for (int level = 0; lines.size() < Winners; ++level) {
        lines << QByteArray() << gbk::encode(QStringLiteral("%1等奖").arg(level)) << gbk::fromUtf8("(纪念品)");
        for (int i = 0; i < 999 && lines.size() < Winners; ++i)
            lines << gbk::encode(QStringLiteral("参加者%1 138****%2").arg(lines.size(), 6, 10, QLatin1Char('0'))
                                     .arg(i, 4, 10, QLatin1Char('0')));
    }
    return lines;
}

// Paints what the window has asked to be painted, now.
void paintPending(QWidget *window)
{
    QCoreApplication::sendPostedEvents(window, QEvent::UpdateRequest);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installChineseFaces();
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("dat"));
    const ProgramFolder folder(dir.path());
    folder.writeLines(files::WinnersList, winnersList());

    NullOperator op;
    NullSound drawScreenSound;
    NullSound music;
    ResultsWindow window(folder, op, drawScreenSound, music);
    window.setSoundOn(false);
    window.setTitle(QStringLiteral("Qenwood科技有限公司新年联欢会"));
    window.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    window.setGeometry(0, 0, 1920, 1080);
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QApplication::processEvents();
    QApplication::processEvents();
    std::printf("window %d x %d, %d rows\n", window.width(), window.height(), window.rows().count());

    double build = 0, withPaint = 0, worstWithPaint = 0;
    for (int i = 0; i < Activations; ++i) {
        const double start = bench::cpuMs(CLOCK_THREAD_CPUTIME_ID);
        window.activate();
        const double built = bench::cpuMs(CLOCK_THREAD_CPUTIME_ID);
        paintPending(&window);
        const double painted = bench::cpuMs(CLOCK_THREAD_CPUTIME_ID);
        build += built - start;
        withPaint += painted - start;
        worstWithPaint = std::max(worstWithPaint, painted - start);
    }
    std::printf("activation with %d winners: %.2f ms CPU to read the list and build the rows, "
                "%.2f ms with the first frame (worst %.2f ms)\n",
                window.rows().count(), build / Activations, withPaint / Activations, worstWithPaint);

    double cpu = 0, worst = 0;
    const double wallStart = bench::wallMs();
    for (int i = 0; i < Ticks; ++i) {
        const double start = bench::cpuMs(CLOCK_THREAD_CPUTIME_ID);
        window.riseTick();
        paintPending(&window);
        const double spent = bench::cpuMs(CLOCK_THREAD_CPUTIME_ID) - start;
        cpu += spent;
        worst = std::max(worst, spent);
    }
    const double wall = bench::wallMs() - wallStart;
    std::printf("rising tick at 1920 x 1080: %.3f ms CPU on average, worst %.3f ms, %.3f ms wall "
                "(%d ticks, %d px risen)\n",
                cpu / Ticks, worst, wall / Ticks, Ticks, Ticks * RisingRows::Step);

    double logic = 0;
    RisingRows rows;
    rows.build(Winners, 1080);
    const double start = bench::cpuMs(CLOCK_THREAD_CPUTIME_ID);
    for (int i = 0; i < Ticks; ++i)
        rows.tick(1080);
    logic = bench::cpuMs(CLOCK_THREAD_CPUTIME_ID) - start;
    std::printf("rows moved alone: %.4f ms per tick\n", logic / Ticks);
    return 0;
}
