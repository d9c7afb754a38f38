// Numbered failures shown in a message box as "<number>  : <description>".
#pragma once

#include <string>

#include "failure/failure.h"

namespace tessaly {

/// Text() gives the number in decimal, two blanks, a colon, a blank and the description.
using failure::Failure;

/// The two failures of the pattern and weights file formats (0x80040201 and 0x80040202).
inline Failure FileStructureFailure() {
    return {-2147220991, "Load File Error (File Structure)"};
}
inline Failure MatrixSizeFailure() {
    return {-2147220990, "Load File Error (Matrix Size is diferent)"};
}
/// A file larger than any pattern or weights file the program writes (0x80040203).
inline Failure FileTooLargeFailure() {
    return {-2147220989, "Load File Error (File too large)"};
}

/// Failures of reading a dimension or a file.
inline Failure TypeMismatchFailure() {
    return {13, "Type mismatch"};
}
inline Failure OverflowFailure() {
    return failure::Overflow();
}
inline Failure InvalidValueFailure() {
    return {380, "Invalid property value"};
}
inline Failure FileNotFoundFailure() {
    return {53, "File not found"};
}
inline Failure FileAccessFailure() {
    return {75, "Path/File access error"};
}
inline Failure OutOfMemoryFailure() {
    return {7, "Out of memory"};
}
/// A file that could not be written: the access failure with the system's reason, which names
/// the file ("<path>: <reason>").
inline Failure SaveFailure(const std::string& reason) {
    return {75, "Path/File access error (" + reason + ")"};
}

} // namespace tessaly
