// One press of "Compute": read the prototype file named in the window, check it and the
// settings, and run the chosen estimation scheme.
#pragma once

#include "classifier.h"
#include "result_labels.h"

#include <optional>
#include <string>

#include "textfile/textfile.h"

namespace pellin {

/// The window's title, which is also the title of the batch mode's own message boxes.
inline constexpr const char* window_title = "K-NN Classifier";

/// The window's inputs as typed.
struct ComputeRequest {
    std::string filename;   ///< Text1
    std::string neighbours; ///< Text2
    std::string partitions; ///< Text3
    bool edition = false;   ///< Option2 selected (else Option1, "Partition")
    bool stepwise = false;  ///< Check1
};

/// Every label that "Compute" clears before it starts.
inline constexpr const char* result_labels[] = {
    // The confusion table's counts and percentages.
    labels::c1_as_c1, labels::c1_as_c2, labels::c2_as_c1, labels::c2_as_c2, labels::tested1,
    labels::tested2, labels::c1_as_c1_percent, labels::c2_as_c1_percent, labels::c1_as_c2_percent,
    labels::c2_as_c2_percent,
    // The errors and the file's summary.
    labels::overall_error, labels::spread, labels::n, labels::n1, labels::n2, labels::d};

/// Largest file read; a longer file is refused as too large (a valid file is far smaller).
inline constexpr std::size_t max_file_bytes = textfile::max_read_bytes;

struct ComputeOutcome {
    bool ok = false;      ///< false after a failure message
    std::string filename; ///< the file name as Text1 shows it afterwards (".txt" appended)
};

/// The file name as "Compute" reads it: a name holding no "." gets ".txt".
std::string completed_filename(const std::string& typed);

/// Clears the results, reads and checks the file and the settings, and runs the scheme,
/// reporting every label text and message in the order the window shows them.
ComputeOutcome compute(const ComputeRequest& request, Report& report);

/// Reads the regular file at `path` whole (see `textfile::read_whole`, with `max_file_bytes`).
textfile::ReadResult read_file(const std::string& path);

/// The message of a file that could not be read: "File not found" for a missing file, "File
/// cannot be read" for a folder, a FIFO, a device or an unreadable file, "File too large (more
/// than 256 MiB)" for one past the limit.
std::string read_failure_message(const textfile::ReadResult& read);

} // namespace pellin
