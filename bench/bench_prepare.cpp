// Preparation of the draw: the largest plan the settings allow (100,000
// people, eleven levels of 999 drawn one at a time: 10,989 round files) beside
// a floor measured in the same run, the same bytes written into the same
// number of files with plain writes in the same kind of folder; and an
// ordinary plan of 1,000 people with the shipped levels 0..3.

#include "support/nullscreen.h"
#include "engine/drawfiles.h"
#include "base/gbk.h"
#include "engine/prepare.h"

#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace sorvix;

namespace {

void makeFolders(const QString &root)
{
    for (const char *sub : {"data", "dat", "datm"})
        QDir(root).mkdir(QLatin1String(sub));
}

DrawPool makePool(int people)
{
    DrawPool pool(static_cast<size_t>(people));
    for (int i = 0; i < people; ++i) {
        // A name and a masked mobile number, as a typical display text.
        pool[size_t(i)].displayText = gbk::encode(QStringLiteral("员工%1 138****%2").arg(i).arg(i % 10000, 4, 10, QLatin1Char('0')));
        pool[size_t(i)].group = i % 997 == 0 ? QByteArray("A") : QByteArray();
    }
    return pool;
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

// Runs one preparation and returns its time; `steps` gets the time each of
// its disk steps took, in order.
double timedPreparation(DrawPreparation &preparation, QByteArray *steps)
{
    QElapsedTimer clock;
    std::vector<std::pair<QByteArray, double>> marks;
    preparation.setStepHook([&](const char *step) {
        const double at = clock.nsecsElapsed() / 1e6;
        if (!marks.empty() && marks.back().first == step)
            marks.back().second = at;
        else
            marks.emplace_back(step, at);
    });
    clock.start();
    preparation.prepareDraw();
    const double total = clock.nsecsElapsed() / 1e6;
    preparation.setStepHook({});
    double before = 0;
    steps->clear();
    for (const auto &mark : marks) {
        *steps += ' ' + mark.first + ' ' + QByteArray::number(mark.second - before, 'f', 1);
        before = mark.second;
    }
    *steps += " rest " + QByteArray::number(total - before, 'f', 1);
    return total;
}

void largestPlan()
{
    constexpr int People = 100000;
    constexpr int Runs = 5;
    QTemporaryDir planDir, floorDir;
    makeFolders(planDir.path());
    makeFolders(floorDir.path());

    Session session;
    session.folder = ProgramFolder(planDir.path());
    for (AwardLevel &level : session.settings.levels) {
        level.enabled = true;
        level.quantity = "999";
        level.perRound = 1;
    }
    session.pool = makePool(People);
    NullScreen screen;
    NullOperator op;
    DrawRandom random = DrawRandom::fromSystem();
    DrawPreparation preparation(session, screen, op, random);
    const ProgramFolder floorFolder(floorDir.path());

    std::printf("prepareDraw, %d people, 11 levels x 999, 1 per round: 10,989 round files (folder %s)\n", People,
                qPrintable(QDir::tempPath()));
    std::printf("floor: the same bytes into the same number of files with plain open/write/close;\n"
                "durable floor: the same followed by one flush of the file system, as the plan makes itself durable\n");
    std::printf("%-6s %12s %12s %8s %12s %8s\n", "run", "prepare ms", "floor ms", "ratio", "durable ms", "ratio");
    std::vector<double> prepared, floors, durables;
    QByteArray stepLines;
    for (int run = 0; run < Runs; ++run) {
        settle(session.folder);
        QByteArray steps;
        const double prepareMs = timedPreparation(preparation, &steps);
        if (session.state.roundCount != 11 * 999) {
            std::printf("unexpected round count %d\n", session.state.roundCount);
            return;
        }
        // The floor writes this run's bytes into a folder in the same state:
        // empty on the first run, holding the previous run's files afterwards.
        const auto written = writtenFiles(session.folder, session.state.roundCount);
        settle(session.folder);
        const double floorMs = plainWrites(floorFolder, written);
        QElapsedTimer timer;
        timer.start();
        settle(floorFolder);
        const double durableMs = floorMs + timer.nsecsElapsed() / 1e6;
        std::printf("%-6d %12.1f %12.1f %8.2f %12.1f %8.2f\n", run + 1, prepareMs, floorMs, prepareMs / floorMs,
                    durableMs, prepareMs / durableMs);
        stepLines += "run " + QByteArray::number(run + 1) + ':' + steps + '\n';
        prepared.push_back(prepareMs);
        floors.push_back(floorMs);
        durables.push_back(durableMs);
    }
    std::printf("median %12.1f %12.1f %8.2f %12.1f %8.2f   (target: ratio <= 1.50)\n", bench::median(prepared),
                bench::median(floors), bench::median(prepared) / bench::median(floors), bench::median(durables),
                bench::median(prepared) / bench::median(durables));

    std::printf("where the preparation's time went, ms:\n%s", stepLines.constData());

    // The parts of a run, for reading the figures.
    QElapsedTimer timer;
    timer.start();
    preparation.preparePoolOnce();
    const double poolMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    for (int n = 0; n < 501; ++n) {
        session.folder.remove(QStringLiteral("data\\x%1.dll").arg(n));
        session.folder.remove(QStringLiteral("dat\\x%1.dll").arg(n));
    }
    const double removeMs = timer.nsecsElapsed() / 1e6;
    std::printf("parts: pool preparation %.1f ms, 1002 removals of missing files %.1f ms\n", poolMs, removeMs);
}

void ordinaryPlan()
{
    constexpr int People = 1000;
    constexpr int Runs = 50;
    QTemporaryDir dir;
    makeFolders(dir.path());
    Session session;
    session.folder = ProgramFolder(dir.path());
    session.settings = AwardSettings::defaults();
    // The shipped levels 0..3, 10 per round, with quantities filled in.
    const char *quantities[4] = {"1", "3", "10", "20"};
    for (int k = 0; k < 4; ++k)
        session.settings.levels[size_t(k)].quantity = quantities[k];
    session.pool = makePool(People);
    NullScreen screen;
    NullOperator op;
    DrawRandom random = DrawRandom::fromSystem();
    DrawPreparation preparation(session, screen, op, random);

    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        preparation.prepareDraw();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("\nPrepareDraw, %d people, levels 0..3 (1, 3, 10, 20; 10 per round): %d round files\n", People,
                session.state.roundCount);
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
