#include "textfile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace textfile {

namespace {

namespace fs = std::filesystem;

// Most links followed from the target before giving up, as the system does.
constexpr int max_links = 40;
// Bytes of the target's name that go into its temporary file's name; the rest of the temporary
// name is short, so it fits the 255-byte limit whatever the target's length.
constexpr std::size_t name_bytes_kept = 64;

WriteResult failed(const std::string& path, int error) {
    return {false, path + ": " + std::strerror(error)};
}

// The file that `path` leads to: each symbolic link of the last component followed, relative
// links taken from the link's own folder. The path itself when it is not a link or missing.
std::string follow_links(const std::string& path, int& error) {
    fs::path current(path);
    for (int hops = 0; hops <= max_links; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current.string();
        std::string target(static_cast<std::size_t>(st.st_size) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0) {
            error = errno;
            return {};
        }
        target.resize(static_cast<std::size_t>(n));
        const fs::path next(target);
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    error = ELOOP;
    return {};
}

// A temporary name in `folder` for the target named `name`: a hidden file holding the start of
// the target's name (cut back to a whole UTF-8 character) and six characters mkstemp fills in.
std::string temporary_template(const fs::path& folder, const std::string& name) {
    std::size_t keep = std::min(name.size(), name_bytes_kept);
    while (keep > 0 && keep < name.size() &&
           (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;
    const std::string base = "." + name.substr(0, keep) + ".XXXXXX";
    return folder.empty() ? base : (folder / base).string();
}

mode_t new_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

bool write_all(int fd, std::string_view bytes, int& error) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void sync_folder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The new file is already in place; a folder that cannot be flushed changes nothing of that.
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

WriteResult write_replacing(const std::string& path, std::string_view bytes) {
    if (path.empty()) return {false, "no file name was given"};
    int error = 0;
    const std::string target = follow_links(path, error);
    if (target.empty()) return failed(path, error);

    struct stat previous {};
    bool replacing = false;
    if (::stat(target.c_str(), &previous) == 0) {
        if (S_ISDIR(previous.st_mode)) return failed(path, EISDIR);
        if (!S_ISREG(previous.st_mode)) return {false, path + ": not a regular file"};
        // Whether this user may change the file is the system's to say: ask it by trying.
        const int probe = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (probe < 0) return failed(path, errno);
        ::close(probe);
        replacing = true;
    } else if (errno != ENOENT) {
        return failed(path, errno);
    }

    const fs::path destination(target);
    const fs::path folder = destination.parent_path();
    std::string temporary = temporary_template(folder, destination.filename().string());
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return failed(folder.empty() ? std::string(".") : folder.string(), errno);

    auto abandon = [&](int why) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return failed(path, why);
    };
    if (!write_all(fd, bytes, error)) return abandon(error);
    const mode_t mode = replacing ? (previous.st_mode & 07777) : new_file_mode();
    // A file system without permissions leaves the temporary file's own (owner only).
    (void)::fchmod(fd, mode);
    if (replacing && (previous.st_uid != ::geteuid() || previous.st_gid != ::getegid())) {
        // Keep the owner where the system lets us (root); else at least the group.
        if (::fchown(fd, previous.st_uid, previous.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), previous.st_gid);
    }
    if (::fsync(fd) != 0) return abandon(errno);
    if (::close(fd) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        return failed(path, error);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        return failed(path, error);
    }
    sync_folder(folder);
    return {true, {}};
}

} // namespace textfile
