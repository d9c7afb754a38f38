// The pattern file. The input's first line says how the window stands: "locked" (patterns are
// stored, so the dimensions may not change) or not, and the current rows and columns
// (e.g. "free 12 10"); the rest is the pattern file.
#include "fuzz_support.h"

#include "engine/pattern_file.h"

#include <algorithm>
#include <charconv>

namespace {

int field(std::string_view line, std::size_t index, int fallback) {
    std::size_t pos = 0;
    for (std::size_t i = 0;; ++i) {
        std::size_t start = line.find_first_not_of(' ', pos);
        if (start == std::string_view::npos) return fallback;
        std::size_t end = std::min(line.find(' ', start), line.size());
        if (i == index) {
            int value = fallback;
            std::from_chars(line.data() + start, line.data() + end, value);
            return value;
        }
        pos = end;
    }
}

void check_pattern(const tessaly::Pattern& p) {
    FUZZ_CHECK(p.rows() >= tessaly::kMinDimension && p.rows() <= tessaly::kMaxDimension);
    FUZZ_CHECK(p.columns() >= tessaly::kMinDimension && p.columns() <= tessaly::kMaxDimension);
    FUZZ_CHECK(p.size() ==
               static_cast<std::size_t>(p.rows()) * static_cast<std::size_t>(p.columns()));
    for (auto v : p.values())
        FUZZ_CHECK(v == 1 || v == -1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::SettingsAndFile input = fuzz::split_settings(data, size);
    const bool locked = input.settings.substr(0, 6) == "locked";
    const int rows = std::clamp(field(input.settings, 1, tessaly::kStartRows), 1, 50);
    const int columns = std::clamp(field(input.settings, 2, tessaly::kStartColumns), 1, 50);
    tessaly::Pattern current(rows, columns, -1);
    // A recognisable drawing, so that cells the file does not set can be told apart.
    for (int r = 0; r < rows; ++r)
        current(r, r % columns) = 1;

    const tessaly::PatternLoad load =
        tessaly::LoadPatternFile(fuzz::as_file(input.file), current, locked);
    check_pattern(load.pattern);
    if (locked || !load.resized) {
        FUZZ_CHECK(!load.resized);
        FUZZ_CHECK(load.pattern.rows() == rows && load.pattern.columns() == columns);
    }
    if (load.failure && !load.resized) FUZZ_CHECK(load.pattern == current || locked);
    if (!load.ok()) {
        FUZZ_CHECK(!load.failure->description.empty());
        return 0;
    }
    // What was loaded is written and read back unchanged.
    const std::string text = tessaly::PatternFileText(load.pattern);
    const tessaly::PatternLoad again = tessaly::ParsePatternText(text, load.pattern, true);
    FUZZ_CHECK(again.ok() && again.pattern == load.pattern);
    return 0;
}
