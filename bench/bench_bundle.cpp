// Saving and importing the configuration bundle of a large event: the save
// collects every settings file into one .drcf file (written atomically); the
// import reads and checks the whole bundle, replaces the eleven member files,
// brings the draw back in line with them (the round count and positions, the
// list and pool, the award settings) and prepares the draw anew. Each import
// is timed to the draw's signals: "import" to the reload's start, "import +
// reload" to the settings replaced, "whole import" with the fresh plan
// (prepareAnew, with a benchmark of its own). Each import follows the last
// one's fresh plan, as any import on the night follows a plan: the reload
// replaces a shuffled pool. Target on the party laptop:
// under 500 ms each for the save and the import for 100,000 people.
//
//   bench_bundle [people, default 100000] [runs, default 5]

#include "bundle/bundlecommands.h"
#include "presentation/themechoice.h"

#include "benchsupport.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdio>

using namespace sorvix;

namespace {

// The draw screen's look, shown nowhere.
class NoThemeView : public ThemeView
{
public:
    bool showBackground(const QString &) override { return true; }
    void setTextColour(const QColor &) override {}
    void setTextFace(const QString &) override {}
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int people = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const bench::ScratchFolder dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const ProgramFolder &folder = dir.folder();
    writeSettings(folder, people);

    bench::HeadlessDraw night(folder, OperatorPort::Answer::Yes, DrawRandom(1));
    Draw &draw = night.start();
    NoThemeView view;
    ThemeChoice theme(folder, night.op, view);
    theme.applyStored(*theme::load(folder));
    BundleCommands commands(draw, theme, night.op);

    const QString bundle = folder.path(QStringLiteral("event.drcf"));
    double save = 1e9;
    for (int run = 0; run < runs; ++run) {
        const bench::Stopwatch watch;
        commands.writeBundle(bundle);
        const double ms = watch.elapsed().wall;
        save = std::min(save, ms);
        std::printf("save run %d: %.1f ms\n", run + 1, ms);
    }
    const qint64 bytes = QFileInfo(bundle).size();

    bench::SignalMarks marks;
    marks.watch(&draw, &Draw::progressChanged, "reload");
    marks.watch(&commands, &BundleCommands::settingsReplaced, "reloaded");
    double import = 1e9, reload = 1e9, whole = 1e9;
    for (int run = 0; run < runs; ++run) {
        marks.start();
        if (!commands.importFile(bundle))
            std::fprintf(stderr, "import refused\n");
        const double wholeMs = marks.elapsed().wall;
        const double importMs = marks.at("reload").wall;
        const double reloadMs = marks.at("reloaded").wall;
        std::printf("import run %d: %.1f ms, + reload %.1f ms, whole import %.1f ms\n", run + 1, importMs,
                    reloadMs, wholeMs);
        import = std::min(import, importMs);
        reload = std::min(reload, reloadMs);
        whole = std::min(whole, wholeMs);
    }

    std::printf("people: %d (pool %zu), bundle %.1f MB, %d errors\n", people, draw.pool().size(), bytes / 1048576.0,
                night.op.errors);
    std::printf("save, best of %d: %.1f ms (target < 500 ms)\n", runs, save);
    std::printf("import (read, check, replace the files), best of %d: %.1f ms (target < 500 ms)\n", runs, import);
    std::printf("import + reload of lists, pool and award settings, best of %d: %.1f ms\n", runs, reload);
    std::printf("whole import, with the fresh plan, best of %d: %.1f ms\n", runs, whole);
    return 0;
}
