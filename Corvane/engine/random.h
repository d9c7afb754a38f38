// `Rnd`: the program's one uniform random generator on [0, 1): the 32-bit Mersenne Twister
// (MT19937, as std::mt19937 defines it, so every machine draws the same sequence), whose top 24
// bits make each value.
#pragma once

#include <cstdint>
#include <random>

namespace corvane {

class Rnd {
public:
    /// The fixed seed every program start uses.
    static constexpr std::uint32_t semente = 20001226u;

    Rnd() : engine_(semente) {}
    /// A generator started from `seed` instead of the fixed one (the batch mode's --seed).
    explicit Rnd(std::uint32_t seed) : engine_(seed) {}

    /// The next value: a multiple of 2^-24 in [0, 1), so a float holds it exactly.
    double operator()() { return static_cast<double>(engine_() >> 8) * (1.0 / 16777216.0); }

private:
    std::mt19937 engine_;
};

} // namespace corvane
