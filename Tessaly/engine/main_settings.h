// The main window's place, kept between runs in the per-user settings store.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

constexpr const char* kApplicationTitle = "Tessaly";
constexpr const char* kSettingsSection = "Settings";

struct PlacementKey {
    const char* name;
    float fallback; ///< twips
};

/// Left, top, width and height of the main window, in twips, in this order.
enum PlacementSlot : std::size_t { kLeft, kTop, kWidth, kHeight };
constexpr std::array<PlacementKey, 4> kPlacementKeys{
    {{"MainLeft", 1000}, {"MainTop", 1000}, {"MainWidth", 6500}, {"MainHeight", 6500}}};

/// A stored setting read as a number of twips: absent, not wholly a number, or beyond
/// +/-1,000,000 twips, it gives `fallback`; a width or height (`positive`) must also be above 0.
float PlacementValue(const std::optional<std::string>& stored, float fallback, bool positive);

/// The text written for a number of twips: the nearest integer in decimal.
std::string PlacementText(double twips);

} // namespace tessaly
