#include "random.h"

#include "vector_clones.h"

namespace corvane {

namespace {

constexpr std::uint32_t twist(std::uint32_t upper, std::uint32_t lower) {
    const std::uint32_t y = (upper & 0x80000000u) | (lower & 0x7fffffffu);
    return (y >> 1) ^ ((0u - (y & 1u)) & 0x9908b0dfu);
}

constexpr std::uint32_t temper(std::uint32_t y) {
    y ^= y >> 11;
    y ^= (y << 7) & 0x9d2c5680u;
    y ^= (y << 15) & 0xefc60000u;
    return y ^ (y >> 18);
}

// The next n words of the state x in place (MT19937's twist), and their tempered outputs.
CORVANE_VECTOR_CLONES void next_words(std::uint32_t* __restrict x, std::uint32_t* __restrict out) {
    constexpr int n = Rnd::n, m = Rnd::m;
    int i = 0;
    for (; i < n - m; ++i)
        x[i] = x[i + m] ^ twist(x[i], x[i + 1]);
    for (; i < n - 1; ++i)
        x[i] = x[i + m - n] ^ twist(x[i], x[i + 1]);
    x[n - 1] = x[m - 1] ^ twist(x[n - 1], x[0]);
    for (i = 0; i < n; ++i)
        out[i] = temper(x[i]);
}

} // namespace

Rnd::Rnd(std::uint32_t seed) {
    state_[0] = seed;
    for (std::uint32_t i = 1; i < n; ++i)
        state_[i] = 1812433253u * (state_[i - 1] ^ (state_[i - 1] >> 30)) + i;
}

void Rnd::refill() {
    next_words(state_.data(), drawn_.data());
    next_ = 0;
}

} // namespace corvane
