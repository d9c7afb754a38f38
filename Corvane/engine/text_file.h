// Whole-file reading and replace-when-complete writing of the program's text files.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "textfile/textfile.h"

namespace corvane {

/// Largest file any reader of the program accepts (256 MiB); a larger one is refused.
inline constexpr std::size_t maior_ficheiro = textfile::max_read_bytes;

/// What a reader of the program's files tells its caller: nothing when the file was read, else
/// the message the caller shows (critical icon, the program's title) before it abandons what it
/// was doing.
struct ReadOutcome {
    std::string failure;
    bool ok() const { return failure.empty(); }
};

/// The whole content of the regular file `path` (a leading UTF-8 byte-order mark dropped);
/// anything else (a folder, a FIFO, a device) is refused without waiting, a file larger than
/// `maior_ficheiro` as too large. On a failure `outcome` gets `message`, followed on its own line
/// by the reason when the file is too large.
std::optional<std::string> read_whole_file(const std::string& path, std::string_view message,
                                           ReadOutcome& outcome);

/// The message a reader shows for the failed read `read` (not `ok`): `message`, followed on its
/// own line by the reason when the file is too large.
std::string read_failure(const textfile::ReadResult& read, std::string_view message);

/// As above, for a caller that has one message of its own for every failure: the content, or
/// nullopt.
std::optional<std::string> read_whole_file(const std::string& path);

/// `message`, then on its own line `reason` (when there is one).
std::string with_reason(std::string_view message, const std::string& reason);

/// Writes `content` so that the old file is replaced only by a complete new one (see
/// `textfile::write_replacing`). On a failure the old file stays and the result holds the
/// system's reason.
textfile::WriteResult write_file_replacing(const std::string& path, std::string_view content);

/// The lines of `text`: each ends at LF, at CR LF, at a CR not followed by LF, or at the end of
/// the text; a final line end does not start another (empty) line.
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
