// The prototype file: the reader on the raw text, then a whole "Compute" (both schemes) on the
// same bytes saved as a file, as the window runs it.
#include "fuzz_support.h"

#include "engine/compute.h"
#include "engine/prototypes.h"

#include <cmath>
#include <fstream>

namespace {

class CountingReport : public pellin::Report {
public:
    void show(std::string_view label, const std::string&) override {
        FUZZ_CHECK(!label.empty());
        ++shown;
    }
    void message(const std::string& title, const std::string& text) override {
        FUZZ_CHECK(!title.empty() && !text.empty());
        ++messages;
    }
    int shown = 0;
    int messages = 0;
};

void check_read(const pellin::PrototypeRead& read) {
    using Status = pellin::PrototypeRead::Status;
    const auto& set = read.set;
    const bool in_range = set.n >= 1 && set.n <= pellin::max_prototypes && set.d >= 1 &&
                          set.d <= pellin::max_features;
    if (read.status == Status::no_header) return;
    if (read.status == Status::huge_header) {
        FUZZ_CHECK(set.n == 0 && set.n1 == 0 && set.d == 0 && set.x.empty());
        FUZZ_CHECK(!pellin::read_failure_message(read).empty());
        return;
    }
    // Counts are whole numbers as read, within the exact range, so n2 never overflows.
    FUZZ_CHECK(std::abs(set.n) <= pellin::max_header_value &&
               std::abs(set.n1) <= pellin::max_header_value &&
               std::abs(set.d) <= pellin::max_header_value);
    if (!in_range) {
        FUZZ_CHECK(set.x.empty());
        return;
    }
    FUZZ_CHECK(set.x.size() == static_cast<std::size_t>(set.n));
    FUZZ_CHECK(read.values_read >= 0 && read.values_read <= set.n * set.d);
    if (read.status == Status::ok) {
        FUZZ_CHECK(read.values_read == set.n * set.d);
    } else {
        FUZZ_CHECK(!pellin::read_failure_message(read).empty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::view(data, size);
    const pellin::PrototypeRead read = pellin::read_prototypes(text);
    check_read(read);

    // The schemes only run on a file that passes the window's checks, so only such inputs pay
    // for a file and two computations.
    const auto& set = read.set;
    if (read.status != pellin::PrototypeRead::Status::ok || set.n < 4 ||
        set.n > pellin::max_prototypes || set.n1 < 2 || set.n1 >= set.n || set.d < 1 ||
        set.d > pellin::max_features)
        return 0;
    const std::string path = fuzz::scratch_folder() + "/prototypes.txt";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        FUZZ_CHECK(out.good());
    }
    for (const bool edition : {false, true}) {
        CountingReport report;
        pellin::ComputeRequest request{path, "1", "2", edition, !edition};
        const pellin::ComputeOutcome outcome = pellin::compute(request, report);
        FUZZ_CHECK(outcome.filename == path);
        FUZZ_CHECK(report.shown >= static_cast<int>(std::size(pellin::result_labels)));
        if (!outcome.ok) FUZZ_CHECK(report.messages > 0);
    }
    return 0;
}
