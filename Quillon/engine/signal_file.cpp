#include "signal_file.h"

#include <cmath>
#include <limits>

#include "messages.h"
#include "numtext/numtext.h"
#include "text_file.h"

namespace quillon {

std::optional<std::vector<float>> parse_signal(std::string_view text) {
    numtext::FieldScanner scanner(text);
    std::vector<float> samples;
    while (samples.size() < static_cast<std::size_t>(kMaxSamples)) {
        auto field = scanner.next_number();
        if (field.status == numtext::FieldScanner::Status::end) break;
        if (field.status != numtext::FieldScanner::Status::ok ||
            std::fabs(field.value) > std::numeric_limits<float>::max())
            return std::nullopt;
        samples.push_back(static_cast<float>(field.value));
    }
    if (samples.empty()) return std::nullopt;
    return samples;
}

void load_signal(Analysis& a, const std::vector<float>& samples) {
    a.mode = Mode::signal_only;
    a.ymin = 1e30f;
    a.ymax = -1e30f;
    int i = 1;
    for (float v : samples) {
        if (i > kMaxSamples) break;
        a.y[i] = v;
        a.approx[i] = v;
        if (v < a.ymin) a.ymin = v;
        if (v > a.ymax) a.ymax = v;
        ++i;
    }
    a.na = i - 1;
    a.scaleHeight = static_cast<double>(a.ymax) - a.ymin + 2.0;
}

std::optional<Message> read_signal(Analysis& a, const std::string& path) {
    TextFileRead read = read_text_file(path);
    if (!read.text) return read.failure;
    const std::string& text = *read.text;
    auto samples = parse_signal(text);
    if (!samples) return msg::file_error;
    load_signal(a, *samples);
    return std::nullopt;
}

} // namespace quillon
