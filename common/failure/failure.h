// A numbered failure: the number and description of a run-time error as the programs report it
// ("6  : Overflow"). Tessaly returns one (`std::optional<Failure>`) from its readers and saves;
// Dimora's checked arithmetic throws one and the function that traps it shows its message.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace failure {

struct Failure : std::exception {
    Failure(std::int32_t number, std::string description)
        : number(number), description(std::move(description)) {}

    std::int32_t number;
    std::string description;

    /// The number in decimal, `separator`, then the description. The separator is two blanks and
    /// a colon and a blank unless a program's message puts it otherwise.
    std::string Text(std::string_view separator = "  : ") const {
        return std::to_string(number) + std::string(separator) + description;
    }

    const char* what() const noexcept override { return description.c_str(); }

    bool operator==(const Failure& other) const {
        return number == other.number && description == other.description;
    }
};

/// The failures every program numbers alike.
inline Failure Overflow() {
    return {6, "Overflow"};
}

} // namespace failure
