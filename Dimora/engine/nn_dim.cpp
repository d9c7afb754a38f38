#include "nn_dim.h"

#include <optional>

#include "checked.h"
#include "mlp_size.h"
#include "numtext/numtext.h"

namespace dimora {
namespace {

constexpr const char* kSpecifications = "Specifications";

// A box read as a 16-bit integer: its leading number rounded to nearest; nullopt when the value
// does not fit in 16 bits.
std::optional<std::int16_t> readInt16(const std::string& text) {
    return numtext::to_int16(numtext::leading_value(text));
}

void refuse(NNDimView& view, const std::string& field, const std::string& text) {
    view.message(kSpecifications, text);
    view.focusAndSelect(field);
}

std::string refusedUnitsText() {
    return unitsFailureText(OverflowFailure());
}

// The weight count h(d + 1) + h + 1 and the unit count h + 1 of a row, in 16-bit arithmetic;
// false when either leaves the 16-bit range.
bool rowFits(std::int16_t d, std::int16_t h) {
    try {
        weightCount(d, h);
        add16(h, 1);
        return true;
    } catch (const Failure&) {
        return false;
    }
}

} // namespace

bool nnDimKeyAccepted(const std::string& field, char c) {
    if (c >= '0' && c <= '9') return true;
    return c == '.' && (field == "Txte" || field == "Txta");
}

bool computeNNDim(NNDimView& view) {
    // Dimension.
    std::int16_t d = 0;
    if (const std::string t = view.text("Txtd"); !t.empty()) {
        auto v = readInt16(t);
        d = v ? *v : std::int16_t{-1};
    }
    if (d <= 0) {
        refuse(view, "Txtd", "Wrong dimension !");
        return false;
    }

    // Range of hidden units.
    std::int16_t first = 1;
    if (const std::string t = view.text("Txth1"); t.empty()) {
        view.setText("Txth1", "1");
    } else if (auto v = readInt16(t)) {
        first = *v;
    } else {
        refuse(view, "Txth1", refusedUnitsText());
        return false;
    }
    std::int16_t last = first;
    if (const std::string t = view.text("Txth2"); t.empty()) {
        view.setText("Txth2", std::to_string(first));
    } else if (auto v = readInt16(t)) {
        last = *v;
    } else {
        refuse(view, "Txth2", refusedUnitsText());
        return false;
    }

    // Training error and confidence level.
    float eps = 0.0f;
    if (const std::string t = view.text("Txte"); !t.empty())
        eps = static_cast<float>(numtext::leading_value(t));
    if (!(eps != 0.0f && eps <= 0.5f)) {
        refuse(view, "Txte", "Wrong error value !");
        return false;
    }
    float alpha = 0.05f;
    if (const std::string t = view.text("Txta"); t.empty())
        view.setText("Txta", "0.05");
    else
        alpha = static_cast<float>(numtext::leading_value(t));
    if (!(alpha > 0.0f && alpha < 1.0f)) {
        refuse(view, "Txta", "Wrong confidence level !");
        return false;
    }

    // A weight count beyond 16 bits cannot be tabulated: refuse the range before any row.
    // The count is linear in h, so the two ends of the range decide.
    if (first <= last && (!rowFits(d, first) || !rowFits(d, last))) {
        refuse(view, rowFits(d, first) ? "Txth2" : "Txth1", refusedUnitsText());
        return false;
    }

    view.clearLists();
    MlpSize size(
        [&view](const std::string& title, const std::string& text) { view.message(title, text); });
    size.d = d;
    size.eps = eps;
    size.alpha = alpha;
    for (int h = first; h <= last; ++h) {
        size.h = static_cast<std::int16_t>(h);
        const int weights = weightCount(d, size.h); // fits: the range was checked above
        view.addRow("ListUW", std::to_string(h + 1) + " : " + std::to_string(weights));
        std::int32_t regions = 0;
        try {
            regions = size.MaxDicot();
        } catch (const Failure& f) {
            view.message("Funtion MaxDicot", unitsFailureText(f));
        }
        view.addRow("ListND", std::to_string(regions));
        view.addRow("ListVCDl", std::to_string(size.VCDl()));
        view.addRow("ListVCDu", std::to_string(size.VCDu()));
        view.addRow("ListLB", std::to_string(size.LowB()));
        view.addRow("ListUB", std::to_string(size.UpB()));
    }
    return true;
}

} // namespace dimora
