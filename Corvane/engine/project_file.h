// The project file (".prj"): 39 lines, one value per line, CR LF line ends.
#pragma once

#include "settings.h"

#include <array>
#include <optional>
#include <string>

namespace corvane {

/// `grava_projecto`: writes the 23 texts quoted, the 8 choices as #TRUE#/#FALSE#, the 3 flags as
/// integers and the 5 result captions quoted. A text holding a double quote cannot be stored
/// (the format has no escape), so such a project is refused before anything is written. The old
/// file is replaced only by a complete new one. False after "Error saving project file!" (and the
/// system's reason) or the refusal's message.
bool grava_projecto(const definicoes_projecto& d, const std::string& ficheiro, TrainerView& view);

/// The ranges of the project window's spinners `VScroll1(0)`..`VScroll1(7)`, and the slot and
/// factor each is set from when a project is loaded.
struct Spinner {
    int slot;
    double factor;
    int minimo;
    int maximo;
};

/// The spinners `VScroll1(i)`: the first five belong to backpropagation, the rest to the genetic
/// algorithm.
namespace spinner {
inline constexpr int learning_rate = 0;   ///< learning rate, in hundredths
inline constexpr int rate_increase = 1;   ///< learning rate increase, in hundredths
inline constexpr int rate_decrease = 2;   ///< learning rate decrease, in hundredths
inline constexpr int momentum = 3;        ///< momentum, in hundredths
inline constexpr int max_error_ratio = 4; ///< max error ratio, in hundredths
inline constexpr int population = 5;      ///< initial population
inline constexpr int mutation_rate = 6;   ///< mutation rate, in tenths
inline constexpr int crossover_rate = 7;  ///< crossover rate, in tenths
inline constexpr int last_backpropagation = max_error_ratio; ///< the last backpropagation one
} // namespace spinner

inline constexpr std::array<Spinner, 8> spinners{{{slot::taxa_aprendizagem, 100, 0, 100},
                                                  {slot::aumento_taxa, 100, 100, 200},
                                                  {slot::reducao_taxa, 100, 0, 100},
                                                  {slot::momento, 100, 0, 100},
                                                  {slot::razao_erro, 100, 100, 200},
                                                  {slot::populacao, 1, 0, 100},
                                                  {slot::taxa_mutacao, 10, 0, 10},
                                                  {slot::taxa_cruzamento, 10, 0, 10}}};

struct ProjectLoad {
    bool ok = false;
    /// The message of a failed load, for the caller to show.
    std::string failure;
    /// The values for `VScroll1(0)`..`VScroll1(7)`; a failed load leaves the rest empty.
    std::array<std::optional<int>, 8> spinner{};
};

/// The reading half of `carrega_ficheiro_projecto`: fills `d` item by item from `ficheiro`
/// (texts, choices, flags, result captions with the training and test errors reformatted as
/// "0.0000E-00") and works out the spinner values. A failure (missing or unreadable file, fewer
/// than 39 items, a value its control cannot hold) returns "Error loading project file!" (with
/// the reason when the file is too large) for the caller to show; what was loaded so far stays
/// in `d`. `Label2` is not touched. Nothing may be trained or saved from a failed load.
ProjectLoad le_ficheiro_projecto(const std::string& ficheiro, definicoes_projecto& d);

/// `nome_ficheiro_erros`: the project path with its last "prj" replaced by "err"; nullopt when
/// the path holds no "prj".
std::optional<std::string> nome_ficheiro_erros(const std::string& caminho_projecto);

} // namespace corvane
