#include "random_source.h"

#include <chrono>

namespace tessaly {

double UniformRandom::Next() {
    // 53 random bits scaled into [0, 1): never 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

void UniformRandom::SeedFromClock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    Seed(static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

UniformRandom& ProgramRandom() {
    static UniformRandom generator(1);
    return generator;
}

} // namespace tessaly
