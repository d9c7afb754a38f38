// The state-transition-table file, then a parse of the example symbol string with it.
#include "quillon_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quillon::Cells cells;
    cells.fill("keep");
    const auto failure = quillon::read_table(cells, fuzz::as_file(fuzz::view(data, size)));
    if (failure) {
        for (const auto& cell : cells)
            FUZZ_CHECK(cell == "keep");
        return 0;
    }
    static const std::string symbols = "h,u,d,h,d,U,D,u,h,u,d,h,d,U,D\r\n";
    quillon::Analysis a;
    FUZZ_CHECK(!quillon::read_string(a, fuzz::as_file(symbols)));
    fuzz::parse_and_check(a, cells);
    return 0;
}
