// Whole-file reading and replace-when-complete writing of the program's text files.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// Largest file any reader of the program accepts (256 MiB); a larger one is refused.
inline constexpr std::size_t maior_ficheiro = 256u << 20;

/// The whole content of `path`, or nullopt when it cannot be opened, read, or is larger than
/// `maior_ficheiro`.
std::optional<std::string> read_whole_file(const std::string& path);

/// Writes `content` to a temporary file beside `path` and renames it over `path`, so the old
/// file is replaced only by a complete new one. False on any failure (the old file stays).
bool write_file_replacing(const std::string& path, std::string_view content);

/// The lines of `text`: each ends at LF, at CR LF, or at the end of the text; a final line end
/// does not start another (empty) line.
std::vector<std::string_view> split_lines(std::string_view text);

/// `path` as it is when absolute or when `base_file` is empty; otherwise `path` taken relative to
/// the folder of `base_file`.
std::string resolve_against(const std::string& path, const std::string& base_file);

/// `path`, taken relative to the folder of `old_base_file` (the current folder when that is
/// empty), as it must be written in `new_base_file` to name the same file: unchanged when empty,
/// absolute, or when both files lie in one folder; otherwise relative to the new folder, or
/// absolute when no relative path leads there.
std::string rebase_path(const std::string& path, const std::string& old_base_file,
                        const std::string& new_base_file);

} // namespace corvane
