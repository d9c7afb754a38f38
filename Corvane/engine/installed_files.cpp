#include "installed_files.h"

#include <unistd.h>

#include <algorithm>
#include <system_error>
#include <vector>

namespace corvane {

namespace fs = std::filesystem;

fs::path installed_data_folder(const fs::path& program_folder) {
    std::error_code ec;
    const fs::path data = program_folder.parent_path() / "share" / "Corvane";
    if (program_folder.filename() == "bin" && fs::is_directory(data, ec)) return data;
    return {};
}

namespace {

// `inner` relative to `outer` when `inner` lies inside it (both made canonical), else empty.
fs::path inside(const fs::path& inner, const fs::path& outer) {
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(inner, ec);
    if (ec) return {};
    const fs::path b = fs::weakly_canonical(outer, ec);
    if (ec || b.empty()) return {};
    auto [end_b, end_a] = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
    if (end_b != b.end() || end_a == a.end()) return {};
    fs::path rest;
    for (; end_a != a.end(); ++end_a)
        rest /= *end_a;
    return rest;
}

bool same_file_state(const fs::path& a, const fs::path& b) {
    std::error_code e1, e2, e3, e4;
    const auto size_a = fs::file_size(a, e1), size_b = fs::file_size(b, e2);
    const auto time_a = fs::last_write_time(a, e3), time_b = fs::last_write_time(b, e4);
    return !e1 && !e2 && !e3 && !e4 && size_a == size_b && time_a == time_b;
}

// Copies `from` to `to` (over it) and gives the copy the time of the original, so that a later
// comparison of size and time tells whether the original changed. A copy of a read-only file is
// made writable for its owner.
bool copy_with_time(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) return false;
    fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    const auto time = fs::last_write_time(from, ec);
    if (!ec) fs::last_write_time(to, time, ec);
    return true;
}

} // namespace

std::string user_copy_of_example(const std::string& file, const fs::path& installed_examples,
                                 const fs::path& user_examples) {
    if (installed_examples.empty() || user_examples.empty()) return file;
    const fs::path relative = inside(file, installed_examples);
    if (relative.empty()) return file;
    std::error_code ec;
    if (!fs::exists(user_examples, ec)) {
        // Copied into a scratch folder and renamed into place, so an interrupted copy is never
        // taken for a complete one.
        const fs::path scratch = user_examples.string() + ".part";
        fs::remove_all(scratch, ec);
        fs::create_directories(scratch, ec);
        if (ec) return file;
        for (const auto& entry : fs::recursive_directory_iterator(installed_examples, ec)) {
            const fs::path target = scratch / fs::relative(entry.path(), installed_examples, ec);
            if (entry.is_directory(ec))
                fs::create_directories(target, ec);
            else if (!copy_with_time(entry.path(), target))
                ec = std::make_error_code(std::errc::io_error);
            if (ec) break;
        }
        if (!ec) fs::rename(scratch, user_examples, ec);
        if (ec) {
            fs::remove_all(scratch, ec);
            return file;
        }
    }
    const fs::path copy = user_examples / relative;
    return fs::exists(copy, ec) ? copy.string() : file;
}

std::string writable_help_collection(const fs::path& collection, const fs::path& user_folder) {
    std::error_code ec;
    const fs::path folder = collection.parent_path();
    if (collection.empty() || user_folder.empty() || !fs::exists(collection, ec) ||
        ::access(folder.empty() ? "." : folder.c_str(), W_OK) == 0)
        return collection.string();
    fs::create_directories(user_folder, ec);
    if (ec) return collection.string();
    std::vector<fs::path> files{collection};
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().extension() == ".qch") files.push_back(entry.path());
    for (const fs::path& f : files) {
        const fs::path copy = user_folder / f.filename();
        if (!same_file_state(f, copy) && !copy_with_time(f, copy)) return collection.string();
    }
    return (user_folder / collection.filename()).string();
}

} // namespace corvane
