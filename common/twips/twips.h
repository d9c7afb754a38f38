// Twips, the unit of the windows' original layouts: 1440 to the inch, 15 to a screen pixel.
#pragma once

namespace twips {

/// Twips per screen pixel.
inline constexpr int per_pixel = 15;

/// A positive length in twips as whole pixels, to the nearest (100 twips are 7 pixels).
constexpr int to_pixels(int length) {
    return (length + per_pixel / 2) / per_pixel;
}

} // namespace twips
