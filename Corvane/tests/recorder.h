// A window stand-in for the engine tests: records every call, never waits.
#pragma once

#include "engine/project_file.h"
#include "engine/text_file.h"
#include "engine/view.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace corvane::test {

class Recorder : public TrainerView {
public:
    struct Message {
        std::string title, text;
        Icon icon;
    };

    void message(std::string_view title, std::string_view text, Icon icon) override {
        messages.push_back({std::string(title), std::string(text), icon});
    }
    void set_pointer(Pointer p) override { pointer = p; }
    void estado_ocupado(bool o) override {
        busy = o;
        if (!o) training_label = false;
        busy_calls.push_back(o);
    }
    void show_training_label(bool v) override { training_label = v; }
    void show_test_error(bool v) override { test_error_visible = v; }
    void show_learning_rate(bool v) override { learning_rate_visible = v; }
    void show_result(int index, const std::string& text) override { results[index] = text; }
    void process_events() override {
        ++events;
        if (on_events) on_events();
    }
    void chart_scale(int interval) override { scale = interval; }
    void chart_draw(std::span<const float> points) override {
        charts.emplace_back(points.begin(), points.end());
    }
    void iteration_done(int i, float e, std::optional<float>) override {
        iterations.push_back(i);
        errors.push_back(e);
    }

    /// Texts of the messages, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : messages)
            out.push_back(m.text);
        return out;
    }

    std::vector<Message> messages;
    Pointer pointer = Pointer::arrow;
    bool busy = false;
    bool training_label = false;
    bool test_error_visible = true;
    bool learning_rate_visible = false;
    std::vector<bool> busy_calls;
    std::map<int, std::string> results;
    int events = 0;
    std::function<void()> on_events;
    int scale = 0;
    std::vector<std::vector<float>> charts;
    std::vector<int> iterations;
    std::vector<float> errors;
};

/// What a run does with a reader's failure: the arrow pointer, the idle state, the message.
/// True when the file was read.
inline bool shown(const ReadOutcome& outcome, TrainerView& view) {
    if (outcome.ok()) return true;
    view.set_pointer(Pointer::arrow);
    view.estado_ocupado(false);
    critical(view, outcome.failure);
    return false;
}

/// What opening a project or a macro does with a reader's failure: the message only.
inline bool reported(const ReadOutcome& outcome, TrainerView& view) {
    if (!outcome.ok()) critical(view, outcome.failure);
    return outcome.ok();
}
inline ProjectLoad reported(ProjectLoad load, TrainerView& view) {
    if (!load.ok) critical(view, load.failure);
    return load;
}

} // namespace corvane::test
