#include "numtext/general_form.h"

#include "numtext/numtext.h"

namespace numtext {

std::string general_form(double value, int significant) {
    // The sign-position form carries the same digits and exponent rule; it differs only in the
    // blank before non-negative numbers and the missing leading zero.
    std::string text = with_sign_position(value, significant);
    if (!text.empty() && text.front() == ' ') text.erase(0, 1);
    const std::size_t digits_start = (!text.empty() && text.front() == '-') ? 1 : 0;
    if (text.size() > digits_start && text[digits_start] == '.') text.insert(digits_start, "0");
    return text;
}

} // namespace numtext
