#include "console_view.h"

#include "cli/cli.h"
#include "engine/settings.h"
#include "numtext/numtext.h"

namespace corvane::batch {

void ConsoleView::message(std::string_view title, std::string_view text, Icon icon) {
    if (icon == Icon::critical) ++failures_;
    if (!messages_.empty()) messages_ += ' ';
    messages_ += text;
    cli::write_message(out_, title, text);
}

void ConsoleView::show_result(int index, const std::string& text) {
    if (index == results::learning_rate) learning_rate_ = text;
}

void ConsoleView::iteration_done(int iteration, float error, std::optional<float> lr) {
    if (progress_every_ <= 0 || iteration % progress_every_ != 0) return;
    err_ << "iteration " << iteration << "\terror " << numtext::shortest(error);
    if (lr) err_ << "\tlearning rate " << numtext::shortest(*lr);
    err_ << '\n' << std::flush;
}

void ConsoleView::print_control(std::string_view name, std::string_view text) {
    cli::write_result(out_, name, text);
}

void ConsoleView::print_results(const std::array<std::string, 5>& captions) {
    for (std::size_t i = 0; i < captions.size(); ++i)
        print_control("Label3(" + std::to_string(i) + ")", captions[i]);
    if (learning_rate_visible_) print_control("Label3(5)", learning_rate_);
    out_ << std::flush;
}

} // namespace corvane::batch
