// The console run: selects a set, runs Steps and prints the weights and the samples' sides.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace perceptron {

class Demonstration;

/// The most Steps one console run accepts.
inline constexpr long max_batch_steps = 1000000;

/// Runs `perceptron --set 1|2 [--steps N]` (the arguments after the program name).
/// Prints "Weights<TAB>w0<TAB>w1<TAB>w2" after selecting the set and after each Step (shortest
/// float texts), then for every sample "U<i>" or "V<i>" (i from 1, as the image names), its
/// activation s and "correct" or "wrong" for the side of the line it lies on.
/// `--help` prints the usage to `out`. Returns 0, or 2 with the usage on `err` for a bad
/// command line.
/// When `final_state` is given, it receives the demonstration as the run left it.
int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              Demonstration* final_state = nullptr);

} // namespace perceptron
