#include "text_file.h"

#include "textfile/textfile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace quillon {
namespace {

bool is_separator(char c) {
    return c == '\n' || c == '\r' || c == ',' || c == ' ' || c == '\t';
}

} // namespace

std::optional<std::string> checked_text(std::string text, bool cut) {
    if (cut) {
        // Keep whole fields only: prefer the last line end, else the last comma or blank.
        std::size_t end = text.find_last_of('\n');
        if (end == std::string::npos) {
            end = text.size();
            while (end > 0 && !is_separator(text[end - 1]))
                --end;
        } else {
            ++end;
        }
        text.resize(end);
    }
    if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    if (auto eof = text.find('\x1A'); eof != std::string::npos) text.resize(eof);
    for (char c : text) {
        auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\r' && c != '\n') || u == 0x7F) return std::nullopt;
    }
    return text;
}

std::optional<std::string> read_text_file(const std::string& path, std::size_t limit) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    auto size = std::filesystem::file_size(path, ec);
    if (ec) return std::nullopt;
    std::string text(static_cast<std::size_t>(std::min<std::uintmax_t>(size, limit + 1)), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return std::nullopt;
    text.resize(static_cast<std::size_t>(in.gcount()));
    bool too_long = text.size() > limit;
    if (too_long) text.resize(limit);
    return checked_text(std::move(text), too_long);
}

bool write_text_file(const std::string& path, const std::string& content) {
    return textfile::write_replacing(path, content);
}

} // namespace quillon
