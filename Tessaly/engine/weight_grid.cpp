#include "weight_grid.h"

#include "text_header.h"

#include "numtext/general_form.h"
#include "numtext/numtext.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace tessaly {

namespace {

// Edits append to the buffer; once this much replaced text has piled up it is rebuilt.
constexpr std::size_t kCompactAbove = 16u * 1024u * 1024u;

// True when `value` rounds to a finite 32-bit float: a weight beyond that range would reach
// the network as infinity.
bool FitsSingle(double value) {
    return std::isfinite(static_cast<float>(value));
}

} // namespace

void WeightGrid::Reset(int rows, int columns) {
    rows_ = std::max(rows, 0);
    columns_ = std::max(columns, 0);
    buffer_.clear();
    replaced_ = 0;
    cells_.assign(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_), Span{});
}

WeightGrid::Span WeightGrid::Append(std::string_view text) {
    Span span{static_cast<std::uint32_t>(buffer_.size()), static_cast<std::uint32_t>(text.size())};
    buffer_.append(text);
    return span;
}

void WeightGrid::Compact() {
    std::string packed;
    std::unordered_map<std::uint64_t, Span> moved;
    for (Span& span : cells_) {
        const std::uint64_t key = (std::uint64_t{span.start} << 32) | span.length;
        auto found = moved.find(key);
        if (found == moved.end()) {
            Span fresh{static_cast<std::uint32_t>(packed.size()), span.length};
            packed.append(buffer_, span.start, span.length);
            found = moved.emplace(key, fresh).first;
        }
        span = found->second;
    }
    buffer_ = std::move(packed);
    replaced_ = 0;
}

void WeightGrid::LoadArray(const FloatMatrix& matrix) {
    if (matrix.empty()) return;
    Reset(matrix.rows(), matrix.columns());
    // Computed matrices hold only a few distinct values: their texts are written once.
    std::unordered_map<std::uint32_t, Span> written;
    const auto& values = matrix.values();
    for (std::size_t k = 0; k < values.size(); ++k) {
        const auto bits = std::bit_cast<std::uint32_t>(values[k]);
        auto found = written.find(bits);
        if (found != written.end()) {
            cells_[k] = found->second;
            continue;
        }
        const Span span = Append(numtext::general_form(values[k], 7));
        if (written.size() < 4096) written.emplace(bits, span);
        cells_[k] = span;
    }
}

std::string_view WeightGrid::Text(int i, int j) const {
    if (i < 0 || j < 0 || i >= rows_ || j >= columns_) return {};
    const Span span = cells_[Index(i, j)];
    return std::string_view(buffer_).substr(span.start, span.length);
}

int WeightGrid::LongestTextRow(int j) const {
    if (j < 0 || j >= columns_ || rows_ == 0) return -1;
    int longest = 0;
    for (int i = 1; i < rows_; ++i)
        if (cells_[Index(i, j)].length > cells_[Index(longest, j)].length) longest = i;
    return longest;
}

void WeightGrid::SetText(int i, int j, std::string_view text) {
    if (i < 0 || j < 0 || i >= rows_ || j >= columns_) return;
    replaced_ += cells_[Index(i, j)].length;
    if (replaced_ > kCompactAbove) Compact();
    cells_[Index(i, j)] = Append(text);
}

WeightEdit WeightGrid::Commit(int i, int j, std::string_view text, bool symmetric) {
    const WeightEdit check = CheckValue(text);
    if (check != WeightEdit::Stored) return check;
    SetText(i, j, text);
    if (symmetric) cells_[Index(j, i)] = cells_[Index(i, j)];
    return check;
}

WeightEdit WeightGrid::Initialise(std::string_view value) {
    const WeightEdit check = CheckValue(value);
    if (check != WeightEdit::Stored) return check;
    const int rows = rows_;
    const int columns = columns_;
    Reset(rows, columns);
    const Span fill = Append(numtext::general_form(ReadNumber(value), 15));
    const Span zero = Append("0");
    for (int i = 0; i < rows_; ++i)
        for (int j = 0; j < columns_; ++j)
            cells_[Index(i, j)] = i == j ? zero : fill;
    return check;
}

FloatMatrix WeightGrid::ToMatrix() const {
    FloatMatrix matrix(rows_, columns_);
    for (int i = 0; i < rows_; ++i)
        for (int j = 0; j < columns_; ++j)
            matrix(i, j) = static_cast<float>(ReadNumber(Text(i, j)));
    return matrix;
}

std::string WeightGrid::FileText() const {
    std::string text = "[" + std::to_string(rows_) + "X" + std::to_string(columns_) + "]";
    for (int i = 0; i < rows_; ++i) {
        text += "\r\n";
        for (int j = 0; j < columns_; ++j) {
            text += ' ';
            text += numtext::with_sign_position(ReadNumber(Text(i, j)), 15);
        }
    }
    return text;
}

std::optional<Failure> WeightGrid::LoadFileText(std::string_view bytes) {
    const std::string upper = UpperCase(bytes);
    MatrixHeader header;
    if (auto failure = ReadMatrixHeader(upper, header)) return failure;
    if (header.rows != rows_ || header.columns != columns_) return MatrixSizeFailure();
    const auto tokens = BodyTokens(upper, header.bodyStart, cells_.size());
    for (const auto& token : tokens)
        if (!FitsSingle(ReadNumber(token))) return OverflowFailure();
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        replaced_ += cells_[t].length;
        cells_[t] = Append(tokens[t]);
    }
    if (replaced_ > kCompactAbove) Compact();
    if (tokens.size() < cells_.size()) return FileStructureFailure();
    return std::nullopt;
}

std::string WeightGrid::NeuronLabel(int k, int columns) {
    columns = std::max(columns, 1);
    const int row = (k - 1) / columns + 1;
    const int column = k - (row - 1) * columns;
    return "(" + std::to_string(row) + " , " + std::to_string(column) + ")";
}

double WeightGrid::ReadNumber(std::string_view text) {
    // A number beyond the double range (a file may hold "1E400") reads as the largest double of
    // its sign: infinity would be saved as a text that reads back as 0.
    const double value = numtext::leading_value_plain(text);
    return std::clamp(value, -std::numeric_limits<double>::max(),
                      std::numeric_limits<double>::max());
}

WeightEdit WeightGrid::CheckValue(std::string_view text) {
    if (IsNumber(text))
        return FitsSingle(ReadNumber(text)) ? WeightEdit::Stored : WeightEdit::Overflow;
    // A number beyond even the double range ("1E400") fails IsNumber too, yet it is a number
    // that is too large rather than a slip of the keyboard.
    const bool numberCharacters = text.find_first_not_of(" +-.0123456789Ee") == text.npos;
    if (numberCharacters && std::isinf(numtext::leading_value_plain(text)))
        return WeightEdit::Overflow;
    return WeightEdit::NotANumber;
}

bool WeightGrid::IsNumber(std::string_view text) {
    return numtext::whole_number(text).has_value();
}

} // namespace tessaly
