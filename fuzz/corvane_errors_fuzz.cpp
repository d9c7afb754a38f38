// The errors file of a run, as the error chart reads it back.
#include "fuzz_support.h"

#include "engine/errors_file.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto values = corvane::le_ficheiro_erros(fuzz::as_file(fuzz::view(data, size)));
    if (!values) return 0;
    FUZZ_CHECK(values->size() <= corvane::max_valores_erros);
    for (float v : *values)
        FUZZ_CHECK(!std::isnan(v));
    return 0;
}
