// The analyser's working state: the signal, its segments, their symbols and parser states.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillon {

/// Most samples a signal keeps, and most segments or symbols.
inline constexpr int kMaxSamples = 2000;

/// What the analysis holds, which decides what the segment list shows and how the
/// approximation curve is coloured. Each command moves it as its comment says.
enum class Mode : std::int16_t {
    signal_only = 0,   ///< a signal read, no segments yet
    approximated = 1,  ///< segments from an approximation, with lengths and slopes
    labelled = 2,      ///< those segments with a symbol each
    parsed = 3,        ///< those symbols with the parser's state at each
    string_read = -2,  ///< symbols read from a file, without segments
    string_parsed = -3 ///< those symbols with the parser's state at each
};

/// Segments from an approximation, with their lengths and slopes: approximated, labelled or
/// parsed.
constexpr bool has_segments(Mode m) {
    return m == Mode::approximated || m == Mode::labelled || m == Mode::parsed;
}
/// A symbol per segment: labelled, parsed, or a symbol string read or parsed.
constexpr bool has_symbols(Mode m) {
    return m == Mode::labelled || m == Mode::parsed || m == Mode::string_read ||
           m == Mode::string_parsed;
}
/// A parser state per symbol: parsed or string_parsed.
constexpr bool has_states(Mode m) {
    return m == Mode::parsed || m == Mode::string_parsed;
}

/// The norm chosen for the approximation error; any other value makes every error 0.
inline constexpr int kChebychev = 1;
inline constexpr int kEuclidian = 2;

/// A message box: its title and text.
struct Message {
    std::string title;
    std::string text;
    bool operator==(const Message&) const = default;
};

/// Everything the window keeps between commands. Arrays are 1-based (index 0 is unused) and
/// always hold kMaxSamples + 1 entries, so a value read once stays until it is overwritten.
struct Analysis {
    std::vector<float> y = std::vector<float>(kMaxSamples + 1, 0.0f);
    std::vector<float> approx = std::vector<float>(kMaxSamples + 1, 0.0f);
    std::vector<float> segSlope = std::vector<float>(kMaxSamples + 1, 0.0f);
    std::vector<float> segLength = std::vector<float>(kMaxSamples + 1, 0.0f);
    std::vector<std::int16_t> segOfSample = std::vector<std::int16_t>(kMaxSamples + 1, 0);
    std::vector<std::string> symbol = std::vector<std::string>(kMaxSamples + 1);
    std::vector<std::string> state = std::vector<std::string>(kMaxSamples + 1);
    int na = 0;            ///< samples read
    std::int16_t nseg = 0; ///< segments or symbols
    Mode mode = Mode::signal_only;
    float ymin = 0.0f;        ///< smallest sample
    float ymax = 0.0f;        ///< largest sample
    double scaleHeight = 1.0; ///< height of the drawing's user scale (width is 1000)
    int drawWidth = 1;        ///< the drawing's pen width, kept from one redraw to the next
};

} // namespace quillon
