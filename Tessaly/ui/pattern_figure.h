// Patterns as figures for files and the clipboard, drawn anew at any resolution: the grid as
// the pattern window shows it (black cells on, white cells off, grey lines between them).
#pragma once

#include "array2d.h"

#include "qtkit/figure_export.h"

#include <vector>

namespace tessaly {

/// The side of one cell in a figure of a rows x columns pattern, in pixels at scale 1: 24 for
/// small grids, less for larger ones, so that a figure stays within about 320 pixels (at least 4).
int FigureCellSide(int rows, int columns);

/// The pattern's grid: columns x side + 1 by rows x side + 1 pixels at scale 1, every cell a
/// square of `FigureCellSide` framed by one-pixel grey lines.
qtkit::Figure PatternFigure(const Pattern& pattern);

/// The stored patterns side by side (at most six to a row, more rows for more patterns; cells
/// smaller for many patterns), each captioned "Pattern k" beneath, in the order stored. No
/// figure without patterns.
std::optional<qtkit::Figure> StoredPatternsFigure(const std::vector<Pattern>& patterns);

} // namespace tessaly
