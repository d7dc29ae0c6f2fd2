#pragma once

#include "engine/screenport.h"
#include "engine/session.h"

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

// Decides every winner of the event in advance and writes the round plan.
class DrawPreparation
{
public:
    DrawPreparation(Session &session, ScreenPort &screen, OperatorPort &op, DrawRandom &random);

    // Deletes the previous draw's results and writes a fresh plan; on refusal
    // (more winners than participants) sets session.tooManyWinners. A file or
    // number error ends it quietly where it happened and returns false, for
    // the commands that must not report success then.
    bool prepareDraw();
    // The same for a command the operator started, who is told of a failure:
    // a file or number error ends it where it happened and is thrown as
    // OperationError. No start-up resumes the plan it leaves.
    void prepareDrawOrThrow();
    // Copies the enabled levels of the settings into the award table; returns
    // the highest enabled level, -1 when none.
    int refreshAwardTable();
    // Sum of the enabled levels' quantities in the settings; throws
    // OperationError when a quantity is not a number.
    // Summed in 64 bits.
    qint64 totalWinners() const;

    // Orders the pool for a plan without repeated wins: shuffled, preset
    // winners at the start of their level's range, the excluded moved behind
    // the winners while others are left there.
    void preparePoolOnce();
    // Orders the pool for one level of a plan with repeated wins: the whole
    // pool shuffled afresh, the level's preset winners at the start of its
    // range, the excluded moved out of its range.
    void preparePoolForLevel(int level);

    // The enabled levels in draw order with their pool ranges, from the
    // settings; throws OperationError when a quantity is not a number.
    std::vector<LevelRange> levelRanges() const;
    // The enabled levels in draw order.
    std::vector<int> drawOrder() const;

    // Shuffles a round's winners, so that preset winners, who stand first in
    // their level's range, do not always take the first name slots.
    void shuffleRoundNames(Lines &names);

    // Called after every step of prepareDraw that changes the disk, with the
    // step's name; tests throw from it to simulate a crash at that point.
    void setStepHook(std::function<void(const char *step)> hook) { m_stepHook = std::move(hook); }

private:
    void step(const char *name) { if (m_stepHook) m_stepHook(name); }
    void clearPreviousDraw();
    void refuse(qint64 total, int participants);
    void writeRounds(int level, int &poolCursor, int &rounds);
    void announceFirstLevel(int highestLevel);
    void resetScreen();
    void placePresetWinners(const LevelRange &range);

    Session &m_session;
    ScreenPort &m_screen;
    OperatorPort &m_operator;
    DrawRandom &m_random;
    std::function<void(const char *)> m_stepHook;
};

} // namespace sorvix
