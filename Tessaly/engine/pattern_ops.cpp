#include "pattern_ops.h"

#include <algorithm>

namespace tessaly {

void ToggleRectangle(Pattern& pattern, int r0, int c0, int r1, int c1) {
    if (pattern.empty()) return;
    const auto clampRow = [&](int r) { return std::clamp(r, 0, pattern.rows() - 1); };
    const auto clampColumn = [&](int c) { return std::clamp(c, 0, pattern.columns() - 1); };
    r0 = clampRow(r0);
    r1 = clampRow(r1);
    c0 = clampColumn(c0);
    c1 = clampColumn(c1);
    const int rowStep = r1 < r0 ? -1 : 1;
    const int columnStep = c1 < c0 ? -1 : 1;
    for (int r = r0;; r += rowStep) {
        for (int c = c0;; c += columnStep) {
            pattern(r, c) = pattern(r, c) == 1 ? -1 : 1;
            if (c == c1) break;
        }
        if (r == r1) break;
    }
}

int AddNoise(Pattern& pattern, UniformRandom& random) {
    int flipped = 0;
    for (auto& cell : pattern.values()) {
        if (random.Next() < kNoiseProbability) {
            cell = cell == 1 ? -1 : 1;
            ++flipped;
        }
    }
    return flipped;
}

} // namespace tessaly
