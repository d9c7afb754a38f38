#include "compute.h"
#include "result_labels.h"

#include "numtext/numtext.h"

#include <algorithm>
#include <cmath>
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

textfile::ReadResult read_file(const std::string& path) {
    return textfile::read_whole(path, max_file_bytes);
}

std::string read_failure_message(const textfile::ReadResult& read) {
    switch (read.status) {
    case textfile::ReadResult::Status::missing:
        return "File not found";
    case textfile::ReadResult::Status::too_large:
        return "File too large (more than 256 MiB)";
    default:
        return "File cannot be read";
    }
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
    const textfile::ReadResult file = read_file(outcome.filename);
    if (!file.ok()) {
        report.message(wrong, read_failure_message(file));
        return outcome;
    }
    const PrototypeRead read = read_prototypes(file.bytes);
    if (read.status == PrototypeRead::Status::no_header ||
        read.status == PrototypeRead::Status::huge_header) {
        report.message(wrong, read_failure_message(read));
        return outcome;
    }
    const Prototypes& set = read.set;
    report.show(labels::n, std::to_string(set.n));
    report.show(labels::n1, std::to_string(set.n1));
    report.show(labels::n2, std::to_string(set.n2()));
    report.show(labels::d, std::to_string(set.d));

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
