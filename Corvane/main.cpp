// Corvane, the network trainer. With batch options it works on the console; without them it
// is meant to open its main window.
#include "batch/batch.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

// The windows are not part of this build yet: say so and end.
int start_window(int /*argc*/, char** /*argv*/) {
    std::cout << "Corvane: the windows are not available in this build; the batch mode is.\n"
                 "Run Corvane --help for its options.\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (auto status = corvane::batch::run(args, std::cout, std::cerr)) return *status;
    return start_window(argc, argv);
}
