#include "textfile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace textfile {

bool write_replacing(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    if (path.empty()) return false;
    const fs::path target(path);
    std::error_code status_error;
    const fs::file_status previous = fs::status(target, status_error);
    if (!status_error && fs::is_directory(previous)) return false;
    const bool replacing = !status_error && fs::is_regular_file(previous);
    if (replacing && (previous.permissions() & fs::perms::owner_write) == fs::perms::none)
        return false;
    fs::path temporary = target;
    temporary += ".tmp~";
    std::error_code ignored;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close(); // some file systems report a failed write only when the file is closed
        if (!out) {
            fs::remove(temporary, ignored);
            return false;
        }
    }
    if (replacing) fs::permissions(temporary, previous.permissions(), ignored);
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace textfile
