// Loading a large participant list: the five column files read and split into
// lines (ParticipantList::load), then every person's display and full text
// built into the draw pool with the mobile and identity numbers shown and
// masked. This is what start-up, every showing of the list editor and every
// save of the list cost. Target on the party laptop: under 150 ms and under
// 100 MB peak for 100,000 people.
//
//   bench_participants [people, default 100000] [runs, default 5]

#include "base/gbk.h"
#include "base/programfolder.h"
#include "engine/drawpool.h"
#include "settings/participantlist.h"

#include "benchsupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

using namespace sorvix;

int main(int argc, char **argv)
{
    const int people = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const ProgramFolder folder(dir.path());
    bench::writeList(folder, people);
    const double afterGenerating = bench::statusMegabytes("VmHWM:");

    ShowFields show;
    show.showName = show.showMobile = show.showId = true;
    show.maskMobile = show.maskId = true;

    double best = 1e9;
    size_t checksum = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const ParticipantList list = ParticipantList::load(folder);
        const DrawPool pool = buildPool(list, show);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, ms);
        checksum += pool.size() + size_t(pool.back().displayText.size());
        std::printf("run %d: %.1f ms\n", run + 1, ms);
    }
    std::printf("people: %d (checksum %zu)\n", people, checksum);
    std::printf("load + pool, best of %d: %.1f ms (target < 150 ms)\n", runs, best);
    std::printf("peak memory (VmHWM): %.1f MB (target < 100 MB; %.1f MB after writing the files)\n",
                bench::statusMegabytes("VmHWM:"), afterGenerating);
    return 0;
}
