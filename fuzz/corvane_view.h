// A Corvane window stand-in for the harnesses: it counts the messages and ignores the rest.
#pragma once

#include "fuzz_support.h"

#include "engine/project_file.h"
#include "engine/settings.h"
#include "engine/text_file.h"
#include "engine/view.h"

#include <initializer_list>

namespace fuzz {

class QuietView : public corvane::SilentView {
public:
    void message(std::string_view title, std::string_view text, corvane::Icon) override {
        FUZZ_CHECK(!title.empty() && !text.empty());
        ++messages;
    }
    int messages = 0;
};

/// A reader's failure shown as its caller shows it; true when the file was read.
inline bool shown(const corvane::ReadOutcome& outcome, corvane::TrainerView& view) {
    if (!outcome.ok()) corvane::critical(view, outcome.failure);
    return outcome.ok();
}
inline corvane::ProjectLoad shown(corvane::ProjectLoad load, corvane::TrainerView& view) {
    FUZZ_CHECK(load.ok == load.failure.empty());
    if (!load.ok) corvane::critical(view, load.failure);
    return load;
}

} // namespace fuzz

namespace fuzz {

/// The blank-separated fields of a harness's settings line go, in order, into the text slots
/// `slots` of `d` (missing fields leave a slot as it was); a field "linear" anywhere selects the
/// linear output layer instead.
inline void apply_settings(corvane::definicoes_projecto& d, std::string_view line,
                           std::initializer_list<int> slots) {
    auto slot = slots.begin();
    std::size_t pos = 0;
    while (pos < line.size()) {
        std::size_t start = line.find_first_not_of(" \t\r", pos);
        if (start == std::string_view::npos) break;
        std::size_t end = line.find_first_of(" \t\r", start);
        if (end == std::string_view::npos) end = line.size();
        std::string_view field = line.substr(start, end - start);
        pos = end;
        if (field == "linear") {
            d.Check1[1] = 1;
            continue;
        }
        if (slot == slots.end()) continue;
        d.Text1[static_cast<std::size_t>(*slot++)] = std::string(field);
    }
}

} // namespace fuzz
