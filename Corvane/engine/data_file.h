// The data file: TAB-separated numbers; the project chooses the lines of the training and test
// sets and the columns of the inputs and targets.
#pragma once

#include "network.h"
#include "view.h"

#include <string>

namespace corvane {

/// `le_dados`: reads the training set (`treino` true: lines of slots 3 to 4 into
/// `entradas_treino`/`saidas_treino`, which must already be sized) or the test set (lines of
/// slots 9 to 10 into `entradas_teste`/`saidas_teste`, first re-allocated zero-filled) from
/// `ficheiro` (the data file path, already resolved). Input columns are slots 1 to 2, target
/// columns 5 to 6; fields are separated by TAB only and read with `texto_para_numero`. A file
/// ending before the last line leaves the remaining patterns 0. On a failure (file unreadable,
/// end of file before the first line, a line without the requested field, a line or column
/// number that is not a whole number in range) it sets the pointer to the arrow, restores the
/// idle state, shows "Error reading data file" and returns false; values stored before stay.
bool le_dados(const definicoes_projecto& d, const std::string& ficheiro, bool treino,
              ConjuntosDados& conjuntos, TrainerView& view);

} // namespace corvane
