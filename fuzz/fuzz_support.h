// Helpers shared by the fuzz harnesses: the input as a file a reader can open by name, an
// invariant check that stops the run, and a scratch folder for round trips through a save.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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

/// The input as a command line (the arguments after the program name): one word per line, a NUL
/// byte also ending a word, since no argument can hold one. Empty words are kept ("" is an
/// argument too); a line end at the very end ends the last word without starting another.
std::vector<std::string> words(std::string_view input);

/// Checks what every batch mode promises of a command line that ends before anything runs:
/// status 0 with the usage (starting with "Usage") for standard output, or status 2 with
/// "`program`: <why>" and a line end for standard error.
void check_stop(int status, const std::string& text, std::string_view program);

/// Checks that a batch entry which returned `status`, printing `out` and `err`, printed exactly
/// the stop (`stop_status`, `stop_text`) where it belongs and nothing else.
void check_printed_stop(int stop_status, const std::string& stop_text, int status,
                        const std::string& out, const std::string& err);

inline std::string_view view(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace fuzz
