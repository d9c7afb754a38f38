#include "run_record.h"

#include "project_file.h"
#include "sweep.h"
#include "text_file.h"
#include "trainer.h"

#include "numtext/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>

namespace corvane {

namespace {

constexpr std::string_view setting_prefix = "setting: ";

// A value on one line of a record: no TAB or line end inside.
std::string one_line(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

std::string number(std::optional<float> v) {
    return v ? numtext::shortest(*v) : "";
}

template <typename T> std::optional<T> parse_number(std::string_view text) {
    T v{};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

std::optional<float> parse_float(std::string_view text) {
    if (text.empty()) return std::nullopt;
    // The numbers were written by numtext::shortest, which from_chars reads exactly.
    return parse_number<float>(text);
}

std::string csv_field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

void csv_row(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        out += csv_field(fields[i]);
    }
    out += "\r\n";
}

// Mean, sample standard deviation (empty below two values), minimum and maximum.
std::vector<std::string> statistics(const std::vector<float>& values) {
    if (values.empty()) return {"", "", "", ""};
    double sum = 0.0;
    float lo = values[0], hi = values[0];
    for (float v : values) {
        sum += v;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    const double mean = sum / static_cast<double>(values.size());
    std::string sd;
    if (values.size() > 1) {
        double squares = 0.0;
        for (float v : values)
            squares += (v - mean) * (v - mean);
        sd = numtext::shortest(std::sqrt(squares / static_cast<double>(values.size() - 1)));
    }
    return {numtext::shortest(mean), sd, numtext::shortest(lo), numtext::shortest(hi)};
}

} // namespace

RunRecord record_of_run(const definicoes_projecto& d, const Treinador& trainer,
                        const EstadoPrograma& programa, bool ok, std::string messages,
                        double wall_seconds, std::optional<std::uint32_t> seed) {
    RunRecord r;
    r.project = d.Label2;
    r.seed = seed;
    r.ok = ok;
    r.message = std::move(messages);
    r.wall_seconds = wall_seconds;
    r.data_file = trainer.caminho_dados();
    r.weights_file = trainer.nome_ficheiro_pesos();
    r.errors_file = nome_ficheiro_erros(d.Label2).value_or("");
    for (const auto& s : sweep_settings)
        r.settings.push_back(setting_text(d, s));
    if (!ok) {
        r.stop_reason = "failed";
        return r;
    }
    r.iterations = trainer.iteracao_final;
    if (!std::isnan(trainer.erro_final)) r.training_error = trainer.erro_final;
    if (!std::isnan(trainer.erro_teste)) r.test_error = trainer.erro_teste;
    const float goal = static_cast<float>(d.numero(slot::objectivo_erro));
    if (programa.pedido_paragem)
        r.stop_reason = "stopped";
    else if (r.training_error && *r.training_error <= goal)
        r.stop_reason = "goal";
    else
        r.stop_reason = "iteration limit";
    return r;
}

std::string record_text(const RunRecord& r) {
    std::string out;
    auto line = [&](std::string_view key, const std::string& value) {
        out += key;
        out += '\t';
        out += one_line(value);
        out += "\r\n";
    };
    line("project", r.project);
    line("seed", r.seed ? std::to_string(*r.seed) : "");
    line("status", r.ok ? "ok" : "failed");
    line("message", r.message);
    line("iterations", r.iterations ? std::to_string(*r.iterations) : "");
    line("training error", number(r.training_error));
    line("test error", number(r.test_error));
    line("stop reason", r.stop_reason);
    char wall[32];
    std::snprintf(wall, sizeof wall, "%.3f", r.wall_seconds);
    line("wall time", wall);
    line("data file", r.data_file);
    line("weights file", r.weights_file);
    line("errors file", r.errors_file);
    for (std::size_t i = 0; i < sweep_settings.size() && i < r.settings.size(); ++i)
        line(std::string(setting_prefix) + std::string(sweep_settings[i].caption), r.settings[i]);
    return out;
}

std::optional<RunRecord> parse_record(std::string_view text) {
    std::map<std::string, std::string, std::less<>> fields;
    for (auto line : split_lines(text)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) return std::nullopt;
        fields[std::string(line.substr(0, tab))] = std::string(line.substr(tab + 1));
    }
    auto get = [&](std::string_view key) -> const std::string* {
        auto it = fields.find(key);
        return it == fields.end() ? nullptr : &it->second;
    };
    for (auto key :
         {"project", "seed", "status", "message", "iterations", "training error", "test error",
          "stop reason", "wall time", "data file", "weights file", "errors file"})
        if (!get(key)) return std::nullopt;
    RunRecord r;
    r.project = *get("project");
    if (!get("seed")->empty()) {
        r.seed = parse_number<std::uint32_t>(*get("seed"));
        if (!r.seed) return std::nullopt;
    }
    if (*get("status") != "ok" && *get("status") != "failed") return std::nullopt;
    r.ok = *get("status") == "ok";
    r.message = *get("message");
    if (!get("iterations")->empty()) r.iterations = parse_number<int>(*get("iterations"));
    r.training_error = parse_float(*get("training error"));
    r.test_error = parse_float(*get("test error"));
    r.stop_reason = *get("stop reason");
    r.wall_seconds = parse_number<double>(*get("wall time")).value_or(0.0);
    r.data_file = *get("data file");
    r.weights_file = *get("weights file");
    r.errors_file = *get("errors file");
    for (const auto& s : sweep_settings) {
        auto v = get(std::string(setting_prefix) + std::string(s.caption));
        r.settings.push_back(v ? *v : "");
    }
    return r;
}

std::optional<RunRecord> read_result(const Plan& plan, const PlannedRun& run) {
    auto text = read_whole_file(plan.result_path(run));
    if (!text) return std::nullopt;
    auto record = parse_record(*text);
    if (!record || record->project != run.project || record->seed != run.seed) return std::nullopt;
    return record;
}

std::string summary_csv(const std::vector<PlannedRun>& runs,
                        const std::vector<std::optional<RunRecord>>& records) {
    std::vector<std::string> header{"kind", "row", "project", "seed", "data file"};
    for (const auto& s : sweep_settings)
        header.emplace_back(s.caption);
    for (auto h :
         {"status", "message", "iterations", "training error", "test error", "stop reason",
          "wall time (s)", "weights file", "errors file", "runs", "failed", "training error mean",
          "training error sd", "training error min", "training error max", "test error mean",
          "test error sd", "test error min", "test error max"})
        header.emplace_back(h);
    std::string out;
    csv_row(out, header);

    struct Group {
        std::vector<std::string> key; // data file, then the settings
        int ended = 0;
        int failed = 0;
        std::vector<float> training, test;
    };
    std::vector<Group> groups;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const auto& run = runs[i];
        const RunRecord* r = i < records.size() && records[i] ? &*records[i] : nullptr;
        std::vector<std::string> row{"run", std::to_string(run.row), run.project,
                                     run.seed ? std::to_string(*run.seed) : ""};
        std::vector<std::string> key{r ? r->data_file : ""};
        for (std::size_t s = 0; s < sweep_settings.size(); ++s)
            key.push_back(r && s < r->settings.size() ? r->settings[s] : "");
        row.insert(row.end(), key.begin(), key.end());
        if (r) {
            char wall[32];
            std::snprintf(wall, sizeof wall, "%.3f", r->wall_seconds);
            row.insert(row.end(), {r->ok ? "ok" : "failed", r->message,
                                   r->iterations ? std::to_string(*r->iterations) : "",
                                   number(r->training_error), number(r->test_error), r->stop_reason,
                                   wall, r->weights_file, r->errors_file});
        } else {
            row.insert(row.end(), {"not run", "", "", "", "", "not run", "", "", ""});
        }
        row.resize(header.size());
        csv_row(out, row);

        if (!r) continue; // a run without a record has no settings to be grouped by
        auto it = std::find_if(groups.begin(), groups.end(),
                               [&](const Group& g) { return g.key == key; });
        if (it == groups.end()) {
            groups.push_back({key, 0, 0, {}, {}});
            it = groups.end() - 1;
        }
        if (r->ok) {
            ++it->ended;
            if (r->training_error) it->training.push_back(*r->training_error);
            if (r->test_error) it->test.push_back(*r->test_error);
        } else {
            ++it->failed;
        }
    }
    for (const auto& g : groups) {
        std::vector<std::string> row{"setting", "", "", ""};
        row.insert(row.end(), g.key.begin(), g.key.end());
        row.resize(row.size() + 9);
        row.push_back(std::to_string(g.ended));
        row.push_back(std::to_string(g.failed));
        for (const auto& s : statistics(g.training))
            row.push_back(s);
        for (const auto& s : statistics(g.test))
            row.push_back(s);
        csv_row(out, row);
    }
    return out;
}

} // namespace corvane
