// Changes made to a drawn pattern by the mouse and by the noise command.
#pragma once

#include "array2d.h"
#include "random_source.h"

namespace tessaly {

/// Probability with which "Add Noise" flips each cell.
constexpr double kNoiseProbability = 0.05;

/// Flips every cell of the rectangle between (r0, c0) and (r1, c1), corners included, in either
/// direction. Corners outside the pattern are brought inside it.
void ToggleRectangle(Pattern& pattern, int r0, int c0, int r1, int c1);

/// Flips each cell, rows outer and columns inner, when a fresh u from `random` is below 0.05.
/// Returns the number of flipped cells.
int AddNoise(Pattern& pattern, UniformRandom& random);

} // namespace tessaly
