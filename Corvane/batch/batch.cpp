#include "batch.h"

#include "console_view.h"

#include "engine/macro_file.h"
#include "engine/macro_run.h"
#include "engine/project_file.h"
#include "engine/run_plan.h"
#include "engine/run_record.h"
#include "engine/slurm_script.h"
#include "engine/text_file.h"
#include "engine/trainer.h"
#include "engine/views.h"
#include "jobs.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <limits>
#include <thread>

namespace corvane::batch {

namespace {

// One program start: the project window's record and engine, the program-wide state.
struct Session {
    Session(std::ostream& out, std::ostream& err, int progress)
        : out(out), err(err), view(out, err, progress), trainer(definicoes, programa, view) {}

    /// `carrega_ficheiro_projecto`: loads into the (one) project window, which then shows the
    /// path. A failed load is reported and false: nothing may be trained, evaluated or written
    /// from the settings it left.
    bool open_project(const std::string& path) {
        const ProjectLoad load = le_ficheiro_projecto(path, definicoes);
        definicoes.Label2 = path;
        view.hide_learning_rate();
        if (!load.ok) critical(view, load.failure);
        return load.ok;
    }

    /// Copies `start` over the project's weights file, so that the run starts from it.
    bool put_start_weights(const std::string& start) {
        auto content = read_whole_file(start);
        const std::string target = trainer.nome_ficheiro_pesos();
        if (!content || !write_file_replacing(target, *content)) {
            critical(view,
                     "The starting weights " + start + " cannot be copied to " + target + ".");
            return false;
        }
        return true;
    }

    /// What a run in course keeps from its start until its record is made.
    struct RunStart {
        std::chrono::steady_clock::time_point begin;
        int failures = 0;
    };

    /// Starts one run of a plan: the generator from the run's seed when it has one, the
    /// messages counted from here.
    RunStart start_run(const PlannedRun& run) {
        RunStart start{std::chrono::steady_clock::now(), 0};
        if (run.seed) programa.rnd = Rnd(*run.seed);
        start.failures = view.failures();
        view.take_messages();
        return start;
    }

    /// Opens the run's project and puts its starting weights in place; false after a message.
    bool load_run(const PlannedRun& run, const RunStart& start) {
        bool ok = open_project(run.project) && view.failures() == start.failures;
        if (ok && !run.start_weights.empty()) ok = put_start_weights(run.start_weights);
        return ok;
    }

    /// The record of a run started at `start`; `ok` says whether it loaded and trained.
    RunRecord end_run(const PlannedRun& run, const RunStart& start, bool ok) {
        ok = ok && view.failures() == start.failures;
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start.begin;
        return record_of_run(definicoes, trainer, programa, ok, view.take_messages(), wall.count(),
                             run.seed);
    }

    /// Opens and trains one project of a plan. The run's record.
    RunRecord train_run(const PlannedRun& run) {
        const RunStart start = start_run(run);
        // A project that did not load is not trained: its run would save the settings the
        // previous run left over that project.
        bool ok = load_run(run, start);
        if (ok) ok = trainer.comecar_treino();
        return end_run(run, start, ok);
    }

    std::ostream& out;
    std::ostream& err;
    definicoes_projecto definicoes;
    EstadoPrograma programa;
    ConsoleView view;
    Treinador trainer;
};

int train(Session& s, const std::string& project, const Options& o) {
    PlannedRun run;
    run.project = project;
    run.seed = o.seed;
    run.start_weights = o.start_weights;
    const RunRecord record = s.train_run(run);
    s.view.print_results(s.definicoes.Label3);
    if (!o.result.empty()) {
        // The record says how the run went; the status says whether the record was written.
        if (write_file_replacing(o.result, record_text(record))) return 0;
        critical(s.view, "The result file " + o.result + " cannot be written.");
        return 1;
    }
    return record.ok ? 0 : 1;
}

// The plan of a macro file or a sweep folder; nullopt after a message.
std::optional<Plan> plan_of(Session& s, const std::string& source, const Options& o) {
    std::error_code ec;
    if (std::filesystem::is_directory(source, ec)) return plan_from_sweep_folder(source, s.view);
    return plan_from_macro(source, o.seed, s.view);
}

bool write_summary(Session& s, const Plan& plan, const std::vector<std::optional<RunRecord>>& r,
                   const std::string& file) {
    if (write_file_replacing(file, summary_csv(plan.runs, r))) return true;
    critical(s.view, "The summary " + file + " cannot be written.");
    return false;
}

// The runs of a plan as the rows of a macro trained in this process: each row shows its
// project's path, then its results, and leaves its record.
class MacroOfPlan : public MacroSteps {
public:
    MacroOfPlan(Session& s, const Plan& plan) : s_(s), plan_(plan) {}

    std::string project(int row) override {
        const auto i = static_cast<std::size_t>(row - 1);
        return i < plan_.runs.size() ? plan_.runs[i].project : std::string();
    }
    void row_started(int row, const std::string& project) override {
        s_.view.print_control("Label2", project);
        start_ = s_.start_run(run(row));
    }
    bool load(int row, const std::string&) override {
        ok_ = s_.load_run(run(row), start_);
        return ok_;
    }
    void train(int, const std::string&) override { ok_ = s_.trainer.comecar_treino(); }
    void row_ended(int row, const std::string&, bool) override {
        records.push_back(s_.end_run(run(row), start_, ok_));
        s_.view.print_results(s_.definicoes.Label3);
    }

    std::vector<std::optional<RunRecord>> records;

private:
    const PlannedRun& run(int row) const { return plan_.runs[static_cast<std::size_t>(row - 1)]; }

    Session& s_;
    const Plan& plan_;
    Session::RunStart start_;
    bool ok_ = false;
};

int run_macro(Session& s, const std::string& source, const Options& o) {
    auto plan = plan_of(s, source, o);
    if (!plan) return 1;
    if (o.jobs) {
        JobsOptions jobs{*o.jobs, o.resume, o.summary};
        return run_jobs(*plan, jobs, s.view, s.err);
    }
    MacroOfPlan steps(s, *plan);
    corre_macro(s.programa, steps);
    const std::vector<std::optional<RunRecord>>& records = steps.records;
    if (!o.summary.empty()) write_summary(s, *plan, records, o.summary);
    return s.view.failure_reported() ? 1 : 0;
}

int summarise(Session& s, const std::string& source, const Options& o) {
    auto plan = plan_of(s, source, o);
    if (!plan) return 1;
    std::vector<std::optional<RunRecord>> records;
    for (const auto& run : plan->runs)
        records.push_back(read_result(*plan, run));
    return write_summary(s, *plan, records, o.summary) ? 0 : 1;
}

int expand(Session& s, const std::vector<std::string>& operands, const Options& o) {
    auto n = expand_sweep_folder(operands[0], operands[1], operands[2], o.max_runs, s.view);
    if (!n) return 1;
    s.view.print_control("Projects", std::to_string(*n));
    return 0;
}

int slurm(Session& s, const std::string& source, const Options& o) {
    auto plan = plan_of(s, source, o);
    if (!plan) return 1;
    if (plan->runs.empty()) {
        critical(s.view, "There is nothing to train in " + source + ".");
        return 1;
    }
    std::vector<RunFiles> files;
    for (const auto& run : plan->runs)
        files.push_back(files_of(run));
    SlurmOptions so;
    so.corvane = program_path();
    so.summary = o.summary.empty() ? plan->results + "/summary.csv"
                                   : std::filesystem::absolute(o.summary).string();
    so.parallel = o.jobs.value_or(0);
    s.out << slurm_script(*plan, group_runs(files), so) << std::flush;
    return 0;
}

int evaluate(Session& s, const std::string& project) {
    if (!s.open_project(project)) return 1;
    const bool ok = s.trainer.avalia_ficheiro_pesos().has_value();
    return ok && !s.view.failure_reported() ? 0 : 1;
}

// Without `file`, the project's own weights file (the one its next run starts from) is
// rewritten; with it, that file is written and the project file stays as it is.
int random_weights(Session& s, const std::string& project, const std::string* file,
                   const Options& o) {
    if (o.seed) s.programa.rnd = Rnd(*o.seed);
    if (!s.open_project(project)) return 1;
    if (!s.trainer.prepara_pesos_aleatorios()) return 1;
    std::string target;
    if (file) {
        // A name typed on the command line is taken from the current folder.
        target = std::filesystem::absolute(*file).string();
    } else {
        target = s.definicoes.Text1[slot::ficheiro_pesos];
        if (target.empty()) {
            s.err << "Corvane: " << project << " names no weights file: give FILE.wgt\n";
            return 2;
        }
    }
    const bool ok = s.trainer.grava_pesos_aleatorios(target);
    s.view.print_control("Text1(13)", s.definicoes.Text1[slot::ficheiro_pesos]);
    return ok && !s.view.failure_reported() ? 0 : 1;
}

// Fills in what the export options ask for after a run that ended well: the error chart of the
// run just trained (`trained`) or of the project's errors file, and the data view of the
// training set as the window shows it after the run. 1 after the message of a view that failed.
int collect_exports(Session& s, bool trained, const cli::Exports& exports, BatchResults& results) {
    const bool want_chart = exports.wantsFigure(), want_table = !exports.csv.empty();
    if (want_chart)
        results.chart =
            trained ? chart_of_last_run(s.trainer) : grafico_erros(s.definicoes, s.view);
    if (want_table)
        if (auto grelha = vista_dados(s.definicoes, true, s.view))
            results.table = std::move(grelha->table);
    const bool missing = (want_chart && !results.chart) || (want_table && !results.table);
    return missing ? 1 : 0;
}

std::optional<int> positive(const std::string& text) {
    const auto n = cli::whole_number(text, 1, std::numeric_limits<int>::max());
    return n ? std::optional<int>(static_cast<int>(*n)) : std::nullopt;
}

// The commands, with the number of files each takes as its values, and the other options.
constexpr std::array<cli::OptionSpec, 14> kOptions{{{"--train", 1},
                                                    {"--run-macro", 1},
                                                    {"--evaluate", 1},
                                                    {"--random-weights", 1},
                                                    {"--expand-sweep", 3},
                                                    {"--slurm-script", 1},
                                                    {"--progress", 1},
                                                    {"--seed", 1},
                                                    {"--jobs", 0},
                                                    {"--max-runs", 1},
                                                    {"--summary", 1},
                                                    {"--result", 1},
                                                    {"--start-weights", 1},
                                                    {"--resume", 0}}};
constexpr std::size_t kCommands = 6; // the first entries of kOptions

bool is_command(std::string_view name) {
    return std::any_of(kOptions.begin(), kOptions.begin() + kCommands,
                       [&](const cli::OptionSpec& o) { return o.name == name; });
}

// What the option reader does not take: the plain arguments that are no option's value (the
// further file of --random-weights, the macro or folder of --summary) and the number --jobs may
// have. The rest, options with their values, in order.
struct Arguments {
    std::vector<std::string> options;
    std::vector<std::string> files;
    std::optional<int> jobs; ///< the number after the last --jobs
};

Arguments split_arguments(const std::vector<std::string>& args) {
    Arguments split;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        const auto spec = std::find_if(kOptions.begin(), kOptions.end(),
                                       [&](const cli::OptionSpec& o) { return o.name == a; });
        if (spec == kOptions.end()) {
            (a.empty() || a[0] != '-' ? split.files : split.options).push_back(a);
            continue;
        }
        split.options.push_back(a);
        if (a == "--jobs") {
            split.jobs = k + 1 < args.size() ? positive(args[k + 1]) : std::nullopt;
            if (split.jobs) ++k;
        }
        for (int v = 0; v < spec->values && k + 1 < args.size(); ++v)
            split.options.push_back(args[++k]);
    }
    return split;
}

// The commands and options (without the export options).
std::string own_usage() {
    return "Usage: Corvane [option...]\n"
           "Without options Corvane opens its window. With one of these options it works without\n"
           "a window, as the window would, and prints what the window would show:\n"
           "\n"
           "  --train PROJECT.prj          open the project and train it as \"&Start trainning\"\n"
           "                               does: the errors file, the weights file and the\n"
           "                               project are written as the window writes them\n"
           "  --run-macro MACRO.mcr        train each project of the macro in turn, as \"&Run "
           "macro\"\n"
           "  --run-macro FOLDER           the same for the projects of a sweep folder\n"
           "  --evaluate PROJECT.prj       the training error of the project's weights file\n"
           "  --random-weights PROJECT.prj [FILE.wgt]\n"
           "                               write what \"&Generate a random weight file\" writes\n"
           "                               for the project's method and architecture into the\n"
           "                               project's own weights file, which its next --train\n"
           "                               starts from; with FILE.wgt into that file instead\n"
           "                               (the project file is never changed, so it still\n"
           "                               names its own weights file)\n"
           "  --expand-sweep BASE.prj SWEEP.txt FOLDER\n"
           "                               write one project per combination of the sweep\n"
           "                               file's values into the new FOLDER (below)\n"
           "  --slurm-script MACRO.mcr|FOLDER\n"
           "                               print a Slurm batch script that trains the runs as a\n"
           "                               job array and then writes the summary (below)\n"
           "  --summary FILE.csv MACRO.mcr|FOLDER\n"
           "                               write the summary of the results the runs left\n"
           "\n"
           "  --seed N                     with --train, --run-macro MACRO.mcr or\n"
           "                               --random-weights: start the random generator from N\n"
           "                               (0 to 4294967295) instead of the fixed seed; in a\n"
           "                               macro every row starts from N\n"
           "  --jobs [N]                   with --run-macro: train the runs as separate\n"
           "                               processes, N at a time (default: the number of\n"
           "                               cores); with --slurm-script: tasks at once\n"
           "  --resume                     with --jobs: train only the runs without a result\n"
           "  --summary FILE.csv           with --run-macro: write the results table\n"
           "                               (with --slurm-script: the file the last job writes)\n"
           "  --max-runs N                 with --expand-sweep: the largest number of projects\n"
           "                               accepted (default 1000)\n"
           "  --start-weights FILE.wgt     with --train: copy FILE over the project's weights\n"
           "                               file first\n"
           "  --result FILE                with --train: write the run's result record to FILE;\n"
           "                               the exit status then says whether it was written\n"
           "  --progress N                 with --train or --run-macro: also print the\n"
           "                               iteration, error and learning rate every N\n"
           "                               iterations on standard error\n"
           "  --help                       this text\n"
           "\n"
           "Output: each result the window would show is a line <control name><TAB><text>\n"
           "(Label3(0) training error, Label3(1) iteration, Label3(2) time for each iteration,\n"
           "Label3(3) total time, Label3(4) test error, Label3(5) learning rate); each message\n"
           "box is a line MsgBox<TAB><title><TAB><text> at the moment it would appear.\n"
           "Relative data and weights paths in a project are taken from the project file's\n"
           "folder, relative project paths in a macro from the macro file's folder.\n"
           "\n"
           "Random numbers: the generator is the 32-bit Mersenne Twister MT19937 (as C++'s\n"
           "std::mt19937 defines it), each number the top 24 bits of one output divided by\n"
           "2^24. Every start of the program seeds it with 20001226, so every start draws the\n"
           "same numbers; --seed N seeds it with N, so a seed gives the same weights and the\n"
           "same runs on every machine.\n"
           "\n"
           "Sweep file: one line per varied setting, \"caption = value, value, ...\" (text after\n"
           "# is ignored). Captions: Method (Genetic algorithm, Backpropagation), Crossover\n"
           "(1 point, 2 point, Uniform, NN 1 point, NN 2 points, NN uniform), Elitism and\n"
           "Output linear layer (yes, no), 1st hidden layer neurons, 2nd hidden layer neurons,\n"
           "Learning rate, Momentum, Learning rate increase, Learning rate decrease, Max error\n"
           "ratio, Initial population, Mutation rate, Crossover rate, Error goal, Max.\n"
           "iterations, and Seeds. Numbers use the decimal point; whole numbers may be ranges\n"
           "a..b. Example:\n"
           "    Learning rate = 0.01, 0.05\n"
           "    1st hidden layer neurons = 4, 8\n"
           "    Seeds = 1..10\n"
           "The expansion is the cross product, the first line varying slowest: FOLDER gets\n"
           "BASE_lr-0.01_h1-4_seed-1.prj and so on, each with its own weights file (drawn with\n"
           "its seed as --random-weights draws them; without seeds a copy of the base's), its\n"
           "starting weights in FOLDER/start, and the list FOLDER/sweep.runs. More than\n"
           "--max-runs projects are refused.\n"
           "\n"
           "Runs at once: --run-macro with --jobs starts one \"Corvane --train\" per run and\n"
           "prints a line per finished run, with an estimate of the time left, on standard\n"
           "error. Each run starts its generator afresh (from its seed), as it does when trained\n"
           "alone, so the files equal those of --run-macro with the same --seed (or of the same\n"
           "sweep folder); runs that share a file train one after another in the macro's order.\n"
           "Result records and logs go to FOLDER/results (for a macro, MACRO.results beside\n"
           "it). A run that fails is a row of the summary with its message; after Ctrl+C or a\n"
           "killed run, --resume trains only the runs that have no result.\n"
           "\n"
           "Summary (CSV): a \"run\" row per run (settings, status, message, iterations,\n"
           "training and test error, stop reason, wall time, files), then a \"setting\" row per\n"
           "distinct setting with the mean, standard deviation, minimum and maximum of the\n"
           "errors over its seeds.\n"
           "\n"
           "Slurm: the script is started with bash on the cluster's login node; it submits\n"
           "itself as an array job (--array=1-K%P, one task per run or group of runs sharing a\n"
           "file) and a job that writes the summary once the array ended well\n"
           "(--dependency=afterok). Started again, it trains only what has no result.\n"
           "\n"
           "Exit status: 0 done, 1 a failure was reported or the run did not start, 2 bad\n"
           "command line.\n";
}

} // namespace

std::string usage() {
    return own_usage() +
           "\nAfter --train PROJECT.prj or --evaluate PROJECT.prj (figure: the error\n"
           "chart of the run, or of the project's errors file; table: the training\n"
           "data with the network's outputs):\n" +
           cli::export_usage(true);
}

Command parse(const std::vector<std::string>& args, bool exporting) {
    Command c;
    std::string& command = c.command;
    std::vector<std::string>& operands = c.operands;
    Options& o = c.options;
    auto bad = [&](const std::string& why) {
        c.stop = cli::bad_command_line("Corvane", why, usage());
        return c;
    };
    const Arguments split = split_arguments(args);
    const cli::ReadOptions read = cli::read_options(split.options, kOptions);
    if (read.help) {
        c.stop = cli::help(usage());
        return c;
    }
    if (!read.error.empty()) return bad(read.error);
    for (const cli::GivenOption& given : read.given) {
        const std::string& a = given.name;
        const std::string value = given.values.empty() ? std::string() : given.values.front();
        if (a == "--progress") {
            auto n = positive(value);
            if (!n) return bad("--progress needs a positive whole number");
            o.progress = *n;
        } else if (a == "--seed") {
            auto n = cli::whole_number(value, 0, std::numeric_limits<std::uint32_t>::max());
            if (!n) return bad("--seed needs a whole number from 0 to 4294967295");
            o.seed = static_cast<std::uint32_t>(*n);
        } else if (a == "--jobs") {
            // The number is optional: without it, one job per core.
            o.jobs = split.jobs.value_or(0);
        } else if (a == "--max-runs") {
            auto n = positive(value);
            if (!n) return bad("--max-runs needs a positive whole number");
            o.max_runs = static_cast<std::size_t>(*n);
        } else if (a == "--summary" || a == "--result" || a == "--start-weights") {
            if (value.empty()) return bad(a + " needs a file name");
            (a == "--summary" ? o.summary : a == "--result" ? o.result : o.start_weights) = value;
        } else if (a == "--resume") {
            o.resume = true;
        } else if (is_command(a)) {
            if (!command.empty()) return bad("give one command at a time");
            command = a;
            operands = given.values;
        }
    }
    operands.insert(operands.end(), split.files.begin(), split.files.end());
    // --summary with a macro or a sweep folder and no command: only the table.
    if (command.empty() && !o.summary.empty()) command = "--summary";
    const bool macro = command == "--run-macro";
    // A name the system will not look up (too long, say) is no folder; its reading fails later
    // with the program's message.
    std::error_code ec;
    const bool folder = !operands.empty() && (macro || command == "--slurm-script") &&
                        std::filesystem::is_directory(operands[0], ec);
    // --random-weights takes its file name or writes the project's own weights file.
    const std::size_t files = command == "--random-weights" ? 2
                              : command == "--expand-sweep" ? 3
                                                            : 1;
    const bool operands_ok =
        !command.empty() &&
        (operands.size() == files || (command == "--random-weights" && operands.size() == 1));
    if (!operands_ok) return bad("bad command line");
    if (o.progress > 0 && command != "--train" && !macro)
        return bad("--progress goes with --train or --run-macro");
    if (o.seed && (folder || (command != "--train" && !macro && command != "--random-weights")))
        return bad("--seed goes with --train, --random-weights or --run-macro with a macro file");
    if (o.jobs && !macro && command != "--slurm-script")
        return bad("--jobs goes with --run-macro or --slurm-script");
    if (o.resume && !(macro && o.jobs)) return bad("--resume goes with --run-macro and --jobs");
    if (!o.summary.empty() && !macro && command != "--summary" && command != "--slurm-script")
        return bad("--summary goes with --run-macro or --slurm-script");
    if ((!o.result.empty() || !o.start_weights.empty()) && command != "--train")
        return bad("--result and --start-weights go with --train");
    if (o.max_runs != default_max_runs && command != "--expand-sweep")
        return bad("--max-runs goes with --expand-sweep");
    if (exporting && command != "--train" && command != "--evaluate")
        return bad("--export-svg, --export-png, --export-pdf and --export-csv go with --train or "
                   "--evaluate");
    if (o.jobs && *o.jobs == 0)
        o.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return c;
}

Command parse_command_line(const std::vector<std::string>& args) {
    std::vector<std::string> own = args;
    const cli::TakenExports taken = cli::take_export_options(own);
    Command c;
    if (!taken.error.empty()) {
        c.stop = cli::bad_command_line("Corvane", taken.error, usage());
        return c;
    }
    // Export options alone, or with only a file name, name no command.
    if (taken.exports.any() && cli::how_to_start(own, true) == cli::Start::window) {
        c.stop = cli::bad_command_line("Corvane",
                                       "the export options go with --train or --evaluate", usage());
        return c;
    }
    c = parse(own, taken.exports.any());
    c.exports = taken.exports;
    return c;
}

int run_command(const Command& c, std::ostream& out, std::ostream& err, BatchResults* results) {
    const bool exporting = results && c.exports.any();
    const std::string& command = c.command;
    const std::vector<std::string>& operands = c.operands;
    const Options& o = c.options;
    Session session(out, err, o.progress);
    if (command == "--train" || command == "--evaluate") {
        const bool trained = command == "--train";
        const int status =
            trained ? train(session, operands[0], o) : evaluate(session, operands[0]);
        if (status != 0 || !exporting) return status;
        // A run that did not end well (its --result record written) has nothing to export.
        if (session.view.failure_reported()) return cli::status_failed;
        return collect_exports(session, trained, c.exports, *results);
    }
    if (command == "--run-macro") return run_macro(session, operands[0], o);
    if (command == "--expand-sweep") return expand(session, operands, o);
    if (command == "--slurm-script") return slurm(session, operands[0], o);
    if (command == "--summary") return summarise(session, operands[0], o);
    return random_weights(session, operands[0], operands.size() == 2 ? &operands[1] : nullptr, o);
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        BatchResults* results) {
    const Command c = parse_command_line(args);
    if (c.stop) return cli::report(*c.stop, out, err);
    return run_command(c, out, err, results);
}

int batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const FigureFiles& figures) {
    const Command c = parse_command_line(args);
    if (c.stop) return cli::report(*c.stop, out, err);
    if (c.exports.wantsFigure() && !figures)
        return cli::report(cli::bad_command_line("Corvane", cli::no_figures, usage()), out, err);
    BatchResults results;
    const int status = run_command(c, out, err, &results);
    if (status != cli::status_done || !c.exports.any()) return status;
    const int drawn = cli::write_figure_exports(c.exports, figures, results, "Corvane", out);
    return std::max(drawn, cli::write_table_export(c.exports, results.table, "Corvane", out));
}

} // namespace corvane::batch
