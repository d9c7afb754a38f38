#include "text_file.h"

#include "textfile/textfile.h"

#include <utility>

namespace quillon {

std::optional<std::string> checked_text(std::string text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    if (auto eof = text.find('\x1A'); eof != std::string::npos) text.resize(eof);
    for (char c : text) {
        auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\r' && c != '\n') || u == 0x7F) return std::nullopt;
    }
    return text;
}

TextFileRead read_text_file(const std::string& path, std::size_t limit) {
    TextFileRead out;
    textfile::ReadResult read = textfile::read_whole(path, limit);
    if (read.status == textfile::ReadResult::Status::too_large)
        out.failure = msg::file_too_large;
    else if (read.ok())
        out.text = checked_text(std::move(read.bytes));
    return out;
}

bool write_text_file(const std::string& path, const std::string& content) {
    return textfile::write_replacing(path, content);
}

} // namespace quillon
