#include "prototypes.h"

#include "numtext/numtext.h"

#include <cmath>
#include <optional>

namespace pellin {
namespace {

// A header value as the whole number it rounds to; nullopt when it is beyond the whole numbers
// a count is read as.
std::optional<std::int64_t> header_value(double v) {
    const double whole = std::nearbyint(v);
    const auto limit = static_cast<double>(max_header_value);
    if (!(whole >= -limit && whole <= limit)) return std::nullopt;
    return static_cast<std::int64_t>(whole);
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
    std::int64_t* counts[3] = {&r.set.n, &r.set.n1, &r.set.d};
    for (int h = 0; h < 3; ++h) {
        const std::optional<std::int64_t> count = header_value(header[h]);
        if (!count) {
            r.set = Prototypes{};
            r.status = PrototypeRead::Status::huge_header;
            r.huge = h;
            return r;
        }
        *counts[h] = *count;
    }
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
    const std::int64_t prototype = read.values_read / read.set.d + 1;
    const std::int64_t feature = read.values_read % read.set.d + 1;
    return "feature " + std::to_string(feature) + " of prototype " + std::to_string(prototype);
}

} // namespace

std::string read_failure_message(const PrototypeRead& read) {
    const std::int64_t expected = read.set.n * read.set.d;
    switch (read.status) {
    case PrototypeRead::Status::ok:
        return {};
    case PrototypeRead::Status::no_header:
        return "The file does not begin with the numbers n, n1 and d";
    case PrototypeRead::Status::huge_header:
        return std::string("The number ") +
               (read.huge == 0   ? "n"
                : read.huge == 1 ? "n1"
                                 : "d") +
               " at the start of the file is too large for a count";
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
