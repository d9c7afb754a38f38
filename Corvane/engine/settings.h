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
inline constexpr int ficheiro_dados = 0, entrada_inicial = 1, entrada_final = 2, treino_inicial = 3,
                     treino_final = 4, saida_inicial = 5, saida_final = 6, taxa_aprendizagem = 7,
                     momento = 8, teste_inicial = 9, teste_final = 10, objectivo_erro = 11,
                     max_iteracoes = 12, ficheiro_pesos = 13, oculta1 = 14, oculta2 = 15,
                     populacao = 16, taxa_mutacao = 17, taxa_cruzamento = 18, aumento_taxa = 19,
                     reducao_taxa = 20, razao_erro = 21, intervalo_grafico = 22;
}

/// `definicoes_projecto`: the texts of `Text1(0)`..`Text1(22)`, the choices `Option1(9)`..
/// `Option1(16)`, the flags `Check1(0)`..`Check1(2)`, the result captions `Label3(0)`..`Label3(4)`
/// and the project file path shown in `Label2`. Member names are the controls' names; the project
/// window keeps this record in step with its controls. A new record holds the defaults.
struct definicoes_projecto {
    std::array<std::string, 23> Text1{"",    "",    "",    "",     "",     "",     "", "0.01",
                                      "0.9", "",    "",    "0",    "1000", "",     "", "",
                                      "10",  "0.1", "0.8", "1.05", "0.7",  "1.04", "1"};
    /// Indices 9 to 16 are used: 9 "Genetic algorithm", 10 "Backpropagation", 11 "1 point",
    /// 12 "2 point", 13 "Uniform", 14 "NN 1 point", 15 "NN 2 points", 16 "NN uniform".
    std::array<bool, 17> Option1{false, false, false, false, false, false, false, false, false,
                                 true,  false, false, false, false, false, true,  false};
    /// 0 "Elitism", 1 linear output layer, 2 "Show error chart"; each 0 or 1.
    std::array<int, 3> Check1{0, 1, 1};
    /// Training error, iteration number, time per iteration, total time, test error.
    std::array<std::string, 5> Label3{};
    /// Path of the project file; empty for a project never saved.
    std::string Label2;

    bool backpropagation() const { return Option1[10]; }
    bool camada_linear() const { return Check1[1] == 1; }
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
