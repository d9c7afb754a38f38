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

namespace {

// Opens the regular file at `path` for reading, after the looks that keep the reader from
// blocking and the size check: the descriptor, or -1 with `failed` set.
int open_regular(const std::string& path, std::size_t limit, ReadResult& failed) {
    using Status = ReadResult::Status;
    if (path.empty()) {
        failed = failure(Status::missing, path, ENOENT);
        return -1;
    }
    // What the path leads to is looked at before it is opened: opening a FIFO for reading
    // waits for a writer.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int error = errno;
        failed = failure(error == ENOENT || error == ENOTDIR ? Status::missing : Status::unreadable,
                         path, error);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        failed = failure(Status::not_regular, path, "not a regular file");
        return -1;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > limit) {
        failed = too_large(path, limit);
        return -1;
    }
    // Non-blocking, in case the path was swapped for a FIFO since it was looked at; the second
    // look is at what was opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        failed = failure(Status::unreadable, path, errno);
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        failed = S_ISREG(st.st_mode) ? failure(Status::unreadable, path, errno)
                                     : failure(Status::not_regular, path, "not a regular file");
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

ReadResult read_whole(const std::string& path, std::size_t limit) {
    using Status = ReadResult::Status;
    ReadResult r;
    const int fd = open_regular(path, limit, r);
    if (fd < 0) return r;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) return failure(Status::unreadable, path, errno);

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

PieceReader::PieceReader(const std::string& path, std::size_t limit) : path_(path), limit_(limit) {
    fd_ = open_regular(path, limit, status_);
    if (fd_ >= 0) status_.status = ReadResult::Status::ok;
}

PieceReader::~PieceReader() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t PieceReader::read_more(std::string& out, std::size_t max) {
    if (fd_ < 0 || !status_.ok() || max == 0) return 0;
    const std::size_t start = out.size();
    out.resize(start + max);
    std::size_t got = 0;
    // The first piece holds the whole mark, if the file starts with one.
    while (got < max && (got == 0 || (!started_ && got < 3))) {
        const ssize_t n = ::read(fd_, out.data() + start + got, max - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            status_ = failure(ReadResult::Status::unreadable, path_, errno);
            break;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    total_ += got;
    if (status_.ok() && total_ > limit_) status_ = too_large(path_, limit_);
    if (!status_.ok()) got = 0;
    out.resize(start + got);
    if (!started_ && got > 0) {
        started_ = true;
        if (std::string_view(out).substr(start).starts_with("\xEF\xBB\xBF")) {
            out.erase(start, 3);
            got -= 3;
        }
    }
    return got;
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
