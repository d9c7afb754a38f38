// Reading and writing whole text files, with untrusted input kept within bounds.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "messages.h"
#include "textfile/textfile.h"

namespace quillon {

/// Most bytes of a file that are read: a longer file is refused as too large, never cut.
inline constexpr std::size_t kReadLimit = textfile::max_read_bytes;

/// The text of a file, or the message that says why there is none.
struct TextFileRead {
    std::optional<std::string> text;
    Message failure = msg::file_error;
};

/// The text of the regular file at `path`. Fails with "File error" when it is missing, is not a
/// regular file (a folder, a FIFO, a device: refused without waiting), cannot be read, or holds
/// bytes no text file has (NUL and the other control characters except TAB, CR and LF); with
/// "File too large" when it has more than `limit` bytes. A leading UTF-8 byte-order mark is
/// dropped; an end-of-file mark (Ctrl-Z) ends the text.
TextFileRead read_text_file(const std::string& path, std::size_t limit = kReadLimit);

/// As `read_text_file`, on text already in memory (what the file reader checks and trims).
std::optional<std::string> checked_text(std::string text);

/// Writes `content` to `path` through a temporary file beside it that is then renamed over
/// the target, so a failed save leaves any previous file as it was. False on any failure.
bool write_text_file(const std::string& path, const std::string& content);

} // namespace quillon
