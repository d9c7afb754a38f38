#include "file_io.h"

#include "textfile/textfile.h"

#include <utility>

namespace tessaly {

FileContents ReadWholeFile(const std::string& path, std::size_t limit) {
    using Status = textfile::ReadResult::Status;
    textfile::ReadResult read = textfile::read_whole(path, limit);
    FileContents out;
    switch (read.status) {
    case Status::ok:
        out.bytes = std::move(read.bytes);
        break;
    case Status::missing:
        out.failure = FileNotFoundFailure();
        break;
    case Status::not_regular:
    case Status::unreadable:
        out.failure = FileAccessFailure();
        break;
    case Status::too_large:
        out.failure = FileTooLargeFailure();
        break;
    }
    return out;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes) {
    return textfile::write_replacing(path, bytes);
}

std::optional<Failure> SaveFile(const std::string& path, std::string_view bytes) {
    const textfile::WriteResult saved = textfile::write_replacing(path, bytes);
    if (saved.ok) return std::nullopt;
    // The reason names the file, or the folder when that is what refused: the file is named
    // in front of it then.
    std::string why = saved.reason;
    if (!path.empty() && why.rfind(path + ":", 0) != 0) why = path + ": " + why;
    return SaveFailure(why);
}

} // namespace tessaly
