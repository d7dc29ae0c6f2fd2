// The draw round's two costs on the night: one rolling tick with a large
// participant list (every 50 ms while the names roll), and one stop when many
// winners are already recorded (the winners list is rebuilt from all level
// files each time). The draw is built and started as the program does it, on
// an event of eleven levels of 999, ten per round; what it shows is kept as
// the window would keep it.
//
//   bench_drawround [folder for the program folder, default: the system's temp]

#include "engine/drawfiles.h"

#include "benchsupport.h"

#include <cstdio>

using namespace sorvix;

namespace {

constexpr int PoolSize = 100000;
constexpr int Ticks = 200000;
constexpr int RecordedWinners = 10000;
constexpr int Stops = 200;
constexpr int PerStop = 10;

QString name(int i)
{
    return QStringLiteral("参加者%1").arg(i, 6, 10, QLatin1Char('0'));
}

// The shown person i, as the draw shows name and masked mobile.
QByteArray person(int i)
{
    return gbk::encode(name(i) + QStringLiteral(" 138****%1").arg(i % 10000, 4, 10, QLatin1Char('0')));
}

// Keeps what the window would put on its labels.
struct HoldingScreen
{
    ScreenState shown;
    explicit HoldingScreen(const Draw &draw)
    {
        QObject::connect(&draw, &Draw::screenChanged, [this, &draw](ScreenParts parts) {
            if (parts & ScreenPart::Names)
                shown.names = draw.screen().names;
            if (parts & ScreenPart::Head)
                shown.head = draw.screen().head;
            if (parts & ScreenPart::Caption)
                shown.caption = draw.screen().caption;
        });
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bench::ScratchFolder dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot create a folder in %s\n", argc > 1 ? argv[1] : "the temporary folder");
        return 1;
    }
    const ProgramFolder &folder = dir.folder();
    bench::writeNumberedList(folder, PoolSize, name, [](int) { return QByteArray(); });
    AwardSettings settings;
    for (int k = 0; k < LevelCount; ++k) {
        AwardLevel &level = settings.levels[size_t(k)];
        level.enabled = true;
        level.quantity = "999";
        level.prizeText = gbk::encode(QStringLiteral("奖品%1").arg(k));
    }
    awardfile::save(folder, settings);
    bench::HeadlessDraw night(folder, OperatorPort::Answer::No);
    Draw &draw = night.start();
    const HoldingScreen screen(draw);

    // Rolling ticks, driven here instead of by the draw's timer.
    draw.start();
    for (int t = 0; t < 1000; ++t)
        draw.rollTick();
    double cpu = bench::cpuMs() / 1e3;
    double wall = bench::wallMs() / 1e3;
    for (int t = 0; t < Ticks; ++t)
        draw.rollTick();
    cpu = bench::cpuMs() / 1e3 - cpu;
    wall = bench::wallMs() / 1e3 - wall;
    draw.stop();
    std::printf("rolling tick, %d people: %.3f us CPU per tick, %.3f us wall (%d ticks)\n", PoolSize,
                cpu / Ticks * 1e6, wall / Ticks * 1e6, Ticks);

    // Stops with RecordedWinners already spread over the eleven level files.
    int next = 0;
    for (int k = 0; k < LevelCount; ++k) {
        Lines names;
        const int count = RecordedWinners / LevelCount + (k < RecordedWinners % LevelCount ? 1 : 0);
        for (int i = 0; i < count; ++i)
            names << person(next++);
        const AwardLevel &level = draw.settings().levels[size_t(k)];
        levelwinners::create(folder, k, level.displayName, level.prizeText, names);
    }
    const int drawnBefore = draw.state().roundIndex();
    double stopCpu = 0;
    double stopWall = 0;
    double worstWall = 0;
    for (int n = 0; n < Stops; ++n) {
        draw.start();
        const double c = bench::cpuMs() / 1e3;
        const double w = bench::wallMs() / 1e3;
        draw.stop();
        const double dw = bench::wallMs() / 1e3 - w;
        stopCpu += bench::cpuMs() / 1e3 - c;
        stopWall += dw;
        worstWall = std::max(worstWall, dw);
    }
    if (night.op.errors || draw.state().roundIndex() != drawnBefore + Stops) {
        std::fprintf(stderr, "stops failed: %d errors, %d rounds drawn\n", night.op.errors,
                     draw.state().roundIndex() - drawnBefore);
        return 1;
    }
    std::printf("stop, %d to %d winners recorded (list rebuilt, caption, 3 flushed writes) in %s:\n"
                "  %.3f ms wall per stop (worst %.3f ms), %.3f ms CPU per stop (%d stops)\n",
                RecordedWinners, RecordedWinners + Stops * PerStop, dir.path().toLocal8Bit().constData(),
                stopWall / Stops * 1e3, worstWall * 1e3, stopCpu / Stops * 1e3, Stops);
    return 0;
}
