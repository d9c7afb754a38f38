#include "cli.h"

#include "textfile/textfile.h"

#include <charconv>
#include <cstdlib>
#include <ostream>

namespace cli {

Stop help(std::string usage) {
    return {status_done, std::move(usage)};
}

Stop bad_command_line(std::string_view program, std::string_view why, std::string_view usage) {
    std::string text;
    text.append(program).append(": ").append(why).append("\n\n").append(usage);
    return {status_bad_command_line, std::move(text)};
}

Start how_to_start(const std::vector<std::string>& args, bool opens_files) {
    if (args.empty()) return Start::window;
    if (opens_files && args.size() == 1 && !args.front().empty() && args.front().front() != '-')
        return Start::window;
    return Start::batch;
}

int window_not_built(std::string_view program, std::ostream& err) {
    err << program << ": the windows are not part of this build; the batch mode is.\nRun "
        << program << " --help for its options.\n";
    return status_failed;
}

const GivenOption* ReadOptions::find(std::string_view name) const {
    for (auto it = given.rbegin(); it != given.rend(); ++it)
        if (it->name == name) return &*it;
    return nullptr;
}

const std::string* ReadOptions::value(std::string_view name) const {
    const GivenOption* option = find(name);
    return option && !option->values.empty() ? &option->values.front() : nullptr;
}

ReadOptions read_options(const std::vector<std::string>& args, std::span<const OptionSpec> known) {
    ReadOptions read;
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h") {
            read.help = true;
            return read;
        }
    for (std::size_t k = 0; k < args.size(); ++k) {
        const OptionSpec* spec = nullptr;
        for (const OptionSpec& s : known)
            if (s.name == args[k]) spec = &s;
        if (!spec) {
            read.error = "unknown option " + args[k];
            return read;
        }
        const auto values = static_cast<std::size_t>(spec->values);
        if (args.size() - k - 1 < values) {
            read.error = args[k] + (values == 1 ? std::string(" needs a value")
                                                : " needs " + std::to_string(values) + " values");
            return read;
        }
        GivenOption option{args[k], {}};
        option.values.assign(args.begin() + static_cast<std::ptrdiff_t>(k + 1),
                             args.begin() + static_cast<std::ptrdiff_t>(k + 1 + values));
        read.given.push_back(std::move(option));
        k += values;
    }
    return read;
}

std::optional<long long> whole_number(std::string_view text, long long low, long long high) {
    if (text.empty() || text.front() == '+') return std::nullopt;
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::string one_line(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
        if (text[k] == '\n' || text[k] == '\r')
            line += "\\n";
        else
            line += text[k];
    }
    return line;
}

void write_result(std::ostream& out, std::string_view control, std::string_view text) {
    out << control << '\t' << one_line(text) << '\n';
}

void write_message(std::ostream& out, std::string_view title, std::string_view text) {
    out << "MsgBox\t" << title << '\t' << one_line(text) << '\n' << std::flush;
}

void write_export_failure(std::ostream& out, std::string_view title, std::string_view path) {
    write_message(out, title, "The file " + std::string(path) + " could not be written.");
}

int write_table_export(const Exports& exports, const std::optional<csv::Table>& table,
                       std::string_view title, std::ostream& out) {
    if (exports.csv.empty()) return status_done;
    if (table && textfile::write_replacing(exports.csv, csv::to_csv(*table))) return status_done;
    write_export_failure(out, title, exports.csv);
    return status_failed;
}

int report(const Stop& stop, std::ostream& out, std::ostream& err) {
    (stop.status == status_done ? out : err) << stop.text;
    return stop.status;
}

TakenExports take_export_options(std::vector<std::string>& args) {
    TakenExports taken;
    std::vector<std::string> rest;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& option = args[k];
        std::string* target = nullptr;
        if (option == "--export-svg") target = &taken.exports.svg;
        if (option == "--export-png") target = &taken.exports.png;
        if (option == "--export-pdf") target = &taken.exports.pdf;
        if (option == "--export-csv") target = &taken.exports.csv;
        if (!target && option != "--scale") {
            rest.push_back(option);
            continue;
        }
        if (k + 1 >= args.size() || args[k + 1].empty()) {
            taken.error = option + " needs a value";
            return taken;
        }
        const std::string& value = args[++k];
        if (target) {
            *target = value;
            continue;
        }
        char* end = nullptr;
        const double scale = std::strtod(value.c_str(), &end);
        if (end == value.c_str() || *end != '\0' || !(scale >= 1.0 && scale <= 10.0)) {
            taken.error = "--scale must be a number from 1 to 10";
            return taken;
        }
        taken.exports.scale = scale;
    }
    args = std::move(rest);
    return taken;
}

CommandLine read_command_line(std::vector<std::string> args, std::span<const OptionSpec> known,
                              std::string_view program, const std::string& usage) {
    CommandLine line;
    const TakenExports taken = take_export_options(args);
    if (!taken.error.empty()) {
        line.stop = bad_command_line(program, taken.error, usage);
        return line;
    }
    line.exports = taken.exports;
    line.options = read_options(args, known);
    if (line.options.help)
        line.stop = help(usage);
    else if (!line.options.error.empty())
        line.stop = bad_command_line(program, line.options.error, usage);
    return line;
}

std::string export_usage(bool figure) {
    std::string usage;
    if (figure)
        usage += "  --export-svg FILE   write the figure as SVG\n"
                 "  --export-png FILE   write the figure as PNG (--scale N, 1 to 10, default 1)\n"
                 "  --export-pdf FILE   write the figure as PDF\n";
    usage += "  --export-csv FILE   write the table as CSV (UTF-8, \".\" decimal point)\n";
    return usage;
}

} // namespace cli
