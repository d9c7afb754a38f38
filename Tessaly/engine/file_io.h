// Reading a file whole and replacing a file safely.
#pragma once

#include "failure.h"

#include "textfile/textfile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

/// Files larger than this are refused (a full weights file of 2500 x 2500 values written with
/// 15 digits stays well below it).
constexpr std::size_t kMaxFileBytes = textfile::max_read_bytes;

struct FileContents {
    std::string bytes;
    std::optional<Failure> failure; ///< set when the file could not be read
};

/// The whole file as 8-bit text, a leading UTF-8 byte-order mark dropped. Failures: missing
/// file "File not found"; a folder, a FIFO, a device or an unreadable file "Path/File access
/// error" (at once: nothing is waited for); a file over `limit` bytes "Load File Error (File
/// too large)".
FileContents ReadWholeFile(const std::string& path, std::size_t limit = kMaxFileBytes);

/// Writes `bytes` to a temporary file beside `path` and renames it over `path`, so a failed
/// save leaves the previous file as it was. False on any failure.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

/// As `WriteFileReplacing`, for a save the person asked for: nothing when the file was
/// written, else "75  : Path/File access error (<path>: <the system's reason>)" (the reason
/// naming the folder first when the folder refused the new file).
std::optional<Failure> SaveFile(const std::string& path, std::string_view bytes);

} // namespace tessaly
