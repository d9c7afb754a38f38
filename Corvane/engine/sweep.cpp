#include "sweep.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <set>

namespace corvane {

const std::array<SweepSetting, 16> sweep_settings{{
    {"Method", "method", SettingKind::method, 0},
    {"Crossover", "cx", SettingKind::crossover, 0},
    {"Elitism", "elit", SettingKind::flag, flag::elitism},
    {"Output linear layer", "linear", SettingKind::flag, flag::linear_layer},
    {"1st hidden layer neurons", "h1", SettingKind::whole, slot::oculta1},
    {"2nd hidden layer neurons", "h2", SettingKind::whole, slot::oculta2},
    {"Learning rate", "lr", SettingKind::real, slot::taxa_aprendizagem},
    {"Momentum", "mc", SettingKind::real, slot::momento},
    {"Learning rate increase", "lri", SettingKind::real, slot::aumento_taxa},
    {"Learning rate decrease", "lrd", SettingKind::real, slot::reducao_taxa},
    {"Max error ratio", "ratio", SettingKind::real, slot::razao_erro},
    {"Initial population", "pop", SettingKind::whole, slot::populacao},
    {"Mutation rate", "mut", SettingKind::real, slot::taxa_mutacao},
    {"Crossover rate", "cxr", SettingKind::real, slot::taxa_cruzamento},
    {"Error goal", "goal", SettingKind::real, slot::objectivo_erro},
    {"Max. iterations", "it", SettingKind::whole, slot::max_iteracoes},
}};

namespace {

constexpr std::array<std::string_view, 2> methods{"Genetic algorithm", "Backpropagation"};
constexpr std::array<std::string_view, 2> method_tags{"ga", "bp"};
// The crossover options `choice::one_point` to `choice::nn_uniform` in order.
constexpr std::array<std::string_view, 6> crossovers{"1 point",    "2 point",     "Uniform",
                                                     "NN 1 point", "NN 2 points", "NN uniform"};
constexpr std::array<std::string_view, 6> crossover_tags{"1p", "2p", "u", "nn1p", "nn2p", "nnu"};
// A range a..b may not give more values than this (a typo such as 1..10000000 is refused
// before anything is built).
constexpr std::uint64_t largest_range = 100000;

std::string trim(std::string_view text) {
    std::size_t a = 0, b = text.size();
    while (a < b && std::isspace(static_cast<unsigned char>(text[a])))
        ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(text[b - 1])))
        --b;
    return std::string(text.substr(a, b - a));
}

// Lower case, runs of blanks as one blank, a final ":" dropped.
std::string normal_key(std::string_view text) {
    std::string t = trim(text);
    if (!t.empty() && t.back() == ':') t = trim(t.substr(0, t.size() - 1));
    std::string out;
    for (char c : t) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return out;
}

template <std::size_t N>
std::optional<std::size_t> find_caption(const std::array<std::string_view, N>& list,
                                        std::string_view value) {
    const std::string wanted = normal_key(value);
    for (std::size_t i = 0; i < N; ++i)
        if (normal_key(list[i]) == wanted) return i;
    return std::nullopt;
}

// A decimal number as a project file holds one: optional sign, digits with at most one point,
// optional exponent; finite.
bool is_real(const std::string& v) {
    std::size_t i = 0, n = v.size();
    if (i < n && (v[i] == '+' || v[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(v[i])))
        ++i, ++digits;
    if (i < n && v[i] == '.') {
        ++i;
        while (i < n && std::isdigit(static_cast<unsigned char>(v[i])))
            ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (v[i] == 'e' || v[i] == 'E')) {
        ++i;
        if (i < n && (v[i] == '+' || v[i] == '-')) ++i;
        std::size_t exp_digits = 0;
        while (i < n && std::isdigit(static_cast<unsigned char>(v[i])))
            ++i, ++exp_digits;
        if (exp_digits == 0) return false;
    }
    return i == n && std::isfinite(std::strtod(v.c_str(), nullptr));
}

std::optional<std::uint64_t> whole(const std::string& v, std::uint64_t largest) {
    std::uint64_t value = 0;
    auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
    if (ec != std::errc() || end != v.data() + v.size() || value > largest) return std::nullopt;
    return value;
}

// The values of one line, ranges expanded and each value checked; nullopt with `error`.
std::optional<std::vector<std::string>> read_values(const SweepSetting* s, std::string_view list,
                                                    std::string& error) {
    const std::string name = s ? std::string(s->caption) : std::string("Seeds");
    const bool whole_kind = !s || s->kind == SettingKind::whole;
    const std::uint64_t largest = s ? 32767 : std::numeric_limits<std::uint32_t>::max();
    std::vector<std::string> values;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string_view::npos) comma = list.size();
        std::string v = trim(list.substr(start, comma - start));
        start = comma + 1;
        if (v.empty()) {
            error = "an empty value for \"" + name + "\"";
            return std::nullopt;
        }
        auto bad = [&]() {
            error = "\"" + v + "\" is not a value of \"" + name + "\"";
            return std::nullopt;
        };
        std::size_t dots = whole_kind ? v.find("..") : std::string::npos;
        if (dots != std::string::npos) {
            auto a = whole(trim(v.substr(0, dots)), largest);
            auto b = whole(trim(v.substr(dots + 2)), largest);
            if (!a || !b || *a > *b || *b - *a >= largest_range) return bad();
            for (std::uint64_t k = *a; k <= *b; ++k)
                values.push_back(std::to_string(k));
            continue;
        }
        if (whole_kind) {
            auto w = whole(v, largest);
            if (!w) return bad();
            values.push_back(std::to_string(*w));
        } else if (s->kind == SettingKind::real) {
            if (!is_real(v)) return bad();
            values.push_back(v);
        } else if (s->kind == SettingKind::method) {
            auto i = find_caption(methods, v);
            if (!i) return bad();
            values.emplace_back(methods[*i]);
        } else if (s->kind == SettingKind::crossover) {
            auto i = find_caption(crossovers, v);
            if (!i) return bad();
            values.emplace_back(crossovers[*i]);
        } else {
            const std::string t = normal_key(v);
            if (t != "yes" && t != "no") return bad();
            values.push_back(t);
        }
    }
    std::set<std::string> seen;
    for (const auto& v : values)
        if (!seen.insert(v).second) {
            error = "the value \"" + v + "\" of \"" + name + "\" is given twice";
            return std::nullopt;
        }
    return values;
}

// The text of a value in a project's name.
std::string name_part(const SweepAxis& axis, const std::string& value) {
    if (!axis.setting) return "seed-" + value;
    std::string text = value;
    if (axis.setting->kind == SettingKind::method)
        text = method_tags[*find_caption(methods, value)];
    else if (axis.setting->kind == SettingKind::crossover)
        text = crossover_tags[*find_caption(crossovers, value)];
    return std::string(axis.setting->tag) + "-" + text;
}

} // namespace

const SweepSetting* find_sweep_setting(std::string_view key) {
    const std::string wanted = normal_key(key);
    for (const auto& s : sweep_settings)
        if (normal_key(s.caption) == wanted) return &s;
    return nullptr;
}

std::string setting_text(const definicoes_projecto& d, const SweepSetting& s) {
    switch (s.kind) {
    case SettingKind::real:
    case SettingKind::whole:
        return d.Text1[static_cast<std::size_t>(s.index)];
    case SettingKind::method:
        return std::string(methods[d.backpropagation() ? 1 : 0]);
    case SettingKind::crossover:
        for (std::size_t i = 0; i < crossovers.size(); ++i)
            if (d.Option1[choice::one_point + i]) return std::string(crossovers[i]);
        return "";
    case SettingKind::flag:
        return d.Check1[static_cast<std::size_t>(s.index)] == 1 ? "yes" : "no";
    }
    return "";
}

void set_setting(definicoes_projecto& d, const SweepSetting& s, const std::string& value) {
    switch (s.kind) {
    case SettingKind::real:
    case SettingKind::whole:
        d.Text1[static_cast<std::size_t>(s.index)] = value;
        break;
    case SettingKind::method: {
        const bool bp = *find_caption(methods, value) == 1;
        d.Option1[choice::genetic_algorithm] = !bp;
        d.Option1[choice::backpropagation] = bp;
        break;
    }
    case SettingKind::crossover: {
        const std::size_t chosen = *find_caption(crossovers, value);
        for (std::size_t i = 0; i < crossovers.size(); ++i)
            d.Option1[choice::one_point + i] = i == chosen;
        break;
    }
    case SettingKind::flag:
        d.Check1[static_cast<std::size_t>(s.index)] = value == "yes" ? 1 : 0;
        break;
    }
}

std::size_t Sweep::runs() const {
    std::size_t n = 1;
    for (const auto& a : axes) {
        if (a.values.size() > 0 && n > std::numeric_limits<std::size_t>::max() / a.values.size())
            return std::numeric_limits<std::size_t>::max();
        n *= a.values.size();
    }
    return n;
}

bool Sweep::has_seeds() const {
    return std::any_of(axes.begin(), axes.end(), [](const SweepAxis& a) { return !a.setting; });
}

bool Sweep::varies_network() const {
    return std::any_of(axes.begin(), axes.end(), [](const SweepAxis& a) {
        return a.setting &&
               (a.setting->index == slot::oculta1 || a.setting->index == slot::oculta2 ||
                (a.setting->kind == SettingKind::flag && a.setting->index == 1));
    });
}

std::optional<Sweep> parse_sweep(std::string_view text, std::string& error) {
    Sweep sweep;
    bool seeds = false;
    std::size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        line = line.substr(0, line.find('#'));
        if (trim(line).empty()) continue;
        auto fail = [&](const std::string& what) {
            error = "line " + std::to_string(number) + ": " + what;
            return std::nullopt;
        };
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) return fail("expected \"setting = value, value, ...\"");
        const std::string key = normal_key(line.substr(0, eq));
        SweepAxis axis;
        if (key == "seeds" || key == "seed") {
            if (seeds) return fail("\"Seeds\" is given twice");
            seeds = true;
        } else {
            axis.setting = find_sweep_setting(key);
            if (!axis.setting) return fail("\"" + trim(line.substr(0, eq)) + "\" is no setting");
            for (const auto& a : sweep.axes)
                if (a.setting == axis.setting)
                    return fail("\"" + std::string(axis.setting->caption) + "\" is given twice");
        }
        std::string what;
        auto values = read_values(axis.setting, line.substr(eq + 1), what);
        if (!values) return fail(what);
        axis.values = std::move(*values);
        sweep.axes.push_back(std::move(axis));
    }
    return sweep;
}

std::vector<SweepRun> expand_sweep(const Sweep& sweep, const std::string& base_stem) {
    std::vector<SweepRun> runs;
    const std::size_t total = sweep.runs();
    runs.reserve(total);
    std::vector<std::size_t> at(sweep.axes.size(), 0);
    for (std::size_t k = 0; k < total; ++k) {
        SweepRun run;
        run.name = base_stem;
        for (std::size_t a = 0; a < sweep.axes.size(); ++a) {
            const auto& axis = sweep.axes[a];
            const std::string& value = axis.values[at[a]];
            run.values.push_back(value);
            run.name += "_" + name_part(axis, value);
            if (!axis.setting) run.seed = static_cast<std::uint32_t>(std::stoul(value));
        }
        runs.push_back(std::move(run));
        // The last line varies fastest.
        for (std::size_t a = sweep.axes.size(); a-- > 0;) {
            if (++at[a] < sweep.axes[a].values.size()) break;
            at[a] = 0;
        }
    }
    return runs;
}

} // namespace corvane
