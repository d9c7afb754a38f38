// The symbol-string file, then a parse of the symbols with the example table.
#include "quillon_support.h"

#include "engine/segment_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quillon::Analysis a;
    const auto failure = quillon::read_string(a, fuzz::as_file(fuzz::view(data, size)));
    fuzz::check_analysis(a);
    if (failure) {
        FUZZ_CHECK(a.nseg == 0 && a.mode == quillon::Mode::signal_only);
        return 0;
    }
    FUZZ_CHECK(a.mode == quillon::Mode::string_read);
    static const quillon::Cells table = fuzz::example_table();
    fuzz::parse_and_check(a, table);
    (void)quillon::ShowList(a);
    (void)quillon::segment_file_text(a);
    return 0;
}
