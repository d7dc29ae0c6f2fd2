#pragma once

#include "engine/ports.h"
#include "engine/session.h"

#include <random>

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

private:
    std::mt19937_64 m_engine;
};

// Decides every winner of the event in advance and writes the round plan.
class DrawPreparation
{
public:
    DrawPreparation(Session &session, ScreenPort &screen, OperatorPort &op, DrawRandom &random);

    // Deletes the previous draw's results and writes a fresh plan; on refusal
    // (more winners than participants) sets session.tooManyWinners.
    void PrepareDraw();
    // Copies the enabled levels of the settings into the award table; returns
    // the highest enabled level, -1 when none.
    int RefreshAwardTable();
    int TotalWinners() const;

    void PreparePoolOnce();
    void PreparePoolForLevel(int level);

private:
    Session &m_session;
    ScreenPort &m_screen;
    OperatorPort &m_operator;
    DrawRandom &m_random;
};

} // namespace sorvix
