#include "pattern_file.h"

#include "file_io.h"
#include "text_header.h"

namespace tessaly {

std::string PatternFileText(const Pattern& pattern) {
    std::string text =
        "[" + std::to_string(pattern.rows()) + "X" + std::to_string(pattern.columns()) + "]";
    for (int r = 0; r < pattern.rows(); ++r) {
        text += "\r\n";
        for (int c = 0; c < pattern.columns(); ++c) {
            if (c > 0) text += ' ';
            text += pattern(r, c) == 1 ? '1' : '0';
        }
    }
    return text;
}

PatternLoad ParsePatternText(std::string_view bytes, const Pattern& current,
                             bool dimensionsLocked) {
    PatternLoad load;
    load.pattern = current;
    const std::string upper = UpperCase(bytes);
    MatrixHeader header;
    if (auto failure = ReadMatrixHeader(upper, header)) {
        load.failure = failure;
        return load;
    }
    if (header.rows < kMinDimension || header.rows > kMaxDimension ||
        header.columns < kMinDimension || header.columns > kMaxDimension) {
        load.failure = InvalidValueFailure();
        return load;
    }
    if (!dimensionsLocked) {
        load.resized = true;
        load.pattern = Pattern(header.rows, header.columns, -1);
    } else if (header.rows != current.rows() || header.columns != current.columns()) {
        load.failure = MatrixSizeFailure();
        return load;
    }
    const std::size_t cells = load.pattern.size();
    const auto tokens = BodyTokens(upper, header.bodyStart, cells);
    auto& values = load.pattern.values();
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        if (tokens[t] == "0")
            values[t] = -1;
        else if (tokens[t] == "1")
            values[t] = 1;
    }
    if (tokens.size() < cells) load.failure = FileStructureFailure();
    return load;
}

PatternLoad LoadPatternFile(const std::string& path, const Pattern& current,
                            bool dimensionsLocked) {
    FileContents file = ReadWholeFile(path);
    if (file.failure) {
        PatternLoad load;
        load.pattern = current;
        load.failure = file.failure;
        return load;
    }
    return ParsePatternText(file.bytes, current, dimensionsLocked);
}

} // namespace tessaly
