// Helpers shared by the engine tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/analysis.h"
#include "engine/signal_file.h"

namespace quillon::test {

/// An analysis holding `samples` as a freshly read signal.
inline Analysis with_signal(const std::vector<float>& samples) {
    Analysis a;
    load_signal(a, samples);
    return a;
}

/// A file in a fresh temporary folder, removed with the object.
class TempFile {
public:
    explicit TempFile(const std::string& name, const std::string& content = {}) {
        dir_ = std::filesystem::temp_directory_path() /
               ("quillon_test_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / name).string();
        if (!content.empty() || name.find('.') != std::string::npos) {
            std::ofstream out(path_, std::ios::binary);
            out << content;
        }
    }
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }
    std::string dir() const { return dir_.string(); }
    std::string read() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path dir_;
    std::string path_;
};

} // namespace quillon::test
