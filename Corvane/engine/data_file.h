// The data file: TAB-separated numbers; the project chooses the lines of the training and test
// sets and the columns of the inputs and targets.
#pragma once

#include "network.h"
#include "text_file.h"
#include "view.h"

#include <string>

namespace corvane {

/// `le_dados`: reads the training set (`treino` true: lines of slots 3 to 4 into
/// `entradas_treino`/`saidas_treino`) or the test set (lines of slots 9 to 10 into
/// `entradas_teste`/`saidas_teste`) from `ficheiro` (the data file path, already resolved). Input
/// columns are slots 1 to 2, target columns 5 to 6; fields are separated by TAB only and read
/// with `texto_para_numero`; lines end at CR LF, LF or a lone CR. The set's matrices are sized
/// afresh and grow a pattern per line read, and the file is read a piece at a time no further
/// than the set's last line. The
/// failure is returned for the caller to show (and to restore the idle state): "Error reading
/// data file" when the file cannot be read (or is too large, with the reason), is 16-bit text,
/// ends before the first line, a line has not got a requested field, a line or column number is
/// not a whole number in range, a value is beyond the range of a single-precision number, or the
/// set's lines hold no number at all; `linhas_alem_do_fim` when the file ends before the set's
/// last line. After a failure the matrices hold the patterns of the lines read, the line that
/// failed included, with what was stored of it.
ReadOutcome le_dados(const definicoes_projecto& d, const std::string& ficheiro, bool treino,
                     ConjuntosDados& conjuntos);

/// The message for a set whose lines `primeira`..`ultima` go past the last of the data file's
/// `linhas` lines.
std::string linhas_alem_do_fim(bool treino, int primeira, int ultima, std::size_t linhas);

} // namespace corvane
