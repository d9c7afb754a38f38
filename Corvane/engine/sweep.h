// Sweeps: a base project varied over lists of setting values. A sweep file holds one line
// `caption = value, value, ...` per varied setting (the captions of the project window, plus
// "Seeds"); its expansion is the cross product of the lists, one project per combination.
#pragma once

#include "settings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum class SettingKind { real, whole, method, crossover, flag };

/// A setting a sweep can vary and a summary reports, named by its caption.
struct SweepSetting {
    std::string_view caption; ///< as written in a sweep file and a summary's header
    std::string_view tag;     ///< its short name in the names of expanded projects
    SettingKind kind;
    int index; ///< the text slot (real, whole) or the `Check1` index (flag)
};

/// Every setting a sweep can vary, in the order of a summary's columns.
extern const std::array<SweepSetting, 16> sweep_settings;

/// The setting whose caption is `key` (case, blanks and a final ":" do not matter).
const SweepSetting* find_sweep_setting(std::string_view key);

/// The value of setting `s` in `d`, as a sweep file writes it: the slot's text for numbers, the
/// option's caption for the method and the crossover ("" when no crossover is ticked), "yes" or
/// "no" for a flag.
std::string setting_text(const definicoes_projecto& d, const SweepSetting& s);

/// Puts `value`, a value accepted by `parse_sweep`, into `d`.
void set_setting(definicoes_projecto& d, const SweepSetting& s, const std::string& value);

/// One line of a sweep file: a setting (nullptr for "Seeds") and its values in order.
struct SweepAxis {
    const SweepSetting* setting = nullptr;
    std::vector<std::string> values;
};

struct Sweep {
    std::vector<SweepAxis> axes;
    /// The number of projects of the expansion (the product of the list sizes; saturates at
    /// SIZE_MAX).
    std::size_t runs() const;
    bool has_seeds() const;
    /// True when a line varies the network (the neurons of a layer or the linear output layer).
    bool varies_network() const;
};

/// Reads the text of a sweep file. Blank lines and text after "#" are ignored; each other line
/// is `caption = v1, v2, ...`. Whole numbers (neurons, population, iterations, seeds) may be
/// given as ranges `a..b`. nullopt with `error` naming the line when a line cannot be read: no
/// "=", an unknown or repeated caption, an empty or repeated value, a value the setting cannot
/// take.
std::optional<Sweep> parse_sweep(std::string_view text, std::string& error);

/// One project of an expansion.
struct SweepRun {
    std::string name;                ///< file name stem: the base's stem, then tag-value pairs
    std::vector<std::string> values; ///< the value of each axis, in the axes' order
    std::optional<std::uint32_t> seed;
};

/// The cross product of the sweep's lists, the first line varying slowest. Each project is
/// named `<base_stem>_<tag>-<value>...` over the axes (a sweep without lines gives one project
/// named after the base). Deterministic: the same sweep always gives the same list.
std::vector<SweepRun> expand_sweep(const Sweep& sweep, const std::string& base_stem);

} // namespace corvane
