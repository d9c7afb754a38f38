// `Rnd`: the program's one uniform random generator on [0, 1): the 32-bit Mersenne Twister
// (MT19937, the sequence std::mt19937 defines, so every machine draws the same values), whose
// top 24 bits make each value.
#pragma once

#include <array>
#include <cstdint>

namespace corvane {

class Rnd {
public:
    /// The state's words and the twist's offset.
    static constexpr int n = 624, m = 397;
    /// The fixed seed every program start uses.
    static constexpr std::uint32_t semente = 20001226u;

    Rnd() : Rnd(semente) {}
    /// A generator started from `seed` instead of the fixed one (the batch mode's --seed).
    explicit Rnd(std::uint32_t seed);

    /// The next value: a multiple of 2^-24 in [0, 1), so a float holds it exactly.
    double operator()() {
        if (next_ == n) refill();
        return static_cast<double>(drawn_[next_++] >> 8) * (1.0 / 16777216.0);
    }

private:
    /// The state's next 624 words, and their tempered outputs, all at once (in loops the
    /// compiler can run on vectors: each word depends only on words 227 or more places back).
    void refill();

    std::array<std::uint32_t, n> state_{};
    std::array<std::uint32_t, n> drawn_{};
    int next_ = n;
};

} // namespace corvane
