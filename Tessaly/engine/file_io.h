// Reading a file whole and replacing a file safely.
#pragma once

#include "failure.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

/// Files larger than this are refused (a full weights file of 2500 x 2500 values written with
/// 15 digits stays well below it).
constexpr std::size_t kMaxFileBytes = 256u * 1024u * 1024u;

struct FileContents {
    std::string bytes;
    std::optional<Failure> failure; ///< set when the file could not be read
};

/// The whole file as 8-bit text. Failures: missing file "File not found", a folder or an
/// unreadable file "Path/File access error", a file over `limit` bytes "Out of memory".
FileContents ReadWholeFile(const std::string& path, std::size_t limit = kMaxFileBytes);

/// Writes `bytes` to a temporary file beside `path` and renames it over `path`, so a failed
/// save leaves the previous file as it was. False on any failure.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

} // namespace tessaly
