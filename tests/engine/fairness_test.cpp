// Every ordinary participant must have the same chance at every level: the
// shuffles are checked by how often each person lands in each level's range
// over many plans with fixed seeds.

#include "support/drawsetup.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace sorvix;
using namespace sorvix::test;

namespace {

constexpr int People = 10;
constexpr double Significance = 1e-4;

// Upper tail of the chi-square distribution.
double chiSquareTail(double x, int df)
{
    if (x <= 0)
        return 1.0;
    const double a = df / 2.0, h = x / 2.0;
    if (h < a + 1) {
        double term = 1.0 / a, sum = term;
        for (int n = 1; n < 10000 && term > sum * 1e-16; ++n)
            sum += term *= h / (a + n);
        return 1.0 - sum * std::exp(-h + a * std::log(h) - std::lgamma(a));
    }
    // Continued fraction for the upper tail (Lentz).
    double b = h + 1 - a, c = 1e300, d = 1 / b, f = d;
    for (int i = 1; i < 10000; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        d = std::fabs(d) < 1e-300 ? 1e-300 : d;
        c = b + an / c;
        c = std::fabs(c) < 1e-300 ? 1e-300 : c;
        d = 1 / d;
        const double delta = d * c;
        f *= delta;
        if (std::fabs(delta - 1) < 1e-16)
            break;
    }
    return std::exp(-h + a * std::log(h) - std::lgamma(a)) * f;
}

// How often each of k people won one level in `plans` plans when each plan
// gives exactly `winnersPerPlan` of them the level. Each plan picks distinct people, so
// the counts are scaled by the variance of that sampling, which makes the
// statistic chi-square with k - 1 degrees of freedom.
double uniformityPValue(const std::vector<long> &counts, int winnersPerPlan, long plans)
{
    const int k = int(counts.size());
    const double p = double(winnersPerPlan) / k;
    const double expected = plans * p;
    const double variance = plans * p * (1 - p) * k / (k - 1);
    double stat = 0;
    for (long observed : counts)
        stat += (observed - expected) * (observed - expected) / variance;
    return chiSquareTail(stat, k - 1);
}

int personOf(const QByteArray &displayText) { return displayText.mid(1).toInt(); }

DrawPool makePool(const std::map<int, const char *> &tags = {})
{
    DrawPool pool(People);
    for (int i = 0; i < People; ++i) {
        pool[size_t(i)].displayText = "P" + QByteArray::number(i);
        const auto tag = tags.find(i);
        if (tag != tags.end())
            pool[size_t(i)].group = tag->second;
    }
    return pool;
}

// Levels 0, 1 and 2 of 1, 2 and 3 winners.
AwardSettings threeLevels()
{
    AwardSettings settings = AwardSettings::defaults();
    for (AwardLevel &level : settings.levels)
        level.enabled = false;
    const char *quantities[3] = {"1", "2", "3"};
    for (int k = 0; k < 3; ++k) {
        settings.levels[size_t(k)].enabled = true;
        settings.levels[size_t(k)].quantity = quantities[k];
    }
    return settings;
}

class FairnessTest : public ::testing::Test
{
protected:
    // counts[level][person] after `plans` orderings of `listOrder`, read from
    // the level ranges.
    std::vector<std::vector<long>> tally(const DrawPool &listOrder, long plans)
    {
        std::vector<std::vector<long>> counts(3, std::vector<long>(People));
        const std::vector<LevelRange> ranges = plan::levelRanges(settings);
        const bool repeated = settings.options.repeatedWins;
        for (long n = 0; n < plans; ++n) {
            // Each plan starts from list order, as after loading the list: a
            // plan started from the previous plan's order would hide a bias.
            DrawPool pool = listOrder;
            if (!repeated)
                plan::orderPoolOnce(pool, settings, random);
            for (const LevelRange &range : ranges) {
                if (repeated)
                    plan::orderPoolForLevel(pool, settings, range.level, random);
                for (int pos = range.start; pos < range.end; ++pos)
                    ++counts[size_t(range.level)][size_t(personOf(pool[size_t(pos)].displayText))];
            }
        }
        return counts;
    }

    AwardSettings settings = threeLevels();
    DrawRandom random{0x5eed};
};

TEST_F(FairnessTest, EveryoneHasTheSameChanceAtEveryLevel)
{
    constexpr long Plans = 40000;
    for (bool repeated : {false, true}) {
        for (int order : {0, 1}) {
            settings.options.repeatedWins = repeated;
            settings.options.order = order;
            const auto counts = tally(makePool(), Plans);
            for (int level = 0; level < 3; ++level) {
                EXPECT_GT(uniformityPValue(counts[size_t(level)], level + 1, Plans), Significance)
                    << "level " << level << " repeated " << repeated << " order " << order;
            }
        }
    }
}

TEST_F(FairnessTest, OrdinaryParticipantsShareTheChancesLeftByTaggedOnes)
{
    // P0 is excluded, P1 a preset winner of level 2; the others are ordinary.
    constexpr long Plans = 40000;
    for (bool repeated : {false, true}) {
        settings.options.repeatedWins = repeated;
        const auto counts = tally(makePool({{0, "a"}, {1, "2"}}), Plans);
        EXPECT_EQ(counts[2][1], Plans) << "the preset winner always wins level 2";
        for (int level = 0; level < 3; ++level)
            EXPECT_EQ(counts[size_t(level)][0], 0) << "the excluded never wins";

        const std::vector<long> ordinary2(counts[2].begin() + 2, counts[2].end());
        EXPECT_GT(uniformityPValue(ordinary2, 2, Plans), Significance) << "repeated " << repeated;
        for (int level = 0; level < 2; ++level) {
            // With repeated wins the preset winner of level 2 is ordinary at
            // the other levels; without, everyone left is ordinary P2..P9.
            const auto first = counts[size_t(level)].begin() + (repeated ? 1 : 2);
            const std::vector<long> ordinary(first, counts[size_t(level)].end());
            EXPECT_GT(uniformityPValue(ordinary, level + 1, Plans), Significance)
                << "level " << level << " repeated " << repeated;
        }
    }
}

TEST(WrittenPlanFairnessTest, WrittenPlansAreFair)
{
    // Through the draw's whole preparation and its round files; a
    // memory-backed program folder keeps the many preparations quick where
    // one exists.
    QTemporaryDir memory(QStringLiteral("/dev/shm/sorvix-fairness-XXXXXX"));
    QTemporaryDir disk;
    const QString root = memory.isValid() ? memory.path() : disk.path();
    for (const char *sub : {"data", "dat", "datm"})
        ASSERT_TRUE(QDir(root).mkpath(QLatin1String(sub)));
    const ProgramFolder folder(root);
    AwardSettings settings = threeLevels();
    ParticipantList::save(folder, DrawSetup::rows(People));
    awardfile::save(folder, settings);
    RecordingOperator op;
    RecordingSound sound;
    DrawRandom random(0x5eed);
    Draw draw(folder, op, sound, random);
    draw.startScreen();
    draw.startDraw();

    constexpr long Plans = 500;
    for (bool repeated : {false, true}) {
        settings.options.repeatedWins = repeated;
        draw.saveAwardSettings(settings);
        std::vector<std::vector<long>> counts(3, std::vector<long>(People));
        for (long n = 0; n < Plans; ++n) {
            // The pool back in list order, as the tallies above start.
            draw.reloadListSettings();
            draw.prepareAnew();
            ASSERT_EQ(draw.state().roundCount(), 3);
            for (int r = 0; r < 3; ++r) {
                const RoundFile round = RoundFile::read(folder, files::round(r));
                for (const QByteArray &name : round.names)
                    ++counts[size_t(round.levelIndex())][size_t(personOf(name))];
            }
        }
        for (int level = 0; level < 3; ++level)
            EXPECT_GT(uniformityPValue(counts[size_t(level)], level + 1, Plans), Significance)
                << "level " << level << " repeated " << repeated;
    }
    EXPECT_TRUE(op.notices.isEmpty());
}

TEST(FairnessCheckTest, RejectsTheExchangeWithAnyPositionShuffle)
{
    // The check has the power to see the bias of exchanging every position
    // with a uniformly chosen one (N^N equally likely runs onto N! orders).
    DrawRandom random(0x5eed);
    constexpr long Plans = 40000;
    std::vector<std::vector<long>> counts(3, std::vector<long>(People));
    std::vector<int> pool(People);
    for (long plan = 0; plan < Plans; ++plan) {
        for (int i = 0; i < People; ++i)
            pool[size_t(i)] = i;
        for (int i = 0; i < People; ++i)
            std::swap(pool[size_t(i)], pool[size_t(random.below(People))]);
        // Levels 2, 1, 0 take positions 0..2, 3..4, 5.
        for (int pos = 0; pos < 6; ++pos)
            ++counts[pos < 3 ? 2 : pos < 5 ? 1 : 0][size_t(pool[size_t(pos)])];
    }
    double smallest = 1;
    for (int level = 0; level < 3; ++level)
        smallest = std::min(smallest, uniformityPValue(counts[size_t(level)], level + 1, Plans));
    EXPECT_LT(smallest, Significance);
}

TEST(FairnessCheckTest, ChiSquareTailMatchesKnownQuantiles)
{
    EXPECT_NEAR(chiSquareTail(27.877, 9), 1e-3, 1e-5);
    EXPECT_NEAR(chiSquareTail(33.720, 9), 1e-4, 2e-6);
    EXPECT_NEAR(chiSquareTail(16.919, 9), 0.05, 1e-4);
    EXPECT_NEAR(chiSquareTail(2.0, 2), std::exp(-1.0), 1e-12);
}

} // namespace
