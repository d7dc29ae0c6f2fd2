// The draw round's two costs on the night: one rolling tick with a large
// participant list (every 50 ms while the names roll), and one stop when many
// winners are already recorded (the winners list is rebuilt from all level
// files each time).
//
//   bench_drawround [folder for the program folder, default: the system's temp]

#include "app/drawround.h"
#include "support/headlesshost.h"
#include "support/nullscreen.h"
#include "engine/drawfiles.h"
#include "base/gbk.h"

#include "benchsupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <ctime>

using namespace sorvix;

namespace {

constexpr int PoolSize = 100000;
constexpr int Ticks = 200000;
constexpr int RecordedWinners = 10000;
constexpr int Stops = 200;
constexpr int PerStop = 10;

// Keeps what the window would put on its labels.
class HoldingScreen : public NullScreen
{
public:
    QByteArray slot[11];
    QByteArray head;
    QByteArray caption;
    void setHead(const QByteArray &text) override { head = text; }
    void setSlot(int s, const QByteArray &text) override { slot[s] = text; }
    void setCaption(const QByteArray &text, int) override { caption = text; }
};


QByteArray person(int i)
{
    return gbk::encode(QStringLiteral("参加者%1 138****%2").arg(i, 6, 10, QLatin1Char('0')).arg(i % 10000, 4, 10, QLatin1Char('0')));
}

} // namespace

int main(int argc, char **argv)
{
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir dir(QDir(base).filePath(QStringLiteral("bench_drawround-XXXXXX")));
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot create a folder in %s\n", base.toLocal8Bit().constData());
        return 1;
    }
    QDir(dir.path()).mkdir(QStringLiteral("data"));
    QDir(dir.path()).mkdir(QStringLiteral("dat"));

    Session session;
    session.folder = ProgramFolder(dir.path());
    for (int k = 0; k < LevelCount; ++k) {
        session.settings.levels[k].enabled = true;
        session.settings.levels[k].prizeText = gbk::encode(QStringLiteral("奖品%1").arg(k));
    }
    session.awardTable = session.settings.levels;
    session.pool.reserve(PoolSize);
    for (int i = 0; i < PoolSize; ++i)
        session.pool.push_back({person(i), person(i), QByteArray()});

    HoldingScreen screen;
    NullSound sound;
    NullOperator op(OperatorPort::Answer::No);
    HeadlessHost host;
    DrawRound round(session, screen, sound, op, host);

    // Rolling ticks.
    host.timer = true;
    for (int t = 0; t < 1000; ++t)
        round.rollTick();
    double cpu = bench::cpuMs() / 1e3;
    double wall = bench::wallMs() / 1e3;
    for (int t = 0; t < Ticks; ++t)
        round.rollTick();
    cpu = bench::cpuMs() / 1e3 - cpu;
    wall = bench::wallMs() / 1e3 - wall;
    host.timer = false;
    std::printf("rolling tick, %d people: %.3f us CPU per tick, %.3f us wall (%d ticks)\n", PoolSize,
                cpu / Ticks * 1e6, wall / Ticks * 1e6, Ticks);

    // Stops with RecordedWinners already spread over the eleven level files.
    int next = 0;
    for (int k = 0; k < LevelCount; ++k) {
        Lines names;
        const int count = RecordedWinners / LevelCount + (k < RecordedWinners % LevelCount ? 1 : 0);
        for (int i = 0; i < count; ++i)
            names << person(next++);
        levelwinners::create(session.folder, k, session.awardTable[k].displayName, session.awardTable[k].prizeText, names);
    }
    for (int n = 0; n < Stops; ++n) {
        Lines names;
        for (int i = 0; i < PerStop; ++i)
            names << person(next++);
        const int level = n % LevelCount;
        drawfiles::writeRound(session.folder, n,
                              RoundPlan::make(level, session.awardTable[level].displayName,
                                              session.awardTable[level].prizeText, "999", 0, names));
    }
    session.state.roundCount = Stops;
    session.state.roundIndex = 0;

    double stopCpu = 0;
    double stopWall = 0;
    double worstWall = 0;
    for (int n = 0; n < Stops; ++n) {
        round.startClicked();
        const double c = bench::cpuMs() / 1e3;
        const double w = bench::wallMs() / 1e3;
        round.stopClicked();
        const double dw = bench::wallMs() / 1e3 - w;
        stopCpu += bench::cpuMs() / 1e3 - c;
        stopWall += dw;
        worstWall = std::max(worstWall, dw);
    }
    if (op.errors || session.state.roundIndex != Stops) {
        std::fprintf(stderr, "stops failed: %d errors, %d rounds drawn\n", op.errors, session.state.roundIndex);
        return 1;
    }
    std::printf("stop, %d to %d winners recorded (list rebuilt, caption, 3 flushed writes) in %s:\n"
                "  %.3f ms wall per stop (worst %.3f ms), %.3f ms CPU per stop (%d stops)\n",
                RecordedWinners, RecordedWinners + Stops * PerStop, dir.path().toLocal8Bit().constData(),
                stopWall / Stops * 1e3, worstWall * 1e3, stopCpu / Stops * 1e3, Stops);
    return 0;
}
