// The weights-matrix file for an editor of N neurons. The input's first line holds N (1 to
// 100); the rest is the weights file.
#include "fuzz_support.h"

#include "engine/file_io.h"
#include "engine/weight_grid.h"

#include <algorithm>
#include <charconv>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::SettingsAndFile input = fuzz::split_settings(data, size);
    int n = 4;
    std::from_chars(input.settings.data(), input.settings.data() + input.settings.size(), n);
    n = std::clamp(n, 1, 100);

    tessaly::WeightGrid grid;
    grid.LoadArray(tessaly::FloatMatrix(n, n, 0.5f));
    const tessaly::FileContents file = tessaly::ReadWholeFile(fuzz::as_file(input.file));
    // The reader drops a UTF-8 byte-order mark and gives back every other byte.
    std::string_view expected = input.file;
    if (expected.starts_with("\xEF\xBB\xBF"))
        expected.remove_prefix(3);
    FUZZ_CHECK(!file.failure && file.bytes == expected);
    const auto failure = grid.LoadFileText(file.bytes);
    FUZZ_CHECK(grid.rows() == n && grid.columns() == n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            (void)grid.Text(i, j);
    const tessaly::FloatMatrix matrix = grid.ToMatrix();
    FUZZ_CHECK(matrix.rows() == n && matrix.columns() == n);
    if (failure) {
        FUZZ_CHECK(!failure->description.empty());
        return 0;
    }
    // The file written from the grid reads back into the same file text.
    const std::string text = grid.FileText();
    tessaly::WeightGrid again;
    again.LoadArray(tessaly::FloatMatrix(n, n));
    FUZZ_CHECK(!again.LoadFileText(text));
    FUZZ_CHECK(again.FileText() == text);
    return 0;
}
