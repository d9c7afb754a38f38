// The cell texts of the synaptic-weights editor and the weights file.
#pragma once

#include "array2d.h"
#include "failure.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

/// What became of a value typed into a cell or the initialisation box.
enum class WeightEdit {
    Stored,     ///< a number a 32-bit float holds: taken
    NotANumber, ///< not a number: nothing changes, silently
    Overflow,   ///< a number beyond the single-precision range: nothing changes, "6  : Overflow"
};

/// An N x N table of weight texts, as the editor shows and edits them. The texts live in one
/// shared buffer (identical texts share it), so a 2500-neuron matrix stays affordable.
class WeightGrid {
public:
    int rows() const { return rows_; }
    int columns() const { return columns_; }
    bool empty() const { return rows_ == 0 || columns_ == 0; }

    /// Takes the size of `matrix` and fills cell (i, j) with the text of matrix(i, j): at most
    /// 7 significant digits, "." as the decimal point, "0" before it. A matrix with no elements
    /// changes nothing.
    void LoadArray(const FloatMatrix& matrix);

    std::string_view Text(int i, int j) const;
    void SetText(int i, int j, std::string_view text);

    /// The row of the longest text of column `j` (the first of equal length); -1 when the
    /// column does not exist. The editor fits a column's width to that text.
    int LongestTextRow(int j) const;

    /// Stores an edited text in cell (i, j), and in (j, i) too when `symmetric`. A text that is
    /// not a number, or a number no 32-bit float holds, changes nothing.
    WeightEdit Commit(int i, int j, std::string_view text, bool symmetric);

    /// Every cell gets ReadNumber(`value`) with up to 15 significant digits, and every diagonal
    /// cell "0". A `value` that is not a number, or beyond the float range, changes nothing.
    WeightEdit Initialise(std::string_view value);

    /// M(i, j) = ReadNumber(cell (i, j)) as single precision.
    FloatMatrix ToMatrix() const;

    /// The weights file: "[" R "X" C "]", then for each row CR LF and, for each cell, a blank and
    /// ReadNumber(cell) with a sign position (up to 15 significant digits). No final line end.
    std::string FileText() const;

    /// Reads weights file text: the header must give this grid's size (else "Load File Error
    /// (Matrix Size is diferent)"), then the tokens become the cell texts row by row, unchanged
    /// (upper-cased). Too few tokens: "Load File Error (File Structure)"; cells set before a
    /// failure keep their new text. A token whose number no 32-bit float holds gives "Overflow"
    /// before any cell changes.
    std::optional<Failure> LoadFileText(std::string_view bytes);

    /// The label of neuron k (1-based) of a pattern with `columns` columns: "(row , column)",
    /// both 1-based.
    static std::string NeuronLabel(int k, int columns);

    /// The leading number of a cell text: leading blanks skipped, optional sign, digits with "."
    /// as the decimal point, optional exponent; no number gives 0, a number beyond the double
    /// range the largest double of its sign.
    static double ReadNumber(std::string_view text);

    /// How a typed text stands as a weight: the whole text must be a number (`IsNumber`), and
    /// ReadNumber of it must round to a finite 32-bit float.
    static WeightEdit CheckValue(std::string_view text);

    /// True when the whole text (blanks around it allowed) is a number: optional sign, digits
    /// with at most one ".", optional exponent. A text with "," is not a number.
    static bool IsNumber(std::string_view text);

private:
    struct Span {
        std::uint32_t start = 0;
        std::uint32_t length = 0;
    };
    Span Append(std::string_view text);
    std::size_t Index(int i, int j) const {
        return static_cast<std::size_t>(i) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(j);
    }
    void Reset(int rows, int columns);
    void Compact();

    int rows_ = 0;
    int columns_ = 0;
    std::string buffer_;
    std::size_t replaced_ = 0; ///< bytes of texts no cell may use any more
    std::vector<Span> cells_;
};

} // namespace tessaly
