#include "macro_run.h"

#include "trainer.h"

namespace corvane {

int corre_macro(EstadoPrograma& programa, MacroSteps& steps) {
    int started = 0;
    programa.macro_activa = true;
    for (int row = 1; programa.macro_activa; ++row) {
        const std::string project = steps.project(row);
        if (project.empty()) break;
        ++started;
        steps.row_started(row, project);
        // A project that did not load is not trained: its run would save the settings the
        // previous row left over that project's file.
        const bool loaded = steps.load(row, project);
        if (loaded) steps.train(row, project);
        steps.row_ended(row, project, loaded);
    }
    programa.macro_activa = false;
    programa.pedido_paragem = false;
    return started;
}

} // namespace corvane
