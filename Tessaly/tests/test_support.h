// Helpers shared by the engine tests.
#pragma once

#include "array2d.h"
#include "hopfield_net.h"

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace tessaly {

/// Patterns and matrices in test failures: one row per line.
template <typename T> void PrintTo(const Array2D<T>& a, std::ostream* os) {
    *os << a.rows() << "x" << a.columns();
    for (int r = 0; r < a.rows(); ++r) {
        *os << "\n ";
        for (int c = 0; c < a.columns(); ++c)
            *os << ' ' << +a(r, c);
    }
}

} // namespace tessaly

namespace tessaly::test {

/// A pattern from rows of '1' (on) and '0' (off).
inline Pattern Draw(std::initializer_list<const char*> rows) {
    const std::vector<std::string> lines(rows.begin(), rows.end());
    Pattern p(static_cast<int>(lines.size()), static_cast<int>(lines.front().size()), -1);
    for (int r = 0; r < p.rows(); ++r)
        for (int c = 0; c < p.columns(); ++c)
            p(r, c) =
                lines[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] == '1' ? 1 : -1;
    return p;
}

/// Records the questions, messages and beeps of a network; answers questions from a script.
class RecordingDialog : public NetDialog {
public:
    std::vector<bool> answers; ///< answers given in turn; No once they run out
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    int beeps = 0;

    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        const std::size_t turn = questions.size() - 1;
        return turn < answers.size() && answers[turn];
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void Beep() override { ++beeps; }
};

} // namespace tessaly::test
