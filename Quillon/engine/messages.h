// The texts and titles of every message box the analyser shows.
#pragma once

#include "analysis.h"

namespace quillon::msg {

inline const Message file_error{"File read", "File error"};
inline const Message file_too_large{"File read", "File too large (more than 256 MiB)"};
inline const Message save_error{"File save", "File error"};
inline const Message nothing_to_save{"Quillon", "Nothing to save"};
inline const Message no_string{"Quillon", "No string to parse"};
inline const Message invalid_table{"State transition table", "Invalid table"};
inline const Message no_final_state{"Transition Table", "No final state \"F\"."};
inline const Message no_signal{"Quillon", "No signal to approximate"};
inline const Message tolerance_not_positive{"Quillon", "The tolerance must be greater than 0"};
inline const Message tolerance_too_small{
    "Quillon", "The tolerance is too small: not even two samples fit within it"};
inline const Message step_too_small{"Quillon", "The step must be at least 1"};
inline const Message no_segments{"Quillon", "No line segments to label"};

inline Message duplicate_entry(const std::string& present, const std::string& symbol) {
    return {"Transition Table", "Duplicate entry for (" + present + "," + symbol + ")"};
}

inline Message no_present_state(const std::string& next) {
    return {"Transition Table", "No Present State " + next};
}

} // namespace quillon::msg
