// What the engine asks of the windows while it works: results, busy/idle, the pointer, message
// boxes, chart redraws and "let pending window events run". The project window implements it
// with Qt, batch mode with a console class, the tests with a recorder.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view titulo_programa = "Corvane";

enum class Icon { none, critical };
enum class Pointer { arrow, arrow_hourglass, hourglass };

class TrainerView {
public:
    virtual ~TrainerView() = default;

    /// A modal message box; returns when it has been closed.
    virtual void message(std::string_view title, std::string_view text, Icon icon) = 0;
    /// The screen mouse pointer.
    virtual void set_pointer(Pointer pointer) = 0;
    /// `estado_ocupado`: true disables every command but Stop; false restores the idle state,
    /// which also hides the "Trainning in course" label.
    virtual void estado_ocupado(bool ocupado) = 0;
    /// Shows or hides the "Trainning in course" label (`Label10`).
    virtual void show_training_label(bool visible) = 0;
    /// Shows or hides the value of "Test error:" (`Label3(4)`).
    virtual void show_test_error(bool visible) = 0;
    /// Shows or hides "Learning rate:" (`Label11`) and its value `Label3(5)`.
    virtual void show_learning_rate(bool visible) = 0;
    /// The caption of result label `Label3(index)`, index 0 to 5, became `text`.
    virtual void show_result(int index, const std::string& text) = 0;
    /// Lets pending window events run (Stop, closing the chart, edits of the momentum box).
    virtual void process_events() = 0;
    /// The interval between labelled ticks of the chart's horizontal axis.
    virtual void chart_scale(int interval) = 0;
    /// The chart gets `points` (the error of iterations 1..n) as its one series, is redrawn and
    /// its window shown.
    virtual void chart_draw(std::span<const float> points) = 0;
    /// Called once per completed iteration (after the results were shown); `lr` is the learning
    /// rate of a backpropagation run. Windows need not care.
    virtual void iteration_done(int /*iteration*/, float /*error*/, std::optional<float> /*lr*/) {}
};

/// A view that shows nothing: the base of views that care about only some of the calls.
class SilentView : public TrainerView {
public:
    void message(std::string_view, std::string_view, Icon) override {}
    void set_pointer(Pointer) override {}
    void estado_ocupado(bool) override {}
    void show_training_label(bool) override {}
    void show_test_error(bool) override {}
    void show_learning_rate(bool) override {}
    void show_result(int, const std::string&) override {}
    void process_events() override {}
    void chart_scale(int) override {}
    void chart_draw(std::span<const float>) override {}
};

/// A message box with the critical icon and the program's name as title.
inline void critical(TrainerView& view, std::string_view text) {
    view.message(titulo_programa, text, Icon::critical);
}

} // namespace corvane
