#include "file_io.h"

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
    if (path.empty()) return false;
    const fs::path target(path);
    fs::path temporary = target;
    temporary += ".tmp~";
    // A file marked read-only is not replaced; a replaced file keeps its permissions.
    std::error_code status_error;
    const fs::file_status previous = fs::status(target, status_error);
    const bool replacing = !status_error && fs::is_regular_file(previous);
    if (replacing && (previous.permissions() & fs::perms::owner_write) == fs::perms::none)
        return false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close(); // some file systems report a failed write only when the file is closed
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code ec;
    if (replacing) fs::permissions(temporary, previous.permissions(), ec);
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace tessaly
