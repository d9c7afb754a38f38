#include "text_header.h"

#include "numtext/numtext.h"

namespace tessaly {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

std::optional<Failure> ReadDimension(std::string_view text, std::int16_t& value) {
    const std::optional<double> number = numtext::whole_number(text);
    if (!number) return TypeMismatchFailure();
    const std::optional<std::int16_t> whole = numtext::to_int16(*number);
    if (!whole) return OverflowFailure();
    value = *whole;
    return std::nullopt;
}

} // namespace

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::optional<Failure> ReadMatrixHeader(std::string_view upper, MatrixHeader& header) {
    const std::size_t p1 = upper.find('[');
    if (p1 == std::string_view::npos) return FileStructureFailure();
    const std::size_t p2 = upper.find('X', p1);
    if (p2 == std::string_view::npos) return FileStructureFailure();
    const std::size_t p3 = upper.find(']', p2);
    if (p3 == std::string_view::npos) return FileStructureFailure();
    if (auto failure = ReadDimension(upper.substr(p1 + 1, p2 - p1 - 1), header.rows))
        return failure;
    if (auto failure = ReadDimension(upper.substr(p2 + 1, p3 - p2 - 1), header.columns))
        return failure;
    header.bodyStart = p3 + 1;
    return std::nullopt;
}

std::vector<std::string_view> BodyTokens(std::string_view text, std::size_t from, std::size_t max) {
    std::vector<std::string_view> tokens;
    std::size_t i = from;
    while (i < text.size() && tokens.size() < max) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i]))
            ++i;
        if (i > start) tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

} // namespace tessaly
