// Helpers shared by the fuzz harnesses: the input as a file a reader can open by name, an
// invariant check that stops the run, and a scratch folder for round trips through a save.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

/// Stops the run with the failed condition when an invariant of the engine does not hold.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

/// The bytes as one in-memory file; returns a path that opens it (valid until the next call).
std::string as_file(std::string_view bytes);

/// A folder of this process for files the harness saves (created on first use).
const std::string& scratch_folder();

/// Splits the input at its first line end: the harness's settings line and the file's bytes.
/// Without a line end the whole input is the settings line and the file is empty.
struct SettingsAndFile {
    std::string_view settings;
    std::string_view file;
};
SettingsAndFile split_settings(const std::uint8_t* data, std::size_t size);

inline std::string_view view(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace fuzz
