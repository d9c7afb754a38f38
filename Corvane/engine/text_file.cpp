#include "text_file.h"

#include "textfile/textfile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace corvane {

std::optional<std::string> read_whole_file(const std::string& path) {
    if (path.empty()) return std::nullopt;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string content;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        content.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (content.size() > maior_ficheiro) return std::nullopt;
    }
    if (in.bad()) return std::nullopt;
    return content;
}

bool write_file_replacing(const std::string& path, std::string_view content) {
    return textfile::write_replacing(path, content);
}

std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.push_back(text.substr(start, stop - start));
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
