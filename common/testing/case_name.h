#pragma once

// Names for the cases of parameterised GoogleTest suites. A case's name is built from what the
// case is about (its input text, its expected message), so it reads the same on every run and
// in every build, unlike the raw bytes GoogleTest prints for a struct it cannot print.

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace suite_testing {

/// Letters and digits of `text` kept, a minus sign spelt "minus", every other run of characters
/// turned into one '_'; at most `longest` characters; "Empty" for a text with none of them.
inline std::string CaseName(std::string_view text, std::size_t longest = 40) {
    std::string name;
    for (const char ch : text) {
        if (name.size() >= longest) break;
        if (std::isalnum(static_cast<unsigned char>(ch)))
            name += ch;
        else if (ch == '-')
            name += name.empty() || name.back() == '_' ? "minus" : "_minus";
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name.empty() ? std::string("Empty") : name;
}

/// The case's position followed by its name, for suites whose cases could share a name.
inline std::string NumberedCaseName(std::size_t index, std::string_view text,
                                    std::size_t longest = 40) {
    return "Case" + std::to_string(index) + "_" + CaseName(text, longest);
}

} // namespace suite_testing
