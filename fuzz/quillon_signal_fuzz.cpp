// The signal file, then the commands that work on the signal: both approximations, labelling,
// parsing with the example table, the segment list and its file text.
#include "quillon_support.h"

#include "engine/approximation.h"
#include "engine/labelling.h"
#include "engine/segment_list.h"
#include "engine/signal_file.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quillon::Analysis a;
    const auto failure = quillon::read_signal(a, fuzz::as_file(fuzz::view(data, size)));
    fuzz::check_analysis(a);
    if (failure) {
        FUZZ_CHECK(a.na == 0);
        return 0;
    }
    FUZZ_CHECK(a.na >= 1 && a.mode == quillon::Mode::signal_only);
    FUZZ_CHECK(a.ymin <= a.ymax);
    for (int i = 1; i <= a.na; ++i) {
        const float y = a.y[static_cast<std::size_t>(i)];
        FUZZ_CHECK(y >= a.ymin && y <= a.ymax);
    }
    static const quillon::Cells table = fuzz::example_table();
    for (int norm : {0, 1}) {
        quillon::Analysis b = a;
        if (quillon::approximate(b, "0.5", norm)) continue;
        fuzz::check_analysis(b);
        FUZZ_CHECK(b.nseg >= 1 && b.nseg < std::max(b.na, 2));
        if (quillon::CmdLabel(b, "1", "3")) continue;
        fuzz::check_analysis(b);
        for (int i = 1; i <= b.na; ++i) {
            const int s = b.segOfSample[static_cast<std::size_t>(i)];
            FUZZ_CHECK(s >= 1 && s <= b.nseg);
        }
        fuzz::parse_and_check(b, table);
        FUZZ_CHECK(!quillon::ShowList(b).empty());
        FUZZ_CHECK(!quillon::segment_file_text(b).empty());
    }
    return 0;
}
