#include "run_plan.h"

#include "macro_file.h"
#include "project_file.h"
#include "sweep.h"
#include "text_file.h"
#include "trainer.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <numeric>

namespace fs = std::filesystem;

namespace corvane {

namespace {

std::string absolute_path(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(path, ec);
    if (ec) p = path;
    fs::path canonical = fs::weakly_canonical(p, ec);
    return (ec ? p : canonical).lexically_normal().string();
}

std::optional<std::uint32_t> read_seed(std::string_view text) {
    std::uint32_t v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

std::vector<std::string_view> split_tabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        std::size_t tab = line.find('\t', start);
        fields.push_back(
            line.substr(start, tab == std::string_view::npos ? line.npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

// Records the messages of work done on behalf of a project that is not shown.
class QuietView : public SilentView {
public:
    void message(std::string_view, std::string_view text, Icon) override {
        if (!first.empty()) first += " ";
        first += text;
    }
    std::string first;
};

bool copy_file(const std::string& from, const std::string& to) {
    auto content = read_whole_file(from);
    return content && write_file_replacing(to, *content);
}

// Draws a starting weights file for `d` (whose `Label2` is set) into `target`, as
// --random-weights does with a generator started from `seed`. False when the project's
// network or population cannot be sized.
bool draw_weights(definicoes_projecto d, std::optional<std::uint32_t> seed,
                  const std::string& target) {
    QuietView quiet;
    EstadoPrograma programa;
    if (seed) programa.rnd = Rnd(*seed);
    Treinador t(d, programa, quiet);
    return t.prepara_pesos_aleatorios() && t.grava_pesos_aleatorios(target);
}

} // namespace

std::string Plan::result_path(const PlannedRun& run) const {
    return (fs::path(results) / (std::to_string(run.row) + ".result")).string();
}

std::string Plan::log_path(const PlannedRun& run) const {
    return (fs::path(results) / (std::to_string(run.row) + ".log")).string();
}

std::optional<Plan> plan_from_macro(const std::string& macro, std::optional<std::uint32_t> seed,
                                    TrainerView& view) {
    ListaMacro lista;
    if (const ReadOutcome read = carrega_macro(macro, lista); !read.ok()) {
        critical(view, read.failure);
        return std::nullopt;
    }
    Plan plan;
    plan.source = absolute_path(macro);
    std::string results = plan.source;
    if (results.size() > 4 && results.ends_with(".mcr")) results.resize(results.size() - 4);
    plan.results = results + ".results";
    for (std::size_t i = 0; i < lista.size() && !lista[i].empty(); ++i) {
        PlannedRun run;
        run.row = static_cast<int>(i) + 1;
        run.project = absolute_path(resolve_against(lista[i], plan.source));
        run.seed = seed;
        plan.runs.push_back(std::move(run));
    }
    return plan;
}

std::optional<Plan> plan_from_sweep_folder(const std::string& folder, TrainerView& view) {
    Plan plan;
    plan.source = absolute_path(folder);
    plan.results = (fs::path(plan.source) / "results").string();
    const std::string list = (fs::path(plan.source) / sweep_list_name).string();
    auto content = read_whole_file(list);
    if (!content) {
        critical(view, "The sweep list " + list + " cannot be read.");
        return std::nullopt;
    }
    auto lines = split_lines(*content);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        auto fields = split_tabs(lines[i]);
        std::optional<std::uint32_t> seed;
        if (fields.size() >= 3 && !fields[1].empty()) seed = read_seed(fields[1]);
        if (fields.size() < 3 || fields[0].empty() || (!fields[1].empty() && !seed)) {
            critical(view, "The sweep list " + list + " is damaged at line " +
                               std::to_string(i + 1) + ".");
            return std::nullopt;
        }
        PlannedRun run;
        run.row = static_cast<int>(i);
        run.project = (fs::path(plan.source) / fields[0]).string();
        run.seed = seed;
        if (!fields[2].empty()) run.start_weights = (fs::path(plan.source) / fields[2]).string();
        plan.runs.push_back(std::move(run));
    }
    return plan;
}

RunFiles files_of(const PlannedRun& run) {
    RunFiles files;
    const std::string project = absolute_path(run.project);
    files.reads.insert(project);
    files.writes.insert(project);
    if (!run.start_weights.empty()) files.reads.insert(absolute_path(run.start_weights));
    definicoes_projecto d;
    if (!le_ficheiro_projecto(run.project, d).ok) return files;
    d.Label2 = run.project;
    auto add = [](std::set<std::string>& set, const std::string& path, const std::string& base) {
        if (!path.empty()) set.insert(absolute_path(resolve_against(path, base)));
    };
    add(files.reads, d.Text1[slot::ficheiro_dados], run.project);
    add(files.reads, d.Text1[slot::ficheiro_pesos], run.project);
    add(files.writes, d.Text1[slot::ficheiro_pesos], run.project);
    if (auto errors = nome_ficheiro_erros(run.project)) files.writes.insert(absolute_path(*errors));
    return files;
}

std::vector<std::vector<std::size_t>> group_runs(const std::vector<RunFiles>& files) {
    const std::size_t n = files.size();
    std::vector<std::size_t> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](std::size_t i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    auto meets = [](const std::set<std::string>& a, const std::set<std::string>& b) {
        return std::any_of(a.begin(), a.end(), [&](const std::string& f) { return b.count(f); });
    };
    for (std::size_t j = 0; j < n; ++j)
        for (std::size_t i = 0; i < j; ++i)
            if (meets(files[i].writes, files[j].reads) || meets(files[i].writes, files[j].writes) ||
                meets(files[i].reads, files[j].writes))
                parent[root(j)] = root(i);
    std::vector<std::vector<std::size_t>> groups;
    std::vector<std::size_t> group_of_root(n, n);
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t r = root(i);
        if (group_of_root[r] == n) {
            group_of_root[r] = groups.size();
            groups.emplace_back();
        }
        groups[group_of_root[r]].push_back(i);
    }
    return groups;
}

std::optional<std::size_t> expand_sweep_folder(const std::string& base,
                                               const std::string& sweep_file,
                                               const std::string& outdir, std::size_t max_runs,
                                               TrainerView& view) {
    auto text = read_whole_file(sweep_file);
    if (!text) {
        critical(view, "The sweep file " + sweep_file + " cannot be read.");
        return std::nullopt;
    }
    std::string error;
    auto sweep = parse_sweep(*text, error);
    if (!sweep) {
        critical(view, "The sweep file " + sweep_file + " cannot be used: " + error + ".");
        return std::nullopt;
    }
    if (sweep->runs() > max_runs) {
        critical(view, "The sweep gives " +
                           (sweep->runs() == SIZE_MAX ? std::string("too many")
                                                      : std::to_string(sweep->runs())) +
                           " projects, more than the limit of " + std::to_string(max_runs) +
                           ": give a larger limit with --max-runs to expand it.");
        return std::nullopt;
    }
    definicoes_projecto d;
    if (const ProjectLoad load = le_ficheiro_projecto(base, d); !load.ok) {
        critical(view, load.failure);
        return std::nullopt;
    }
    d.Label2 = base;
    std::error_code ec;
    if (fs::exists(outdir, ec) && (!fs::is_directory(outdir, ec) || !fs::is_empty(outdir, ec))) {
        critical(view, "The folder " + outdir +
                           " already holds files: a sweep is expanded into a new or empty folder.");
        return std::nullopt;
    }
    const std::string base_weights = resolve_against(d.Text1[slot::ficheiro_pesos], base);
    const bool copy_base = !sweep->has_seeds() && !sweep->varies_network();
    if (copy_base && !read_whole_file(base_weights)) {
        critical(view, msg::erro_carregar_pesos);
        return std::nullopt;
    }
    const fs::path out = absolute_path(outdir);
    fs::create_directories(out / "start", ec);
    if (ec) {
        critical(view, "The folder " + outdir + " cannot be created.");
        return std::nullopt;
    }
    d.Text1[slot::ficheiro_dados] =
        absolute_path(resolve_against(d.Text1[slot::ficheiro_dados], base));
    d.Label3 = {};

    std::string list = "project\tseed\tstart weights";
    for (const auto& axis : sweep->axes)
        list += "\t" + (axis.setting ? std::string(axis.setting->caption) : std::string("Seeds"));
    list += "\r\n";
    const auto runs = expand_sweep(*sweep, fs::path(base).stem().string());
    for (const auto& run : runs) {
        definicoes_projecto p = d;
        for (std::size_t a = 0; a < sweep->axes.size(); ++a)
            if (sweep->axes[a].setting) set_setting(p, *sweep->axes[a].setting, run.values[a]);
        p.Label2 = (out / (run.name + ".prj")).string();
        const std::string start = "start/" + run.name + ".wgt";
        const bool drawn = copy_base ? copy_file(base_weights, (out / start).string())
                                     : draw_weights(p, run.seed, start);
        p.Text1[slot::ficheiro_pesos] = run.name + ".wgt";
        if (drawn && !copy_file((out / start).string(), (out / (run.name + ".wgt")).string())) {
            critical(view, msg::erro_gravar_pesos);
            return std::nullopt;
        }
        if (!grava_projecto(p, p.Label2, view)) return std::nullopt;
        // A project whose weights cannot be drawn (its network or population is refused) is
        // listed without them: its run reports why.
        list += run.name + ".prj\t" + (run.seed ? std::to_string(*run.seed) : "") + "\t" +
                (drawn ? start : "");
        for (const auto& v : run.values)
            list += "\t" + v;
        list += "\r\n";
    }
    if (!write_file_replacing((out / sweep_list_name).string(), list)) {
        critical(view, "The sweep list cannot be written into " + outdir + ".");
        return std::nullopt;
    }
    return runs.size();
}

} // namespace corvane
