#include "text_file.h"

#include "textfile/textfile.h"

#include <filesystem>
#include <system_error>

namespace corvane {

std::string read_failure(const textfile::ReadResult& read, std::string_view message) {
    return read.status == textfile::ReadResult::Status::too_large
               ? with_reason(message, read.reason)
               : std::string(message);
}

std::optional<std::string> read_whole_file(const std::string& path, std::string_view message,
                                           ReadOutcome& outcome) {
    textfile::ReadResult read = textfile::read_whole(path, maior_ficheiro);
    if (read.ok()) return std::move(read.bytes);
    outcome.failure = read_failure(read, message);
    return std::nullopt;
}

std::optional<std::string> read_whole_file(const std::string& path) {
    ReadOutcome ignored;
    return read_whole_file(path, {}, ignored);
}

std::string with_reason(std::string_view message, const std::string& reason) {
    std::string text(message);
    if (!reason.empty()) text += "\n" + reason;
    return text;
}

textfile::WriteResult write_file_replacing(const std::string& path, std::string_view content) {
    return textfile::write_replacing(path, content);
}

std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        std::size_t next = end + 1;
        if (end < text.size() && text[end] == '\r' && next < text.size() && text[next] == '\n')
            ++next;
        lines.push_back(text.substr(start, end - start));
        start = next;
    }
    return lines;
}

std::string resolve_against(const std::string& path, const std::string& base_file) {
    if (path.empty() || base_file.empty()) return path;
    std::filesystem::path p(path);
    if (p.is_absolute()) return path;
    std::filesystem::path folder = std::filesystem::path(base_file).parent_path();
    if (folder.empty()) return path;
    return (folder / p).string();
}

std::string rebase_path(const std::string& path, const std::string& old_base_file,
                        const std::string& new_base_file) {
    namespace fs = std::filesystem;
    if (path.empty() || fs::path(path).is_absolute()) return path;
    std::error_code ec;
    auto folder_of = [&ec](const std::string& file) {
        return fs::absolute(file.empty() ? fs::path("x") : fs::path(file), ec)
            .parent_path()
            .lexically_normal();
    };
    const fs::path old_folder = folder_of(old_base_file);
    const fs::path new_folder = folder_of(new_base_file);
    if (ec || old_folder == new_folder) return path;
    const fs::path target = (old_folder / path).lexically_normal();
    const fs::path relative = target.lexically_relative(new_folder);
    return relative.empty() ? target.string() : relative.string();
}

} // namespace corvane
