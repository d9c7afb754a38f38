#include "compute.h"

#include "numtext/numtext.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>

namespace pellin {
namespace {

constexpr const char* wrong = "Wrong Specifications";

// A setting box read as an integer: its leading number rounded, 0 when empty. Values far out of
// range are clamped, which keeps them out of range for the checks.
int setting(const std::string& text) {
    double v = std::clamp(numtext::leading_value(text), -1e9, 1e9);
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

std::optional<std::string> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // Read in pieces, so that a small file does not cost the whole limit in memory.
    std::string text;
    char piece[1 << 16];
    while (text.size() < max_file_bytes) {
        const std::size_t want = std::min(sizeof piece, max_file_bytes - text.size());
        in.read(piece, static_cast<std::streamsize>(want));
        text.append(piece, static_cast<std::size_t>(in.gcount()));
        if (static_cast<std::size_t>(in.gcount()) < want) break;
    }
    return text;
}

std::string completed_filename(const std::string& typed) {
    if (typed.empty() || typed.find('.') != std::string::npos) return typed;
    return typed + ".txt";
}

ComputeOutcome compute(const ComputeRequest& request, Report& report) {
    ComputeOutcome outcome;
    outcome.filename = completed_filename(request.filename);
    for (const char* label : result_labels)
        report.show(label, "");

    if (outcome.filename.empty()) {
        report.message(wrong, "Wrong Filename");
        return outcome;
    }
    std::error_code ec;
    const bool exists = std::filesystem::is_regular_file(outcome.filename, ec);
    std::optional<std::string> text = exists ? read_file(outcome.filename) : std::nullopt;
    if (!text) {
        report.message(wrong, "File not found");
        return outcome;
    }
    const PrototypeRead read = read_prototypes(*text);
    if (read.status == PrototypeRead::Status::no_header) {
        report.message(wrong, read_failure_message(read));
        return outcome;
    }
    const Prototypes& set = read.set;
    report.show("Label18", std::to_string(set.n));
    report.show("Label20", std::to_string(set.n1));
    report.show("Label22", std::to_string(set.n2()));
    report.show("Label29", std::to_string(set.d));

    const int k = setting(request.neighbours);
    const int p = setting(request.partitions);

    if (set.n < 4 || set.n > max_prototypes || set.n1 < 2 || set.n1 >= set.n) {
        report.message(wrong, "Wrong n or n1 read from the file");
        return outcome;
    }
    if (set.d < 1 || set.d > max_features) {
        report.message("Wrong Specification", "Wrong dimension read from the file");
        return outcome;
    }
    if (read.status != PrototypeRead::Status::ok) {
        report.message(wrong, read_failure_message(read));
        return outcome;
    }
    const int h = std::min(set.n1, set.n2());
    if (p < 2 || p > h) {
        report.message(wrong, "Wrong number of partitions");
        return outcome;
    }
    if (k < 1 || k >= h) {
        report.message(wrong, "Wrong number of neighbours");
        return outcome;
    }
    if (request.edition) {
        outcome.ok = editing_scheme(set, k, report);
    } else {
        partition_scheme(set, k, p, request.stepwise, report);
        outcome.ok = true;
    }
    return outcome;
}

} // namespace pellin
