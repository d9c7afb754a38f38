// Whole-file writes that never destroy the previous file, and whole-file reads that never hang.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace textfile {

/// The outcome of a save: `ok`, or the reason it failed as the system gave it, in the form
/// "<path>: <reason>" (for example "/tmp/x.wgt: Permission denied").
struct WriteResult {
    bool ok = false;
    std::string reason;
    // A save is used as a yes/no answer wherever its reason is not shown.
    operator bool() const { return ok; } // NOLINT(google-explicit-constructor)
};

/// Writes `bytes` to a new temporary file of a unique name in the target's folder (created
/// exclusively, so nothing planted there is ever written through), flushes it to the disk,
/// renames it over the target and flushes the folder, so the target is replaced only by a
/// complete file and two saves of one target at once each land whole (the last rename wins).
///
/// A target that is a symbolic link stays a link: the file it leads to is replaced. A replaced
/// file keeps its permissions (and its owner and group where the system allows); a new file
/// gets the usual permissions of a new file. Whether the target may be replaced is found by
/// trying to open it for writing, not from its permission bits. Fails, leaving any previous
/// file as it was and no temporary file behind, when the path is empty, names a folder or
/// something other than a regular file, or the folder or file cannot be written.
WriteResult write_replacing(const std::string& path, std::string_view bytes);

/// Largest file any reader of the suite accepts: 256 MiB. A larger file is refused as too
/// large, never cut.
inline constexpr std::size_t max_read_bytes = std::size_t{256} << 20;

/// The outcome of reading a whole file.
struct ReadResult {
    enum class Status {
        ok,
        missing,     ///< no such file (or an empty path)
        not_regular, ///< a folder, a FIFO, a device or a socket
        unreadable,  ///< the file exists but cannot be opened or read
        too_large,   ///< more than the limit
    };
    Status status = Status::missing;
    /// The file's bytes, without a leading UTF-8 byte-order mark; empty unless `ok`.
    std::string bytes;
    /// The system's reason of a failure, "<path>: <reason>".
    std::string reason;
    bool ok() const { return status == Status::ok; }
};

/// Reads the regular file at `path` (or the regular file a symbolic link leads to) whole. Anything
/// else is refused before it is read, and the file is opened so that nothing can block the
/// reader, so a FIFO, a terminal or a device never hangs the program. A file of more than
/// `limit` bytes is refused whole as too large. A leading UTF-8 byte-order mark is dropped, as
/// every reader of the suite accepts it.
ReadResult read_whole(const std::string& path, std::size_t limit = max_read_bytes);

/// A regular file read a piece at a time, for a reader that may stop before the end: the same
/// looks and refusals as `read_whole` when it is opened (a file larger than the limit refused by
/// its size before any byte is read), and a file that grows past the limit while it is read is
/// refused then.
class PieceReader {
public:
    explicit PieceReader(const std::string& path, std::size_t limit = max_read_bytes);
    ~PieceReader();
    PieceReader(const PieceReader&) = delete;
    PieceReader& operator=(const PieceReader&) = delete;

    /// `ok` while the file may be read; otherwise why not, as `read_whole` would say it (the
    /// bytes are never filled in).
    const ReadResult& status() const { return status_; }
    /// Appends the next bytes of the file, at most `max`, to `out` (a leading UTF-8 byte-order
    /// mark dropped) and returns how many: 0 at the end of the file or after a failure, which
    /// `status()` then tells.
    std::size_t read_more(std::string& out, std::size_t max);

private:
    std::string path_;
    std::size_t limit_;
    int fd_ = -1;
    std::size_t total_ = 0;
    bool started_ = false;
    ReadResult status_;
};

/// True when `bytes` starts with a UTF-16 or UTF-32 byte-order mark, or looks like UTF-16 text
/// without one (a NUL in nearly every other byte of its start): text no reader of the suite
/// reads as numbers.
bool looks_wide(std::string_view bytes);

} // namespace textfile
