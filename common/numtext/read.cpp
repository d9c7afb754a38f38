#include "numtext.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace numtext {
namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Collects the characters of a leading number into a C-locale text that strtod reads.
// `skip_blanks` makes blanks anywhere invisible; `d_exponent` accepts "D" as the exponent letter.
std::string collect(std::string_view text, bool skip_blanks, bool d_exponent) {
    std::string out;
    std::size_t i = 0;
    auto peek = [&]() -> int {
        if (skip_blanks)
            while (i < text.size() && is_blank(text[i]))
                ++i;
        return i < text.size() ? static_cast<unsigned char>(text[i]) : -1;
    };
    if (!skip_blanks)
        while (i < text.size() && is_blank(text[i]))
            ++i;
    int c = peek();
    if (c == '+' || c == '-') {
        out.push_back(static_cast<char>(c));
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (c = peek(); c >= 0; c = peek()) {
        if (is_digit(static_cast<char>(c))) {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        out.push_back(static_cast<char>(c));
        ++i;
    }
    if (!digits) return {};
    if (c == 'E' || c == 'e' || (d_exponent && (c == 'D' || c == 'd'))) {
        std::string exponent = "e";
        ++i;
        int s = peek();
        if (s == '+' || s == '-') {
            exponent.push_back(static_cast<char>(s));
            ++i;
        }
        bool exp_digits = false;
        for (int e = peek(); e >= 0 && is_digit(static_cast<char>(e)); e = peek()) {
            exponent.push_back(static_cast<char>(e));
            exp_digits = true;
            ++i;
        }
        if (exp_digits) out += exponent;
    }
    return out;
}

double to_double(const std::string& text) {
    if (text.empty()) return 0.0;
    return std::strtod(text.c_str(), nullptr);
}

} // namespace

double leading_value(std::string_view text) {
    return to_double(collect(text, true, true));
}

double leading_value_comma(std::string_view text) {
    std::string copy(text);
    if (auto comma = copy.find(','); comma != std::string::npos) copy[comma] = '.';
    return leading_value(copy);
}

double leading_value_plain(std::string_view text) {
    return to_double(collect(text, false, false));
}

std::optional<double> whole_number(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && is_blank(text[b]))
        ++b;
    while (e > b && is_blank(text[e - 1]))
        --e;
    std::string_view t = text.substr(b, e - b);
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    bool digits = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        if (is_digit(t[i]))
            digits = true;
        else if (t[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (!digits) return std::nullopt;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        bool exp_digits = false;
        for (; i < t.size() && is_digit(t[i]); ++i)
            exp_digits = true;
        if (!exp_digits) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    std::string copy(t);
    errno = 0;
    double v = std::strtod(copy.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(v)) return std::nullopt;
    return v;
}

// ---------------------------------------------------------------- FieldScanner

void FieldScanner::skip_separators(bool blanks_too) {
    while (pos_ < text_.size()) {
        char c = text_[pos_];
        bool blank = c == ' ' || c == '\t';
        if (c == '\r' || c == '\n' || c == ',' || (blanks_too && blank) || c == '\0')
            ++pos_;
        else
            break;
    }
}

bool FieldScanner::at_end() {
    skip_separators(true);
    return pos_ >= text_.size();
}

FieldScanner::Number FieldScanner::next_number() {
    skip_separators(true);
    if (pos_ >= text_.size()) return {Status::end, 0.0};
    std::size_t start = pos_;
    if (text_[pos_] == '"') {
        std::size_t close = text_.find('"', pos_ + 1);
        std::string_view inner = close == std::string_view::npos
                                     ? text_.substr(pos_ + 1)
                                     : text_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close == std::string_view::npos ? text_.size() : close + 1;
        if (auto v = whole_number(inner)) return {Status::ok, *v};
        return {Status::not_a_number, 0.0};
    }
    while (pos_ < text_.size()) {
        char c = text_[pos_];
        if (c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n' || c == '\0') break;
        ++pos_;
    }
    if (auto v = whole_number(text_.substr(start, pos_ - start))) return {Status::ok, *v};
    return {Status::not_a_number, 0.0};
}

std::optional<std::string> FieldScanner::next_string() {
    skip_separators(false);
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) {
        ++pos_;
        skip_separators(false);
    }
    if (pos_ >= text_.size()) return std::nullopt;
    if (text_[pos_] == '"') {
        std::size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos) {
            std::string field(text_.substr(pos_ + 1));
            pos_ = text_.size();
            while (!field.empty() && (field.back() == '\r' || field.back() == '\n'))
                field.pop_back();
            return field;
        }
        std::string field(text_.substr(pos_ + 1, close - pos_ - 1));
        pos_ = close + 1;
        // Whatever follows the closing quote up to the separator belongs to no field.
        while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '\r' &&
               text_[pos_] != '\n')
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
        return field;
    }
    std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '\r' && text_[pos_] != '\n')
        ++pos_;
    std::size_t end = pos_;
    while (end > start && (text_[end - 1] == ' ' || text_[end - 1] == '\t'))
        --end;
    if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
    return std::string(text_.substr(start, end - start));
}

// ---------------------------------------------------------------- integers

std::optional<std::int16_t> to_int16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double r = std::nearbyint(value);
    if (r < -32768.0 || r > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<std::int32_t> to_int32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double r = std::nearbyint(value);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(r);
}

} // namespace numtext
