// The macro run: the rows of a macro trained one after another, the same for the window and for
// batch mode. What a row means (where its project comes from, how it is loaded, trained and
// shown) is the caller's; the order of the steps, the skipping of a project that did not load
// and the end of the run on a stop request are this loop's.
#pragma once

#include <string>

namespace corvane {

struct EstadoPrograma;

/// What the macro run asks of its caller, row by row.
class MacroSteps {
public:
    virtual ~MacroSteps() = default;
    /// The project of row `row` (1-based) as it is to be loaded; empty past the last row, which
    /// ends the macro. Asked only when the row's turn comes, so a row changed during the run is
    /// run as it is then.
    virtual std::string project(int row) = 0;
    /// The row's turn has come (before its project is loaded).
    virtual void row_started(int /*row*/, const std::string& /*project*/) {}
    /// Loads the row's project; false after its message when it did not load.
    virtual bool load(int row, const std::string& project) = 0;
    /// Trains the loaded project; returns when the run has ended.
    virtual void train(int row, const std::string& project) = 0;
    /// The row is done (`loaded` false: its project did not load and was not trained).
    virtual void row_ended(int /*row*/, const std::string& /*project*/, bool /*loaded*/) {}
};

/// `Run macro`: sets `macro_activa`, then for rows 1, 2, ... up to the first empty one while
/// `macro_activa` holds: starts the row, loads its project, trains it
/// when it loaded, ends the row. A project's own stop request ends only that project's run;
/// clearing `macro_activa` (Stop macro, closing the macro window) lets the row in course end
/// and starts no other. Afterwards `macro_activa` and `pedido_paragem` are clear. The number
/// of rows started.
int corre_macro(EstadoPrograma& programa, MacroSteps& steps);

} // namespace corvane
