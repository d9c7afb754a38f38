// Where an installed copy of the program keeps its shared files, and the user's own copies of
// those the program writes to. An installed program's examples and help collection lie in a
// folder the user cannot write: training an example saves the project, its weights and its
// errors file beside it, and the help's search writes its index beside the collection.
#pragma once

#include <filesystem>
#include <string>

namespace corvane {

/// The folder of the files installed with the program, `<prefix>/share/Corvane` for a program in
/// `<prefix>/bin`; empty when `program_folder` has no such sibling (a build folder).
std::filesystem::path installed_data_folder(const std::filesystem::path& program_folder);

/// The file to open when the user names `file`: `file` itself, unless it lies inside
/// `installed_examples`; then the same file in `user_examples`, which is filled with a copy of
/// every installed example when it does not exist yet (an existing copy, with the user's
/// trained weights, is kept). `file` itself when the copy cannot be made.
std::string user_copy_of_example(const std::string& file,
                                 const std::filesystem::path& installed_examples,
                                 const std::filesystem::path& user_examples);

/// The help collection to open: `collection` when its folder is writable; otherwise a copy of it
/// and of the compressed help files beside it (`*.qch`) in `user_folder`, refreshed whenever the
/// installed collection differs in size or time; `collection` when the copy cannot be made.
std::string writable_help_collection(const std::filesystem::path& collection,
                                     const std::filesystem::path& user_folder);

} // namespace corvane
