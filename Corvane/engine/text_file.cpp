#include "text_file.h"

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
    if (path.empty()) return false;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return false;
    const std::string temporary = path + ".tmp~";
    // A file marked read-only is not replaced; a replaced file keeps its permissions.
    const std::filesystem::file_status previous = std::filesystem::status(path, ec);
    const bool replacing = !ec && std::filesystem::is_regular_file(previous);
    if (replacing && (previous.permissions() & std::filesystem::perms::owner_write) ==
                         std::filesystem::perms::none)
        return false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, ec);
            return false;
        }
    }
    if (replacing) std::filesystem::permissions(temporary, previous.permissions(), ec);
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
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

} // namespace corvane
