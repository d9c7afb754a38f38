// The settings of one project, as the project window's controls hold them, and their checks.
#pragma once

#include "view.h"

#include <array>
#include <string>
#include <string_view>

namespace corvane {

/// Texts of the message boxes shown by the checks and the project file.
namespace msg {
inline constexpr std::string_view dados_invalidos =
    "Please check values of \"Training data and Test data\" box";
inline constexpr std::string_view arquitectura_invalida =
    "Please check values of \"Neural network architecture\" box";
inline constexpr std::string_view erro_gravar_projecto = "Error saving project file!";
inline constexpr std::string_view erro_carregar_projecto = "Error loading project file!";
inline constexpr std::string_view erro_ler_dados = "Error reading data file";
inline constexpr std::string_view erro_gravar_pesos = "Error saving weights file!";
inline constexpr std::string_view erro_carregar_pesos = "Error loading weights file!";
inline constexpr std::string_view pesos_inadequados =
    "Weights file is not suited for present project!";
inline constexpr std::string_view erro_carregar_macro = "Error loading macro!";
inline constexpr std::string_view erro_gravar_macro = "Error saving macro!";
} // namespace msg

/// Text slots of the project window, by the meaning of `Text1(i)`.
namespace slot {
inline constexpr int ficheiro_dados = 0;     ///< data file path
inline constexpr int entrada_inicial = 1;    ///< first input column
inline constexpr int entrada_final = 2;      ///< last input column
inline constexpr int treino_inicial = 3;     ///< first training line
inline constexpr int treino_final = 4;       ///< last training line
inline constexpr int saida_inicial = 5;      ///< first output (target) column
inline constexpr int saida_final = 6;        ///< last output (target) column
inline constexpr int taxa_aprendizagem = 7;  ///< learning rate
inline constexpr int momento = 8;            ///< momentum
inline constexpr int teste_inicial = 9;      ///< first testing line
inline constexpr int teste_final = 10;       ///< last testing line
inline constexpr int objectivo_erro = 11;    ///< error goal
inline constexpr int max_iteracoes = 12;     ///< maximum number of iterations
inline constexpr int ficheiro_pesos = 13;    ///< weights file path
inline constexpr int oculta1 = 14;           ///< neurons in the 1st hidden layer
inline constexpr int oculta2 = 15;           ///< neurons in the 2nd hidden layer
inline constexpr int populacao = 16;         ///< initial population of the genetic algorithm
inline constexpr int taxa_mutacao = 17;      ///< mutation rate
inline constexpr int taxa_cruzamento = 18;   ///< crossover rate
inline constexpr int aumento_taxa = 19;      ///< learning rate increase
inline constexpr int reducao_taxa = 20;      ///< learning rate decrease
inline constexpr int razao_erro = 21;        ///< max error ratio
inline constexpr int intervalo_grafico = 22; ///< iterations between chart updates
} // namespace slot

/// The option buttons `Option1(i)`: two exclusive groups, the training method and the crossover
/// operator (crossover type 1 to 6 in that order). Indices below 9 are not used.
namespace choice {
inline constexpr int genetic_algorithm = 9; ///< method "Genetic algorithm"
inline constexpr int backpropagation = 10;  ///< method "Backpropagation"
inline constexpr int one_point = 11;        ///< crossover "1 point", the first crossover choice
inline constexpr int two_point = 12;        ///< crossover "2 point"
inline constexpr int uniform = 13;          ///< crossover "Uniform"
inline constexpr int nn_one_point = 14;     ///< crossover "NN 1 point"
inline constexpr int nn_two_points = 15;    ///< crossover "NN 2 points"
inline constexpr int nn_uniform = 16;       ///< crossover "NN uniform", the last crossover choice
} // namespace choice

/// The check boxes `Check1(i)`, each 0 or 1.
namespace flag {
inline constexpr int elitism = 0;      ///< "Elitism" in the genetic algorithm
inline constexpr int linear_layer = 1; ///< the linear output layer is in use
inline constexpr int show_chart = 2;   ///< "Show error chart" during training
} // namespace flag

/// The result captions `Label3(i)` of the "Training results" panel.
namespace results {
inline constexpr int training_error = 0;     ///< training error
inline constexpr int iteration = 1;          ///< iteration number
inline constexpr int time_per_iteration = 2; ///< time for each iteration
inline constexpr int total_time = 3;         ///< total training time
inline constexpr int test_error = 4;         ///< test error
inline constexpr int learning_rate = 5; ///< current learning rate: the panel's, not the record's
} // namespace results

/// `definicoes_projecto`: the texts of `Text1(0)`..`Text1(22)`, the choices `Option1(9)`..
/// `Option1(16)`, the flags `Check1(0)`..`Check1(2)`, the result captions `Label3(0)`..`Label3(4)`
/// and the project file path shown in `Label2`. Member names are the controls' names; the project
/// window keeps this record in step with its controls. A new record holds the defaults.
struct definicoes_projecto {
    std::array<std::string, 23> Text1{"",    "",    "",    "",     "",     "",     "", "0.01",
                                      "0.9", "",    "",    "0",    "1000", "",     "", "",
                                      "10",  "0.1", "0.8", "1.05", "0.7",  "1.04", "1"};
    /// Indices `choice::genetic_algorithm` to `choice::nn_uniform` are used.
    std::array<bool, choice::nn_uniform + 1> Option1{false, false, false, false, false, false,
                                                     false, false, false, true,  false, false,
                                                     false, false, false, true,  false};
    /// Indexed by `flag`; each 0 or 1.
    std::array<int, 3> Check1{0, 1, 1};
    /// Indexed by `results`: training error to test error.
    std::array<std::string, 5> Label3{};
    /// Path of the project file; empty for a project never saved.
    std::string Label2;

    bool backpropagation() const { return Option1[choice::backpropagation]; }
    bool camada_linear() const { return Check1[flag::linear_layer] == 1; }
    /// `texto_para_numero` of text slot `i`.
    double numero(int i) const;
};

/// `texto_para_numero`: the first "," becomes "."; then the leading decimal number (blanks
/// ignored, optional sign, one point, exponent "E" or "D"); no number gives 0.
double texto_para_numero(std::string_view texto);

/// `verifica_dados`: false (after its message) when any of slots 1 to 6, 9, 10 reads as 0 or a
/// last column or line is smaller than its first.
bool verifica_dados(const definicoes_projecto& d, TrainerView& view);

/// `verifica_arquitectura`: false (after its message) when slot 14 reads as 0 or less, or when
/// the linear output layer is selected and slot 15 reads as 0 or less.
bool verifica_arquitectura(const definicoes_projecto& d, TrainerView& view);

} // namespace corvane
