#include "engine/duel.h"

#include <chrono>
#include <cmath>

namespace barmen {

std::int16_t battleRollFrom(float a, float b, float c, float r)
{
    // Double holds R x A + B + C exactly for 24-bit floats, so the result does
    // not depend on how the compiler rounds intermediate floats.
    const double s = static_cast<double>(r) * a + b + c;
    return static_cast<std::int16_t>(std::floor(s) + 1);
}

std::int16_t drawBattleRoll(Dice &dice)
{
    dice.reseed();
    const float a = dice.uniform();
    const float b = dice.uniform();
    const float c = dice.uniform();
    const float r = dice.uniform();
    return battleRollFrom(a, b, c, r);
}

ClockDice::ClockDice(std::uint32_t fixedSeed)
    : m_engine(fixedSeed)
    , m_fixed(true)
{
}

void ClockDice::reseed()
{
    // A fixed-seed run keeps one sequence across draws, so a whole duel repeats.
    if (m_fixed)
        return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count()
                     ^ std::chrono::system_clock::now().time_since_epoch().count();
    std::seed_seq seq{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32)};
    m_engine.seed(seq);
}

float ClockDice::uniform()
{
    // The top 24 bits give every float in [0, 1) on a 2^-24 grid; 1.0 never comes up.
    return static_cast<float>(m_engine() >> 8) * 0x1p-24f;
}

} // namespace barmen
