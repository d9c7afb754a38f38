// The project file: a load into a fresh project, the spinner values it yields, and a save and
// load again that must give back the same project.
#include "corvane_view.h"

#include "engine/project_file.h"

namespace {

// The result captions are compared unless one shows an infinite error ("Inf"): no run can
// produce it, and it reads back as 0.
bool same(const corvane::definicoes_projecto& a, const corvane::definicoes_projecto& b) {
    for (std::size_t i = 0; i < a.Label3.size(); ++i)
        if (a.Label3[i] != b.Label3[i] && a.Label3[i].find("Inf") == std::string::npos)
            return false;
    return a.Text1 == b.Text1 && a.Option1 == b.Option1 && a.Check1 == b.Check1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    corvane::definicoes_projecto project;
    fuzz::QuietView view;
    const corvane::ProjectLoad load = fuzz::shown(
        corvane::le_ficheiro_projecto(fuzz::as_file(fuzz::view(data, size)), project), view);
    FUZZ_CHECK(load.ok == (view.messages == 0));
    for (int c : project.Check1)
        FUZZ_CHECK(c == 0 || c == 1);
    if (!load.ok) return 0;
    for (std::size_t s = 0; s < corvane::spinners.size(); ++s) {
        FUZZ_CHECK(load.spinner[s].has_value());
        FUZZ_CHECK(*load.spinner[s] >= corvane::spinners[s].minimo &&
                   *load.spinner[s] <= corvane::spinners[s].maximo);
    }

    // What was loaded is saved and read back unchanged (a text the format cannot hold is
    // refused by the save, with its message, and then nothing is compared).
    const std::string path = fuzz::scratch_folder() + "/project.prj";
    fuzz::QuietView save_view;
    if (!corvane::grava_projecto(project, path, save_view)) {
        FUZZ_CHECK(save_view.messages == 1);
        return 0;
    }
    corvane::definicoes_projecto again;
    fuzz::QuietView load_view;
    FUZZ_CHECK(fuzz::shown(corvane::le_ficheiro_projecto(path, again), load_view).ok);
    FUZZ_CHECK(same(project, again));
    return 0;
}
