#include "main_settings.h"

#include "numtext/numtext.h"

#include <cmath>

namespace tessaly {

float PlacementValue(const std::optional<std::string>& stored, float fallback, bool positive) {
    if (!stored) return fallback;
    const std::optional<double> value = numtext::whole_number(*stored);
    if (!value || std::fabs(*value) > 1e6 || (positive && *value <= 0)) return fallback;
    return static_cast<float>(*value);
}

std::string PlacementText(double twips) {
    const std::optional<std::int32_t> whole = numtext::to_int32(twips);
    return std::to_string(whole.value_or(0));
}

} // namespace tessaly
