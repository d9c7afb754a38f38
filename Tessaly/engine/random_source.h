// The program's one uniform random generator.
#pragma once

#include <cstdint>
#include <random>

namespace tessaly {

/// Uniform numbers on [0, 1). The noise command draws from it; every random-serial sweep
/// reseeds it from the clock.
class UniformRandom {
public:
    explicit UniformRandom(std::uint64_t seed = 1) : engine_(seed) {}

    /// The next number u, 0 <= u < 1.
    double Next();
    void Seed(std::uint64_t seed) { engine_.seed(seed); }
    /// Seeds from the time of day (nanosecond resolution, so quick successive sweeps differ).
    void SeedFromClock();

private:
    std::mt19937_64 engine_;
};

/// The generator shared by every window of the program, seeded with 1 at start so that noise
/// drawn before any random-serial recall is repeatable.
UniformRandom& ProgramRandom();

} // namespace tessaly
