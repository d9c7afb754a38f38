// The Compute command of the MLP size calculator: reads the five specification boxes, checks
// them and fills the six result lists row by row.
#pragma once

#include <cstdint>
#include <string>

namespace dimora {

/// What the calculator's window does on the calculator's behalf. Field names are the boxes'
/// names ("Txtd", "Txth1", "Txth2", "Txte", "Txta"), list names the lists' ("ListUW", "ListND",
/// "ListVCDl", "ListVCDu", "ListLB", "ListUB").
class NNDimView {
public:
    virtual ~NNDimView() = default;
    virtual std::string text(const std::string& field) const = 0;
    virtual void setText(const std::string& field, const std::string& text) = 0;
    /// Puts the focus in a box and selects its text.
    virtual void focusAndSelect(const std::string& field) = 0;
    virtual void message(const std::string& title, const std::string& text) = 0;
    virtual void clearLists() = 0;
    virtual void addRow(const std::string& list, const std::string& row) = 0;
};

/// The six lists in the order a row is added to them.
inline constexpr const char* kResultLists[] = {"ListUW",   "ListND", "ListVCDl",
                                               "ListVCDu", "ListLB", "ListUB"};

/// True when `c` may be typed into `field`: digits everywhere, "." in Txte and Txta.
bool nnDimKeyAccepted(const std::string& field, char c);

/// Runs the Compute command against the view. Returns false when an input was refused with a
/// message (nothing computed, the lists keep their rows); true when the rows were computed,
/// even if some of the size functions reported failures on the way.
bool computeNNDim(NNDimView& view);

} // namespace dimora
