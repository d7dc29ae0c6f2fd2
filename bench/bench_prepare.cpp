// Preparation of the draw: the largest plan the settings allow (100,000
// people, eleven levels of 999 drawn one at a time: 10,989 round files) beside
// a floor measured in the same run, the same bytes written into the same
// number of files with plain writes in the same kind of folder; and an
// ordinary plan of 1,000 people with the shipped levels 0..3. The draw is
// built and started as the program does it, on the files of the event, and
// prepares anew as the editors and the bundle have it do.

#include "engine/drawfiles.h"
#include "engine/plan.h"

#include "benchsupport.h"

#include <QElapsedTimer>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace sorvix;

namespace {

// The event's files: `people` employees, one in 997 excluded (group "A"),
// shown as name and masked mobile, and the given award settings.
void writeEvent(const ProgramFolder &folder, int people, const AwardSettings &settings)
{
    bench::writeNumberedList(
        folder, people, [](int i) { return QStringLiteral("员工%1").arg(i); },
        [](int i) { return i % 997 == 0 ? QByteArray("A") : QByteArray(); });
    awardfile::save(folder, settings);
}

// Every file a preparation wrote, relative path and bytes.
std::vector<std::pair<QString, QByteArray>> writtenFiles(const ProgramFolder &folder, int rounds)
{
    std::vector<std::pair<QString, QByteArray>> out;
    for (int n = 0; n < rounds; ++n)
        out.emplace_back(files::round(n), textfile::readAll(folder.path(files::round(n))));
    for (const QString &name : {files::Leftover, files::Status, files::RoundCount})
        out.emplace_back(name, textfile::readAll(folder.path(name)));
    return out;
}

// The floor: open, write, close for each file, nothing else.
double plainWrites(const ProgramFolder &folder, const std::vector<std::pair<QString, QByteArray>> &written)
{
    std::vector<QByteArray> paths;
    paths.reserve(written.size());
    for (const auto &file : written)
        paths.push_back(QFile::encodeName(folder.path(file.first)));
    QElapsedTimer timer;
    timer.start();
    for (size_t i = 0; i < written.size(); ++i) {
        const int fd = ::open(paths[i].constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        const QByteArray &bytes = written[i].second;
        if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
            std::fprintf(stderr, "floor write failed\n");
        ::close(fd);
    }
    return timer.nsecsElapsed() / 1e6;
}

// Flushes everything pending on the folder's file system, so that no timed
// phase pays for the writes of the one before.
void settle(const ProgramFolder &folder)
{
    textfile::syncFolder(folder.path(QStringLiteral("data")));
}

double timedPreparation(Draw &draw)
{
    QElapsedTimer clock;
    clock.start();
    draw.prepareAnew();
    return clock.nsecsElapsed() / 1e6;
}

// The draw's preparation step by step, as Draw::prepareAnew runs it (the old
// plan discarded, the pool ordered, the rounds written), on a copy of its pool
// and with the plan's step hooks: the time each disk step took, in order.
QByteArray preparationSteps(const Draw &draw)
{
    QElapsedTimer clock;
    std::vector<std::pair<QByteArray, double>> marks;
    const plan::StepHook hook = [&](const char *step) {
        const double at = clock.nsecsElapsed() / 1e6;
        if (!marks.empty() && marks.back().first == step)
            marks.back().second = at;
        else
            marks.emplace_back(step, at);
    };
    DrawPool pool = draw.pool();
    DrawRandom random = DrawRandom::fromSystem();
    clock.start();
    plan::discardPrevious(draw.folder(), hook);
    plan::orderPoolOnce(pool, draw.settings(), random);
    hook("order");
    plan::writeRounds(draw.folder(), pool, draw.settings(), random, hook);
    QByteArray steps;
    double before = 0;
    for (const auto &mark : marks) {
        steps += ' ' + mark.first + ' ' + QByteArray::number(mark.second - before, 'f', 1);
        before = mark.second;
    }
    return steps;
}

void largestPlan()
{
    constexpr int People = 100000;
    constexpr int Runs = 5;
    const bench::ScratchFolder planDir, floorDir;
    AwardSettings settings;
    for (AwardLevel &level : settings.levels) {
        level.enabled = true;
        level.quantity = "999";
        level.perRound = 1;
    }
    writeEvent(planDir.folder(), People, settings);
    bench::HeadlessDraw night(planDir.folder());
    Draw &draw = night.start();
    const ProgramFolder &folder = draw.folder();

    std::printf("prepareAnew, %d people, 11 levels x 999, 1 per round: 10,989 round files (folder %s)\n", People,
                qPrintable(QDir::tempPath()));
    std::printf("floor: the same bytes into the same number of files with plain open/write/close;\n"
                "durable floor: the same followed by one flush of the file system, as the plan makes itself durable\n");
    std::printf("%-6s %12s %12s %8s %12s %8s\n", "run", "prepare ms", "floor ms", "ratio", "durable ms", "ratio");
    std::vector<double> prepared, floors, durables;
    for (int run = 0; run < Runs; ++run) {
        settle(folder);
        const double prepareMs = timedPreparation(draw);
        if (draw.state().roundCount() != 11 * 999) {
            std::printf("unexpected round count %d\n", draw.state().roundCount());
            return;
        }
        // The floor writes this run's bytes into a folder in the same state:
        // empty on the first run, holding the previous run's files afterwards.
        const auto written = writtenFiles(folder, draw.state().roundCount());
        settle(folder);
        const double floorMs = plainWrites(floorDir.folder(), written);
        QElapsedTimer timer;
        timer.start();
        settle(floorDir.folder());
        const double durableMs = floorMs + timer.nsecsElapsed() / 1e6;
        std::printf("%-6d %12.1f %12.1f %8.2f %12.1f %8.2f\n", run + 1, prepareMs, floorMs, prepareMs / floorMs,
                    durableMs, prepareMs / durableMs);
        prepared.push_back(prepareMs);
        floors.push_back(floorMs);
        durables.push_back(durableMs);
    }
    std::printf("median %12.1f %12.1f %8.2f %12.1f %8.2f   (target: ratio <= 1.50)\n", bench::median(prepared),
                bench::median(floors), bench::median(prepared) / bench::median(floors), bench::median(durables),
                bench::median(prepared) / bench::median(durables));

    std::printf("where the preparation's time went, ms (the plan's steps on the draw's pool, with their hooks):\n");
    for (int run = 0; run < Runs; ++run) {
        settle(folder);
        std::printf("run %d:%s\n", run + 1, preparationSteps(draw).constData());
    }

    // The parts of a run, for reading the figures.
    DrawPool pool = draw.pool();
    QElapsedTimer timer;
    timer.start();
    plan::orderPoolOnce(pool, draw.settings(), night.random);
    const double poolMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    for (int n = 0; n < 501; ++n) {
        folder.remove(QStringLiteral("data\\x%1.dll").arg(n));
        folder.remove(QStringLiteral("dat\\x%1.dll").arg(n));
    }
    const double removeMs = timer.nsecsElapsed() / 1e6;
    std::printf("parts: pool preparation %.1f ms, 1002 removals of missing files %.1f ms\n", poolMs, removeMs);
}

void ordinaryPlan()
{
    constexpr int People = 1000;
    constexpr int Runs = 50;
    const bench::ScratchFolder dir;
    // The shipped levels 0..3, 10 per round, with quantities filled in.
    AwardSettings settings = AwardSettings::defaults();
    const char *quantities[4] = {"1", "3", "10", "20"};
    for (int k = 0; k < 4; ++k)
        settings.levels[size_t(k)].quantity = quantities[k];
    writeEvent(dir.folder(), People, settings);
    bench::HeadlessDraw night(dir.folder());
    Draw &draw = night.start();

    std::vector<double> times;
    for (int run = 0; run < Runs; ++run)
        times.push_back(timedPreparation(draw));
    std::printf("\nprepareAnew, %d people, levels 0..3 (1, 3, 10, 20; 10 per round): %d round files\n", People,
                draw.state().roundCount());
    std::printf("median %.2f ms, min %.2f ms, max %.2f ms over %d runs\n", bench::median(times),
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()), Runs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    largestPlan();
    ordinaryPlan();
    return 0;
}
