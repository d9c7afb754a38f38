#include "prototypes.h"

#include "numtext/numtext.h"

#include <cmath>
#include <optional>

namespace pellin {
namespace {

// A header value as the 32-bit integer it rounds to; values far outside any limit are clamped,
// which keeps them outside the limits without overflowing.
std::int32_t header_value(double v) {
    if (v > 1e9) return 1000000000;
    if (v < -1e9) return -1000000000;
    return static_cast<std::int32_t>(std::nearbyint(v));
}

// A feature as the 32-bit float it rounds to; nullopt when it rounds to infinity.
std::optional<float> feature_value(double v) {
    const auto f = static_cast<float>(v);
    if (!std::isfinite(f)) return std::nullopt;
    return f;
}

} // namespace

PrototypeRead read_prototypes(std::string_view text) {
    PrototypeRead r;
    numtext::FieldScanner scan(text);
    double header[3] = {0, 0, 0};
    for (double& h : header) {
        auto num = scan.next_number();
        if (num.status != numtext::FieldScanner::Status::ok) {
            r.status = PrototypeRead::Status::no_header;
            return r;
        }
        h = num.value;
    }
    r.set.n = header_value(header[0]);
    r.set.n1 = header_value(header[1]);
    r.set.d = header_value(header[2]);
    if (r.set.n < 1 || r.set.n > max_prototypes || r.set.d < 1 || r.set.d > max_features) return r;
    r.set.x.assign(static_cast<std::size_t>(r.set.n), {});
    for (int i = 0; i < r.set.n; ++i) {
        for (int j = 0; j < r.set.d; ++j) {
            auto num = scan.next_number();
            if (num.status == numtext::FieldScanner::Status::end) {
                r.status = PrototypeRead::Status::short_data;
                return r;
            }
            if (num.status == numtext::FieldScanner::Status::not_a_number) {
                r.status = PrototypeRead::Status::not_a_number;
                return r;
            }
            const std::optional<float> value = feature_value(num.value);
            if (!value) {
                r.status = PrototypeRead::Status::out_of_range;
                return r;
            }
            r.set.x[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = *value;
            ++r.values_read;
        }
    }
    return r;
}

namespace {

// Where the reading stopped: "feature j of prototype i".
std::string place(const PrototypeRead& read) {
    const int prototype = read.values_read / read.set.d + 1;
    const int feature = read.values_read % read.set.d + 1;
    return "feature " + std::to_string(feature) + " of prototype " + std::to_string(prototype);
}

} // namespace

std::string read_failure_message(const PrototypeRead& read) {
    const auto expected = static_cast<long>(read.set.n) * read.set.d;
    switch (read.status) {
    case PrototypeRead::Status::ok:
        return {};
    case PrototypeRead::Status::no_header:
        return "The file does not begin with the numbers n, n1 and d";
    case PrototypeRead::Status::short_data:
        return "The file ends after " + std::to_string(read.values_read) + " of the " +
               std::to_string(expected) + " feature values announced by its header";
    case PrototypeRead::Status::not_a_number:
        return "Not a number where " + place(read) + " is expected";
    case PrototypeRead::Status::out_of_range:
        return "The value of " + place(read) + " is beyond the single-precision range";
    }
    return {};
}

} // namespace pellin
