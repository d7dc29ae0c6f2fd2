// Saving and importing the configuration bundle of a large event: the save
// collects every settings file into one .drcf file (written atomically); the
// import reads and checks the whole bundle, then replaces the eleven member
// files. "import + reload" adds bringing the program back in line: the raw
// lists, the participant list and pool, and the award settings (the fresh
// plan, prepareDraw, has its own benchmark and is not counted here). Target
// on the party laptop: under 500 ms each for 100,000 people.
//
//   bench_bundle [people, default 100000] [runs, default 5]

#include "app/drawconfighost.h"
#include "base/gbk.h"
#include "bundle/bundle.h"
#include "bundle/bundlecommands.h"
#include "engine/prepare.h"
#include "support/nullscreen.h"

#include "benchsupport.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

using namespace sorvix;

namespace {

// The program's own host with the fresh plan left out.
class HostWithoutPlan : public DrawConfigHost
{
public:
    using DrawConfigHost::DrawConfigHost;
    void prepareFreshDraw() override {}
};

void writeSettings(const ProgramFolder &folder, int people)
{
    bench::writeList(folder, people);
    AwardSettings settings = AwardSettings::defaults();
    for (int k = 0; k < 4; ++k)
        settings.levels[size_t(k)].quantity = "10";
    awardfile::save(folder, settings);
    awardfile::savePositions(folder, settings.options);
    folder.writeLines(files::Theme, {"bg\\red\\1.jpg", "Yellow", gbk::fromUtf8("黑体")});
    folder.writeLines(files::ResultBackground, {"bg\\show\\red.jpg"});
    keyfiles::saveKeyField(folder, KeyName);
    keyfiles::saveShowFields(folder, ShowFields());
}

template<typename F>
double bestOf(int runs, const char *what, F &&work)
{
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, ms);
        std::printf("%s run %d: %.1f ms\n", what, run + 1, ms);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int people = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const ProgramFolder folder(dir.path());
    writeSettings(folder, people);

    Session session;
    session.folder = folder;
    static const QString raw[6] = {files::Name, files::Mobile, files::IdNumber, files::WorkId, files::Group, files::Lottery};
    for (int i = 0; i < 6; ++i)
        session.rawSettingsLists[size_t(i)] = folder.readLines(raw[i]);
    session.settings = awardfile::load(folder);

    NullOperator op;
    NullSound sound;
    NullScreen screen;
    DrawRandom random(1);
    DrawPreparation preparation(session, screen, op, random);
    HostWithoutPlan fullHost(session, screen, op, sound, preparation);
    fullHost.theme = [] { return Theme{"bg\\red\\1.jpg", "Yellow", gbk::fromUtf8("黑体")}; };
    NullConfigHost filesHost;

    const QString bundle = folder.path(QStringLiteral("event.drcf"));
    ConfigCommands saving(session, fullHost, op);
    const double save = bestOf(runs, "save", [&] { saving.writeBundle(bundle); });
    const qint64 bytes = QFileInfo(bundle).size();

    ConfigCommands filesOnly(session, filesHost, op);
    const double import = bestOf(runs, "import", [&] {
        if (!filesOnly.importFile(bundle))
            std::fprintf(stderr, "import refused\n");
    });
    ConfigCommands full(session, fullHost, op);
    const double reload = bestOf(runs, "import + reload", [&] {
        if (!full.importFile(bundle))
            std::fprintf(stderr, "import refused\n");
    });

    std::printf("people: %d (pool %zu), bundle %.1f MB, %d errors\n", people, session.pool.size(),
                bytes / 1048576.0, op.errors);
    std::printf("save, best of %d: %.1f ms (target < 500 ms)\n", runs, save);
    std::printf("import (read, check, replace the files), best of %d: %.1f ms (target < 500 ms)\n", runs, import);
    std::printf("import + reload of lists, pool and award settings, best of %d: %.1f ms\n", runs, reload);
    return 0;
}
