// `Rnd`: the program's one uniform random generator on [0, 1).
#pragma once

#include <cstdint>
#include <random>

namespace corvane {

class Rnd {
public:
    /// The fixed seed every program start uses.
    static constexpr std::uint32_t semente = 20001226u;

    Rnd() : engine_(semente) {}

    /// The next value: a multiple of 2^-24 in [0, 1), so a float holds it exactly.
    double operator()() { return static_cast<double>(engine_() >> 8) * (1.0 / 16777216.0); }

private:
    std::mt19937 engine_;
};

} // namespace corvane
