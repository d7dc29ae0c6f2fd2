// A save in the award settings editor on the largest event: 100,000 people and
// all eleven levels at 999 winners. The save has the draw write Tlottery.dll,
// read the five column files again and rebuild the pool (the plan is drawn
// from the list on disk), read the settings back as the ones in force, then
// prepare the draw anew. Printed per run: the whole save and each step's
// share of it, once with 10 per round (1,100 round files) and once with 1 per
// round (10,989 round files); then the settings' read-back alone. The
// operator waits under the wait cursor for all of it.
//
//   bench_awardsave [people, default 100000] [runs, default 5]

#include "editors/awardeditor.h"

#include "benchsupport.h"

#include <cstdio>
#include <vector>

using namespace sorvix;

namespace {

void writeEvent(const ProgramFolder &folder, int people)
{
    bench::writeColumns(folder, people, [](int column, int i) -> QByteArray {
        switch (column) {
        case ColName: return gbk::encode(QStringLiteral("员工%1").arg(i));
        case ColMobile: return "138" + QByteArray::number(10000000 + i);
        case ColIdNumber: return "11010519800101" + QByteArray::number(1000 + i % 9000);
        case ColWorkId: return "E" + QByteArray::number(i);
        default: return QByteArray();
        }
    });
    // The shipped levels with quantities, so that the start prepares a draw.
    AwardSettings settings = AwardSettings::defaults();
    for (int k = 0; k < 4; ++k)
        settings.levels[size_t(k)].quantity = "1";
    awardfile::save(folder, settings);
}

void run(int people, int perRound, int runs)
{
    const bench::ScratchFolder dir;
    writeEvent(dir.folder(), people);
    bench::HeadlessDraw night(dir.folder());
    Draw &draw = night.start();
    AwardEditor editor(draw, night.op);
    editor.windowShown();
    // The save writes and reads back, then the preparation begins.
    bench::SignalMarks marks;
    marks.watch(&draw, &Draw::settingsChanged, "read back");
    marks.watch(&draw, &Draw::progressChanged, "prepare");

    std::printf("\nsave of the award settings, %d people, 11 levels x 999, %d per round\n", people, perRound);
    std::printf("%-5s %10s %22s %18s %18s\n", "run", "total ms", "files ms (share)", "prepare ms (share)",
                "other ms (share)");
    std::vector<double> totals, reads;
    for (int r = 0; r < runs; ++r) {
        for (int k = 0; k < LevelCount; ++k) {
            editor.setLevelEnabled(k, true);
            editor.setQuantity(k, "999");
            editor.setPerRound(k, perRound);
        }
        marks.start();
        editor.save();
        const double total = marks.elapsed().wall;
        const double files = marks.at("read back").wall;
        const double prepare = total - marks.at("prepare").wall;
        const double other = total - files - prepare;
        if (draw.state().roundCount() != 11 * ((999 + perRound - 1) / perRound))
            std::printf("unexpected round count %d\n", draw.state().roundCount());
        const auto step = [total](double ms) {
            return QByteArray::number(ms, 'f', 1) + " (" + QByteArray::number(100 * ms / total, 'f', 1) + "%)";
        };
        std::printf("%-5d %10.1f %22s %18s %18s\n", r + 1, total, step(files).constData(),
                    step(prepare).constData(), step(other).constData());
        totals.push_back(total);
        const bench::Stopwatch read;
        draw.reloadAwardSettings();
        reads.push_back(read.elapsed().wall);
    }
    std::printf("median %.1f ms (files = Tlottery.dll written, the list read again with its pool, the settings "
                "read back; prepare = prepareAnew); the settings' read-back alone: median %.2f ms\n",
                bench::median(totals), bench::median(reads));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int people = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    run(people, 10, runs);
    run(people, 1, runs);
    return 0;
}
