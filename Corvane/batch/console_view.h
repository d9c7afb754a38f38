// The console side of the engine's window interface, for batch mode: message boxes become
// "MsgBox<TAB>title<TAB>text" lines (cli::write_message), result captions are kept to be printed
// as "<control name><TAB><text>" lines (cli::write_result), and nothing waits for a person.
#pragma once

#include "engine/view.h"

#include <array>
#include <ostream>
#include <string>
#include <utility>

namespace corvane::batch {

class ConsoleView : public SilentView {
public:
    ConsoleView(std::ostream& out, std::ostream& err, int progress_every = 0)
        : out_(out), err_(err), progress_every_(progress_every) {}

    void message(std::string_view title, std::string_view text, Icon icon) override;
    void show_learning_rate(bool visible) override { learning_rate_visible_ = visible; }
    void show_result(int index, const std::string& text) override;
    void iteration_done(int iteration, float error, std::optional<float> lr) override;

    /// Prints `Label3(0)`..`Label3(4)`, and `Label3(5)` when the learning rate is shown.
    void print_results(const std::array<std::string, 5>& captions);
    /// Prints one control's text.
    void print_control(std::string_view name, std::string_view text);

    bool failure_reported() const { return failures_ > 0; }
    /// The number of messages with the critical icon shown so far.
    int failures() const { return failures_; }
    /// The texts of the messages shown since the last call, one after another.
    std::string take_messages() { return std::exchange(messages_, std::string()); }
    void hide_learning_rate() { learning_rate_visible_ = false; }

private:
    std::ostream& out_;
    std::ostream& err_;
    int progress_every_;
    int failures_ = 0;
    std::string messages_;
    bool learning_rate_visible_ = false;
    std::string learning_rate_;
};

} // namespace corvane::batch
