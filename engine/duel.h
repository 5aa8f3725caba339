#pragma once

#include <cstdint>
#include <random>

namespace barmen {

// Where the golem's moves come from. The game reseeds from the clock before
// every draw; tests hand in chosen values or a fixed seed instead.
class Dice {
public:
    virtual ~Dice() = default;
    virtual void reseed() = 0;
    virtual float uniform() = 0;   // in [0, 1)
};

// The golem's move from four uniform values: S = R x A + B + C, evaluated left
// to right, and floor(S) + 1. Moves 1, 2 and 3 come up with 11/36, 23/36 and
// 1/18: the duel is meant to favour the dodge.
std::int16_t battleRollFrom(float a, float b, float c, float r);

// Reseeds, then takes A, B, C and R in that order.
std::int16_t drawBattleRoll(Dice &dice);

// A Mersenne twister seeded from the system clock at every reseed, or from a
// fixed seed for repeatable runs.
class ClockDice final : public Dice {
public:
    ClockDice() = default;
    explicit ClockDice(std::uint32_t fixedSeed);

    void reseed() override;
    float uniform() override;

private:
    std::mt19937 m_engine;
    bool m_fixed = false;
};

} // namespace barmen
