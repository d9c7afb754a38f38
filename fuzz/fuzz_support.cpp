#include "fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <filesystem>

namespace fuzz {

std::string as_file(std::string_view bytes) {
    // One anonymous in-memory file reused for every input: no disk traffic, and a reader that
    // opens the /proc path gets its own read position from the start.
    static const int fd = [] {
        int f = memfd_create("fuzz-input", 0);
        FUZZ_CHECK(f >= 0);
        return f;
    }();
    FUZZ_CHECK(ftruncate(fd, 0) == 0);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        FUZZ_CHECK(n > 0);
        done += static_cast<std::size_t>(n);
    }
    return "/proc/self/fd/" + std::to_string(fd);
}

const std::string& scratch_folder() {
    static const std::string folder = [] {
        std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        std::filesystem::path dir = base / ("suite-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        // Removed when the process ends normally; a crashed run leaves it for inspection.
        static struct Cleanup {
            std::filesystem::path dir;
            ~Cleanup() {
                std::error_code ignored;
                std::filesystem::remove_all(dir, ignored);
            }
        } cleanup{dir};
        return dir.string();
    }();
    return folder;
}

SettingsAndFile split_settings(const std::uint8_t* data, std::size_t size) {
    std::string_view all = view(data, size);
    std::size_t end = all.find('\n');
    if (end == std::string_view::npos) return {all, {}};
    return {all.substr(0, end), all.substr(end + 1)};
}

std::vector<std::string> words(std::string_view input) {
    std::vector<std::string> args;
    if (input.empty()) return args;
    if (input.back() == '\n') input.remove_suffix(1);
    std::string word;
    for (char c : input) {
        if (c == '\n' || c == '\0') {
            args.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    args.push_back(std::move(word));
    return args;
}

void check_stop(int status, const std::string& text, std::string_view program) {
    FUZZ_CHECK(status == 0 || status == 2);
    FUZZ_CHECK(!text.empty() && text.back() == '\n');
    if (status == 0) {
        FUZZ_CHECK(text.starts_with("Usage"));
        return;
    }
    const std::string prefix = std::string(program) + ": ";
    FUZZ_CHECK(text.starts_with(prefix) && text.size() > prefix.size() + 1);
    FUZZ_CHECK(text[prefix.size()] != '\n');
}

void check_printed_stop(int stop_status, const std::string& stop_text, int status,
                        const std::string& out, const std::string& err) {
    FUZZ_CHECK(status == stop_status);
    FUZZ_CHECK((status == 0 ? out : err) == stop_text);
    FUZZ_CHECK((status == 0 ? err : out).empty());
}

} // namespace fuzz
