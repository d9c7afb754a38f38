// The view commands of a project: the data sets with the network's answers, the weights, and
// the error curve of the last run read back from the errors file. The windows show what these
// return, and batch mode exports the same.
#pragma once

#include "grid_content.h"
#include "settings.h"
#include "view.h"

#include <optional>
#include <vector>

namespace corvane {

namespace msg {
inline constexpr std::string_view erro_ler_ficheiro = "Error reading file!";
inline constexpr std::string_view erro_ler_erros = "Error reading trainning errors file.";
} // namespace msg

/// A data set view: the checked data box, the network sized from the settings with the weights
/// file's weights, the set read from the data file, and the grid of `mostra_dados` with the
/// network's outputs. nullopt after the failing step's message.
std::optional<ConteudoGrelha> vista_dados(const definicoes_projecto& d, bool treino,
                                          TrainerView& view);

/// A weights view: the checked architecture, the network sized from the settings and the
/// weights file read into it, laid out by `mostra_pesos`. nullopt after the failing step's
/// message.
std::optional<ConteudoGrelha> vista_pesos(const definicoes_projecto& d, TrainerView& view);

/// The error chart of the last run: the axis interval and point count from the iteration count
/// n shown in `Label3(1)` (`escala_grafico`, n - 1 points) and the values of the errors file
/// beside the project file (at most 6000).
struct GraficoErros {
    int intervalo = 50;
    int pontos = 0;
    std::vector<float> valores;
};

/// nullopt after "Error reading trainning errors file." (also for a project never saved, which
/// has no errors file).
std::optional<GraficoErros> grafico_erros(const definicoes_projecto& d, TrainerView& view);

class Treinador;

/// The error chart of the run `treinador` made last: the error of each iteration it completed
/// (all of them, not only the first 6000), over as many points, with the axis interval of its
/// iteration count.
GraficoErros chart_of_last_run(const Treinador& treinador);

} // namespace corvane
