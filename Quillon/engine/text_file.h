// Reading and writing whole text files, with untrusted input kept within bounds.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace quillon {

/// Most bytes of a file that are read; the analyser needs only the first few thousand fields,
/// so a longer file is read up to the last separator before this limit and the rest ignored.
inline constexpr std::size_t kReadLimit = 16u * 1024u * 1024u;

/// The text of the file at `path`, or nullopt when it cannot be opened or read, or when it
/// holds bytes no text file has (NUL and the other control characters except TAB, CR and LF).
/// A leading UTF-8 byte-order mark is dropped; an end-of-file mark (Ctrl-Z) ends the text.
/// At most `limit` bytes are read, cut back to the last line end, comma or blank.
std::optional<std::string> read_text_file(const std::string& path, std::size_t limit = kReadLimit);

/// As `read_text_file`, on text already in memory (what the file reader checks and trims).
std::optional<std::string> checked_text(std::string text, bool cut);

/// Writes `content` to `path` through a temporary file beside it that is then renamed over
/// the target, so a failed save leaves any previous file as it was. False on any failure.
bool write_text_file(const std::string& path, const std::string& content);

} // namespace quillon
