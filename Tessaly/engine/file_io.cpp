#include "file_io.h"

#include "textfile/textfile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tessaly {

namespace fs = std::filesystem;

FileContents ReadWholeFile(const std::string& path, std::size_t limit) {
    FileContents out;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        out.failure = FileNotFoundFailure();
        return out;
    }
    if (!fs::is_regular_file(status)) {
        out.failure = FileAccessFailure();
        return out;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        out.failure = FileAccessFailure();
        return out;
    }
    // Read in pieces up to the limit rather than trusting the reported size.
    char buffer[1 << 16];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (out.bytes.size() + got > limit) {
            out.bytes.clear();
            out.failure = OutOfMemoryFailure();
            return out;
        }
        out.bytes.append(buffer, got);
    }
    if (in.bad()) {
        out.bytes.clear();
        out.failure = FileAccessFailure();
    }
    return out;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes) {
    return textfile::write_replacing(path, bytes);
}

} // namespace tessaly
