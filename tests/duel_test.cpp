#include <array>
#include <cmath>
#include <cstdio>

#include <gtest/gtest.h>

#include "engine/duel.h"
#include "fakes.h"

namespace barmen {
namespace {

constexpr float below1 = 0x1.fffffep-1f;   // the largest float under 1

struct RollCase {
    const char *name;
    float a, b, c, r;
    int roll;
    friend void PrintTo(const RollCase &c, std::ostream *os) { *os << c.name; }
};

class RollFormula : public ::testing::TestWithParam<RollCase> {};

// floor(R x A + B + C) + 1, right at the edges where a rounding slip moves a move.
TEST_P(RollFormula, givesTheGolemsMove)
{
    const RollCase &c = GetParam();
    EXPECT_EQ(battleRollFrom(c.a, c.b, c.c, c.r), c.roll);
}

INSTANTIATE_TEST_SUITE_P(
    Duel, RollFormula,
    ::testing::Values(
        RollCase{"allZero", 0, 0, 0, 0, 1},
        RollCase{"justBelowOne", 0, below1, 0, 0, 1},
        RollCase{"productJustBelowOne", below1, 0, 0, below1, 1},
        RollCase{"exactlyOne", 0, 0.5f, 0.5f, 0, 2},
        RollCase{"exactlyOneFromProduct", 0.5f, 0.75f, 0, 0.5f, 2},
        RollCase{"justBelowTwo", 0, below1, below1, 0, 2},
        RollCase{"exactlyTwo", 0.5f, 0.875f, 0.875f, 0.5f, 3},
        RollCase{"largest", below1, below1, below1, below1, 3},
        // In single precision 0.99999994 + 2^-25 rounds up to 1; the sum must not.
        RollCase{"noRoundingUpToOne", 0x1p-12f, below1, 0, 0x1p-13f, 1}),
    [](const auto &info) { return std::string(info.param.name); });

// The generator is reseeded before every draw and read A, B, C, R in that order.
TEST(Duel, drawReseedsThenTakesABCR)
{
    test::ScriptedDice dice;
    dice.values = {0.9f, 0.1f, 0.05f, 0.9f};   // as A, B, C, R: 0.81 + 0.15, attack
    EXPECT_EQ(drawBattleRoll(dice), 1);        // R first, or B before A, would give 2
    EXPECT_EQ(dice.reseeds, 1);
    EXPECT_TRUE(dice.values.empty());
}

// The duel is weighted on purpose: 11/36 attack, 23/36 dodge, 1/18 charge.
TEST(Duel, movesComeWithTheirDesignedFrequencies)
{
    constexpr int draws = 360000;
    ClockDice dice(20261208);
    std::array<int, 4> seen{};
    for (int i = 0; i < draws; ++i) {
        const int roll = drawBattleRoll(dice);
        ASSERT_GE(roll, 1);
        ASSERT_LE(roll, 3);
        ++seen[roll];
    }
    const double expected[] = {0, 11.0 / 36, 23.0 / 36, 1.0 / 18};
    for (int move = 1; move <= 3; ++move) {
        const double p = expected[move];
        const double standardError = std::sqrt(p * (1 - p) / draws);
        const double share = double(seen[move]) / draws;
        EXPECT_NEAR(share, p, 4 * standardError) << "move " << move;
    }
}

TEST(Duel, clockDiceGivesValuesInTheHalfOpenUnitRange)
{
    ClockDice dice;
    dice.reseed();
    for (int i = 0; i < 100000; ++i) {
        const float v = dice.uniform();
        ASSERT_GE(v, 0.0f);
        ASSERT_LT(v, 1.0f);
    }
}

TEST(Duel, fixedSeedRepeatsAWholeDuel)
{
    ClockDice first(7), second(7);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(drawBattleRoll(first), drawBattleRoll(second));
}

} // namespace
} // namespace barmen
