#pragma once

#include "engine/drawpool.h"
#include "settings/awardsettings.h"

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

namespace sorvix {

// The generator every shuffle of the draw uses: seeded once from the operating
// system's entropy source, or from a fixed seed in tests.
class DrawRandom
{
public:
    explicit DrawRandom(quint64 seed) : m_engine(seed) {}
    static DrawRandom fromSystem();
    // Uniform in [0, n), n > 0.
    quint64 below(quint64 n);

    // Fisher-Yates: every order of the range equally likely.
    template<typename It>
    void shuffle(It first, It last)
    {
        for (auto n = last - first; n > 1; --n)
            std::iter_swap(first + (n - 1), first + qint64(below(quint64(n))));
    }

private:
    std::mt19937_64 m_engine;
};

// Pool positions [start, end) whose entries win `level`; the ranges of the
// enabled levels tile positions 0..T-1 in draw order.
struct LevelRange
{
    int level = 0;
    int start = 0;
    int end = 0;
};

// The round plan: every winner of the event decided in advance and written as
// round files. Pure file work on what it is given; the draw object holds the
// pool and the settings and tells the screen and the operator.
namespace plan {

// The enabled levels in draw order.
std::vector<int> drawOrder(const AwardSettings &settings);
// The enabled levels in draw order with their pool ranges; throws
// OperationError when a quantity is not a number.
std::vector<LevelRange> levelRanges(const AwardSettings &settings);
// Sum of the enabled levels' quantities, in 64 bits; throws OperationError
// when a quantity is not a number.
qint64 totalWinners(const AwardSettings &settings);

// Orders the pool for a plan without repeated wins: shuffled, preset winners
// at the start of their level's range, the excluded moved behind the winners
// while others are left there.
void orderPoolOnce(DrawPool &pool, const AwardSettings &settings, DrawRandom &random);
// Orders the pool for one level of a plan with repeated wins: the whole pool
// shuffled afresh, the level's preset winners at the start of its range, the
// excluded moved out of its range.
void orderPoolForLevel(DrawPool &pool, const AwardSettings &settings, int level, DrawRandom &random);

// Called after every step that changes the disk, with the step's name; tests
// throw from it to see what a crash at that point leaves.
using StepHook = std::function<void(const char *step)>;

// The old plan marked gone before anything of it changes (filenameqty.dll
// "0", then status.dll "0": no start-up resumes it or counts one of its
// rounds, wherever a crash cuts the preparation short), then the previous
// draw's round files, level winners files and winners list removed.
void discardPrevious(const ProgramFolder &folder, const StepHook &step = {});

// Writes the round files of every enabled level in draw order from the
// ordered pool (reordered per level with repeated wins), then the pool
// remainder, makes them durable and only then counts them in
// filenameqty.dll. Returns the number of round files. The caller has checked
// that the pool holds every winner. Throws OperationError.
int writeRounds(const ProgramFolder &folder, DrawPool &pool, const AwardSettings &settings, DrawRandom &random,
                const StepHook &step = {});

} // namespace plan
} // namespace sorvix
