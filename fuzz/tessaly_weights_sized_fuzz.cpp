// The weights reader at the sizes of the editor a user actually has: the weights file of a
// pattern window (12 x 10 at start, as every example; a few other window sizes; rarely a large
// one). The input shapes the file rather than being it, so that nearly every run
// gets past the header into the rows:
//   byte 0   the window size (the largest window, 50 x 50, is 6.25 million cells: more than a
//            run may take under the sanitizers, so the rare large case is 20 x 20);
//   byte 1   the shape: bit 0 CR LF line ends (else LF), bit 1 a byte-order mark, bit 2 stop
//            where the input's words run out (else repeat them to fill every cell), bit 3 a
//            header one row off, bit 4 words after the last row, bit 5 a lower-case "x" in the
//            header, bit 6 an empty line between rows, bit 7 blanks and tabs mixed;
//   the rest the cell texts, separated by blanks or line ends.
#include "fuzz_support.h"

#include "engine/file_io.h"
#include "engine/weight_grid.h"

#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

// Pattern windows as users size them: rows x columns.
constexpr std::array<std::pair<int, int>, 8> window_sizes{
    {{12, 10}, {12, 10}, {12, 10}, {1, 1}, {2, 3}, {5, 5}, {8, 8}, {10, 10}}};

std::vector<std::string_view> cell_words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = text.find_first_not_of(" \t\r\n", pos);
        if (start == std::string_view::npos) break;
        std::size_t end = text.find_first_of(" \t\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        words.push_back(text.substr(start, end - start));
        pos = end;
    }
    return words;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const auto [rows, columns] =
        data[0] == 0xFF ? std::pair{20, 20} : window_sizes[data[0] % window_sizes.size()];
    const unsigned shape = data[1];
    const bool crlf = shape & 1u, bom = shape & 2u, stop_early = shape & 4u,
               header_off = shape & 8u, extra = shape & 16u, lower_x = shape & 32u,
               empty_lines = shape & 64u, tabs = shape & 128u;
    std::vector<std::string_view> words = cell_words(fuzz::view(data + 2, size - 2));
    if (words.empty()) words.push_back("0");

    const int n = rows * columns;
    const std::size_t cells = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
    const std::string eol = crlf ? "\r\n" : "\n";
    std::string file = bom ? "\xEF\xBB\xBF" : "";
    file += "[" + std::to_string(header_off ? n + 1 : n) + (lower_x ? "x" : "X") +
            std::to_string(n) + "]";
    std::size_t written = 0;
    for (int i = 0; i < n && !(stop_early && written >= words.size()); ++i) {
        file += eol;
        if (empty_lines && i > 0) file += eol;
        for (int j = 0; j < n && !(stop_early && written >= words.size()); ++j) {
            file += (tabs && (i + j) % 3 == 0) ? '\t' : ' ';
            file += words[written % words.size()];
            ++written;
        }
    }
    if (extra) file += eol + " 1 2 garbage";

    tessaly::WeightGrid grid;
    grid.LoadArray(tessaly::FloatMatrix(n, n, 0.5f));
    const tessaly::FileContents read = tessaly::ReadWholeFile(fuzz::as_file(file));
    FUZZ_CHECK(!read.failure);
    const auto failure = grid.LoadFileText(read.bytes);
    FUZZ_CHECK(grid.rows() == n && grid.columns() == n);
    const tessaly::FloatMatrix matrix = grid.ToMatrix();
    FUZZ_CHECK(matrix.rows() == n && matrix.columns() == n);
    if (header_off) {
        // Another size is refused before any cell changes.
        FUZZ_CHECK(failure.has_value());
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                FUZZ_CHECK(matrix(i, j) == 0.5f);
        return 0;
    }
    if (written < cells) {
        // Too few cells (unless the words after the rows make up for them).
        if (written + (extra ? 3 : 0) < cells) FUZZ_CHECK(failure.has_value());
        return 0;
    }
    // A whole file of cell texts that are all numbers a float holds loads, and every cell holds
    // the number of its text.
    bool all_numbers = true;
    for (std::size_t w = 0; w < words.size() && w < written; ++w)
        all_numbers =
            all_numbers && tessaly::WeightGrid::CheckValue(words[w]) == tessaly::WeightEdit::Stored;
    if (!all_numbers) {
        if (failure) FUZZ_CHECK(!failure->description.empty());
        return 0;
    }
    FUZZ_CHECK(!failure.has_value());
    for (std::size_t c = 0; c < cells; ++c) {
        const int i = static_cast<int>(c / static_cast<std::size_t>(n));
        const int j = static_cast<int>(c % static_cast<std::size_t>(n));
        const auto expected =
            static_cast<float>(tessaly::WeightGrid::ReadNumber(words[c % words.size()]));
        FUZZ_CHECK(matrix(i, j) == expected || (std::isnan(expected) && std::isnan(matrix(i, j))));
    }
    // What the editor saves reads back to the same texts.
    const std::string saved = grid.FileText();
    tessaly::WeightGrid again;
    again.LoadArray(tessaly::FloatMatrix(n, n));
    FUZZ_CHECK(!again.LoadFileText(saved));
    FUZZ_CHECK(again.FileText() == saved);
    return 0;
}
