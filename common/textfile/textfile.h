// Whole-file writes that never destroy the previous file.
#pragma once

#include <string>
#include <string_view>

namespace textfile {

/// Writes `bytes` to a temporary file beside `path` and renames it over `path`, so the target is
/// replaced only by a complete file. A target marked read-only is not replaced; a replaced file
/// keeps its permissions. Returns false, leaving any previous file as it was and no temporary
/// file behind, when the path is empty or a folder, or the write or the rename fails.
bool write_replacing(const std::string& path, std::string_view bytes);

} // namespace textfile
