#include "textfile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace textfile {

namespace {

ReadResult failure(ReadResult::Status status, const std::string& path, const char* reason) {
    ReadResult r;
    r.status = status;
    r.reason = path + ": " + reason;
    return r;
}

ReadResult failure(ReadResult::Status status, const std::string& path, int error) {
    return failure(status, path, std::strerror(error));
}

ReadResult too_large(const std::string& path, std::size_t limit) {
    return failure(ReadResult::Status::too_large, path,
                   ("larger than " + std::to_string(limit >> 20) + " MiB").c_str());
}

} // namespace

ReadResult read_whole(const std::string& path, std::size_t limit) {
    using Status = ReadResult::Status;
    if (path.empty()) return failure(Status::missing, path, ENOENT);
    // What the path leads to is looked at before it is opened: opening a FIFO for reading
    // waits for a writer.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int error = errno;
        return failure(error == ENOENT || error == ENOTDIR ? Status::missing : Status::unreadable,
                       path, error);
    }
    if (!S_ISREG(st.st_mode)) return failure(Status::not_regular, path, "not a regular file");
    if (static_cast<std::uintmax_t>(st.st_size) > limit) return too_large(path, limit);

    // Non-blocking, in case the path was swapped for a FIFO since it was looked at; the second
    // look is at what was opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return failure(Status::unreadable, path, errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &st) != 0) return failure(Status::unreadable, path, errno);
    if (!S_ISREG(st.st_mode)) return failure(Status::not_regular, path, "not a regular file");

    ReadResult r;
    // The size seen is a hint only: a file that grows while it is read is still held to the
    // limit.
    r.bytes.resize(std::min(static_cast<std::size_t>(st.st_size), limit) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == r.bytes.size()) {
            if (used > limit) return too_large(path, limit);
            r.bytes.resize(std::min(used * 2, limit + 1));
        }
        const ssize_t n = ::read(fd, r.bytes.data() + used, r.bytes.size() - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            return failure(Status::unreadable, path, errno);
        }
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    if (used > limit) return too_large(path, limit);
    r.bytes.resize(used);
    if (r.bytes.starts_with("\xEF\xBB\xBF")) r.bytes.erase(0, 3);
    r.status = Status::ok;
    return r;
}

bool looks_wide(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return true;
    if (bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4))) return true;
    // Text without a mark: UTF-16 of plain characters has a NUL in every other byte.
    const std::string_view head = bytes.substr(0, std::min<std::size_t>(bytes.size(), 64));
    if (head.size() < 4) return false;
    std::size_t odd_nuls = 0, even_nuls = 0;
    for (std::size_t i = 0; i < head.size(); ++i)
        (i % 2 ? odd_nuls : even_nuls) += head[i] == '\0';
    const std::size_t pairs = head.size() / 2;
    return odd_nuls + 1 >= pairs || even_nuls + 1 >= pairs;
}

} // namespace textfile
