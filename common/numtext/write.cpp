#include "numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <system_error>

namespace numtext {
namespace {

// Decimal digits of |value| rounded half away from zero to `decimals` places, as an integer
// digit string and a fraction digit string of exactly `decimals` digits.
struct Fixed {
    std::string whole;
    std::string fraction;
};

Fixed fixed_digits(double magnitude, int decimals) {
    // Forty places past the wanted ones are exact enough to see a tie: a double that is not a
    // tie lies further than that from one at any magnitude the programs show.
    int precision = decimals + 40;
    int size = std::snprintf(nullptr, 0, "%.*f", precision, magnitude);
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", precision, magnitude);
    text.resize(static_cast<std::size_t>(size));
    std::size_t point = text.find('.');
    std::string digits = text.substr(0, point) + text.substr(point + 1, decimals);
    bool up = text[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
    if (up) {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i)] = '0';
            } else {
                ++digits[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) digits.insert(digits.begin(), '1');
    }
    Fixed f;
    f.whole = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    f.fraction = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    return f;
}

// Mantissa digits (first digit, then `decimals` more) and decimal exponent of |value| rounded
// half away from zero.
struct Scientific {
    std::string digits;
    int exponent = 0;
};

Scientific scientific_digits(double magnitude, int decimals) {
    Scientific s;
    if (magnitude == 0.0) {
        s.digits.assign(static_cast<std::size_t>(decimals) + 1, '0');
        return s;
    }
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.60e", magnitude);
    std::string text(buf);
    std::size_t e = text.find('e');
    s.exponent = std::stoi(text.substr(e + 1));
    std::string all = text.substr(0, 1) + text.substr(2, e - 2);
    std::string digits = all.substr(0, static_cast<std::size_t>(decimals) + 1);
    if (all[static_cast<std::size_t>(decimals) + 1] >= '5') {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i)] = '0';
            } else {
                ++digits[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++s.exponent;
        }
    }
    s.digits = digits;
    return s;
}

std::string exponent_text(int exponent, bool explicit_plus, int min_digits) {
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < min_digits)
        digits.insert(0, static_cast<std::size_t>(min_digits) - digits.size(), '0');
    if (exponent < 0) return "-" + digits;
    return explicit_plus ? "+" + digits : digits;
}

std::string format_scientific(double value, std::string_view pattern, std::size_t e_pos) {
    std::string_view mantissa = pattern.substr(0, e_pos);
    int decimals = 0;
    if (auto point = mantissa.find('.'); point != std::string_view::npos)
        decimals = static_cast<int>(mantissa.size() - point - 1);
    bool explicit_plus = e_pos + 1 < pattern.size() && pattern[e_pos + 1] == '+';
    int exp_digits = static_cast<int>(pattern.size() - e_pos - 2);
    Scientific s = scientific_digits(std::fabs(value), decimals);
    std::string out;
    bool zero = s.digits.find_first_not_of('0') == std::string::npos;
    if (value < 0 && !zero) out.push_back('-');
    out.push_back(s.digits[0]);
    if (decimals > 0) {
        out.push_back('.');
        out += s.digits.substr(1);
    }
    out.push_back('E');
    out += exponent_text(s.exponent, explicit_plus, std::max(exp_digits, 1));
    return out;
}

std::string format_digits(double value, std::string_view pattern) {
    std::size_t point = pattern.find('.');
    std::string_view int_pattern = pattern.substr(0, point);
    std::string_view frac_pattern =
        point == std::string_view::npos ? std::string_view{} : pattern.substr(point + 1);
    int frac_max = 0;
    int frac_required = 0;
    for (char c : frac_pattern) {
        if (c == '#' || c == '0') ++frac_max;
        if (c == '0') frac_required = frac_max;
    }
    int int_required = 0;
    bool seen_zero = false;
    for (char c : int_pattern) {
        if (c == '0') seen_zero = true;
        if (seen_zero && (c == '0' || c == '#')) ++int_required;
    }
    Fixed f = fixed_digits(std::fabs(value), frac_max);
    // Fraction: keep the required places, drop trailing zeros past them.
    std::string fraction = f.fraction;
    while (static_cast<int>(fraction.size()) > frac_required && !fraction.empty() &&
           fraction.back() == '0')
        fraction.pop_back();
    // Whole part: no leading zeros, then as many as the "0" places require.
    std::string whole = f.whole;
    std::size_t first = whole.find_first_not_of('0');
    whole = first == std::string::npos ? std::string{} : whole.substr(first);
    if (static_cast<int>(whole.size()) < int_required)
        whole.insert(0, static_cast<std::size_t>(int_required) - whole.size(), '0');
    // Lay the whole digits into the pattern from the right, writing a blank separator only
    // when digits remain on its left; digits beyond the pattern go in front.
    std::string laid;
    std::size_t remaining = whole.size();
    for (auto it = int_pattern.rbegin(); it != int_pattern.rend() && remaining > 0; ++it) {
        if (*it == '#' || *it == '0') {
            laid.push_back(whole[--remaining]);
        } else if (*it == ' ') {
            laid.push_back(' ');
        }
    }
    while (remaining > 0)
        laid.push_back(whole[--remaining]);
    std::reverse(laid.begin(), laid.end());
    if (!laid.empty() && laid.front() == ' ') laid.erase(0, laid.find_first_not_of(' '));

    std::string out = laid;
    if (!fraction.empty()) out += "." + fraction;
    if (out.empty()) out = "0";
    bool zero = out.find_first_of("123456789") == std::string::npos;
    if (value < 0 && !zero) out.insert(out.begin(), '-');
    return out;
}

// Shortest round-trip digits and decimal exponent, from the scientific form of to_chars.
template <typename T> Scientific shortest_digits(T magnitude) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    std::string text(buf, res.ptr);
    std::size_t e = text.find('e');
    Scientific s;
    s.exponent = std::stoi(text.substr(e + 1));
    s.digits = text.substr(0, 1);
    if (e > 2) s.digits += text.substr(2, e - 2);
    return s;
}

// General number text from significant digits and exponent.
std::string general(const Scientific& s, int sci_above, bool leading_zero) {
    std::string out;
    if (s.exponent < -4 || s.exponent >= sci_above) {
        out += s.digits.substr(0, 1);
        if (s.digits.size() > 1) out += "." + s.digits.substr(1);
        out += "E" + exponent_text(s.exponent, true, 2);
        return out;
    }
    if (s.exponent < 0) {
        if (leading_zero) out += "0";
        out += ".";
        out.append(static_cast<std::size_t>(-s.exponent - 1), '0');
        out += s.digits;
        return out;
    }
    std::size_t whole = static_cast<std::size_t>(s.exponent) + 1;
    if (s.digits.size() <= whole) {
        out = s.digits;
        out.append(whole - s.digits.size(), '0');
    } else {
        out = s.digits.substr(0, whole) + "." + s.digits.substr(whole);
    }
    return out;
}

template <typename T> std::string shortest_text(T value, int sci_above) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    if (value == 0) return "0";
    std::string out = value < 0 ? "-" : "";
    return out + general(shortest_digits(std::fabs(value)), sci_above, true);
}

} // namespace

std::string format(double value, std::string_view pattern) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    std::size_t e_pos = pattern.find_first_of("Ee");
    if (e_pos != std::string_view::npos) return format_scientific(value, pattern, e_pos);
    return format_digits(value, pattern);
}

std::string shortest(float value) {
    return shortest_text(value, 7);
}

std::string shortest(double value) {
    return shortest_text(value, 15);
}

std::string with_sign_position(double value, int significant) {
    if (!std::isfinite(value)) return shortest(value);
    std::string sign = value < 0 ? "-" : " ";
    if (value == 0) return " 0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, std::fabs(value));
    std::string text(buf);
    std::size_t e = text.find('e');
    Scientific s;
    s.exponent = std::stoi(text.substr(e + 1));
    s.digits = text.substr(0, 1) + (e > 2 ? text.substr(2, e - 2) : std::string{});
    while (s.digits.size() > 1 && s.digits.back() == '0')
        s.digits.pop_back();
    return sign + general(s, significant, false);
}

std::string right_align(std::string_view text, std::size_t width) {
    if (text.size() >= width) return std::string(text.substr(text.size() - width));
    return std::string(width - text.size(), ' ') + std::string(text);
}

} // namespace numtext
