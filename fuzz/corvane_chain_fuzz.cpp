// A project with the files it names, and a macro with the projects it names, all from one input:
//   the project file
//   @data       (a line of its own) then the data file
//   @weights    then the weights file
//   @macro      then the macro file (optional)
// The parts are saved side by side in a scratch folder as project.prj, data.txt, weights.wgt and
// macro.mcr, so a project naming "data.txt" and "weights.wgt" reads them as the program does.
// The project is loaded and its weights evaluated (as "Corvane --evaluate" does); the macro's
// plan is made and each of its first projects loaded and evaluated the same way. Nothing may be
// written: every file is as it was afterwards.
#include "corvane_view.h"

#include "engine/network.h"
#include "engine/run_plan.h"
#include "engine/trainer.h"

#include "numtext/numtext.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

// Training sets larger than this many values, or evaluations of more weight products, are
// skipped: memory and time are not the readers' concern.
constexpr double most_values = 1.0e6;
constexpr double most_products = 2.0e7;
// Macro rows evaluated: later rows only repeat the work.
constexpr std::size_t most_rows = 3;

struct Part {
    const char* name;
    const char* marker;
    std::string_view bytes;
};

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Loads the project at `path` and evaluates its weights; the project's sets are sized first
// and skipped when too large.
void evaluate(const std::string& path) {
    corvane::definicoes_projecto d;
    fuzz::QuietView view;
    const corvane::ProjectLoad load = fuzz::shown(corvane::le_ficheiro_projecto(path, d), view);
    FUZZ_CHECK(load.ok == (view.messages == 0));
    if (!load.ok) return;
    d.Label2 = path; // relative files are taken from the project's folder
    std::string error;
    const auto arq = corvane::calcula_arquitectura(d, error);
    if (arq) {
        const double lines =
            d.numero(corvane::slot::treino_final) - d.numero(corvane::slot::treino_inicial) + 1.0;
        if (lines * (static_cast<double>(arq->n_entradas) + arq->n_saidas) > most_values ||
            lines * arq->n_pesos > most_products)
            return;
    }
    corvane::EstadoPrograma programa;
    corvane::Treinador trainer(d, programa, view);
    const int before = view.messages;
    (void)trainer.avalia_ficheiro_pesos();
    // An evaluation shows one message: the error, or why there is none.
    FUZZ_CHECK(view.messages == before + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<Part, 4> parts{{{"project.prj", "", {}},
                               {"data.txt", "\n@data\n", {}},
                               {"weights.wgt", "\n@weights\n", {}},
                               {"macro.mcr", "\n@macro\n", {}}}};
    // The markers come in this order; after a missing one the parts that follow stay empty.
    std::string_view rest = fuzz::view(data, size);
    std::size_t p = 0;
    for (; p + 1 < parts.size(); ++p) {
        const std::string_view marker = parts[p + 1].marker;
        const std::size_t end = rest.find(marker);
        if (end == std::string_view::npos) break;
        parts[p].bytes = rest.substr(0, end);
        rest.remove_prefix(end + marker.size());
    }
    parts[p].bytes = rest;

    const fs::path folder = fs::path(fuzz::scratch_folder()) / "chain";
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    for (const Part& part : parts) {
        if (part.bytes.empty() && std::string_view(part.name) == "macro.mcr") continue;
        std::ofstream out(folder / part.name, std::ios::binary);
        out.write(part.bytes.data(), static_cast<std::streamsize>(part.bytes.size()));
        FUZZ_CHECK(out.good());
    }

    evaluate((folder / "project.prj").string());
    if (fs::exists(folder / "macro.mcr")) {
        fuzz::QuietView view;
        const auto plan = corvane::plan_from_macro((folder / "macro.mcr").string(), {}, view);
        FUZZ_CHECK(plan.has_value() == (view.messages == 0));
        if (plan) {
            for (std::size_t r = 0; r < plan->runs.size() && r < most_rows; ++r) {
                FUZZ_CHECK(fs::path(plan->runs[r].project).is_absolute());
                evaluate(plan->runs[r].project);
            }
        }
    }

    // Loading and evaluating write nothing.
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        (void)entry;
        ++files;
    }
    std::size_t expected = 0;
    for (const Part& part : parts) {
        if (part.bytes.empty() && std::string_view(part.name) == "macro.mcr") continue;
        FUZZ_CHECK(contents(folder / part.name) == part.bytes);
        ++expected;
    }
    FUZZ_CHECK(files == expected);
    return 0;
}
