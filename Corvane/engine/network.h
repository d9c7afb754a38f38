// The multilayer perceptron: two sigmoid layers and an optional linear output layer, its
// weights, the forward pass of one pattern and the error over a data set.
//
// All weights, outputs, targets and errors are floats; every operation is done in double and
// the result rounded to float when it is stored (each running sum is a float).
#pragma once

#include "settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// `arquitectura_rede`: the counts of one network, all 16-bit.
struct arquitectura_rede {
    std::int16_t n_entradas = 0;
    std::int16_t n_saidas = 0;
    bool camada_linear = false;
    std::int16_t n_oculta1 = 0;
    std::int16_t n_oculta2 = 0;
    std::int16_t n_pesos1 = 0;
    std::int16_t n_pesos2 = 0;
    std::int16_t n_pesos3 = 0;
    std::int16_t n_pesos = 0;
    std::int16_t n_neuronios = 0;
};

/// The architecture the settings describe: n_entradas and n_saidas from the data columns,
/// n_oculta1 from slot 14, n_oculta2 from slot 15 with the linear output layer (else n_saidas),
/// each count rounded to nearest (halves to even). nullopt with a message in `erro` when a count
/// is below 1 or a count, sum or product leaves 16 bits.
std::optional<arquitectura_rede> calcula_arquitectura(const definicoes_projecto& d,
                                                      std::string& erro);

/// One data set: `n_variaveis` values (inputs or targets) for each of `n_padroes` patterns.
struct Matriz {
    int n_variaveis = 0;
    int n_padroes = 0;
    std::vector<float> valores; // pattern by pattern

    void dimensiona(int variaveis, int padroes) {
        n_variaveis = variaveis;
        n_padroes = padroes;
        valores.assign(static_cast<std::size_t>(variaveis) * static_cast<std::size_t>(padroes),
                       0.0f);
    }
    /// Value i (from 0) of pattern p (from 0).
    float& operator()(int i, int p) {
        return valores[static_cast<std::size_t>(p) * static_cast<std::size_t>(n_variaveis) +
                       static_cast<std::size_t>(i)];
    }
    float operator()(int i, int p) const {
        return valores[static_cast<std::size_t>(p) * static_cast<std::size_t>(n_variaveis) +
                       static_cast<std::size_t>(i)];
    }
    const float* padrao(int p) const {
        return valores.data() + static_cast<std::size_t>(p) * static_cast<std::size_t>(n_variaveis);
    }
};

/// The four data sets of a project.
struct ConjuntosDados {
    Matriz entradas_treino, saidas_treino, entradas_teste, saidas_teste;
};

/// `sigmoide`: 0 below -20, 1 above 20, else 1 / (2.718282^(-x) + 1) in double, as a float.
float sigmoide(float x);

/// `sigmoide` of each of the n values of `s`, in place, with results identical to `sigmoide`: a
/// fast exponential whose error is far below the float rounding step is used, and any value
/// whose float result that error could change is worked out again exactly.
void sigmoide_linha(float* s, int n);

/// The network: its architecture, weights `W1`, `W2`, `W3` (each neuron's bias then its input
/// weights, indexed from 0 here) and the working vectors of the last forward pass.
struct Rede {
    arquitectura_rede arq;
    std::vector<float> W1, W2, W3;
    std::vector<float> saida1, saida2, saida_rede;

    /// Sizes every vector for `a`, all zero.
    void dimensiona(const arquitectura_rede& a);

    /// `calculo_saidas`: the forward pass of pattern p (from 0) of `entradas`.
    void calculo_saidas(const Matriz& entradas, int p);
    /// `sum` plus (target - output)^2 of each output of pattern p in turn, each square in
    /// double and each partial sum rounded to a float; call `calculo_saidas` for the pattern
    /// first. The one sum behind `erro_padrao` and `calculo_erro_conjunto`.
    float add_squared_errors(const Matriz& saidas, int p, float sum) const;
    /// `erro_padrao`: the sum over the outputs of pattern p of (target - output)^2, started
    /// from 0.
    float erro_padrao(const Matriz& saidas, int p) const;
    /// `calculo_erro_conjunto`: the plain sum over all patterns and outputs of
    /// (target - output)^2 for the current weights, one float running sum across the patterns
    /// (not a sum of the patterns' `erro_padrao`, which would round differently).
    float calculo_erro_conjunto(const Matriz& entradas, const Matriz& saidas);

    /// All weights, `W1` | `W2` | `W3` (the chromosome and weights file order).
    std::vector<float> todos_pesos() const;
    /// Takes n_pesos values in that order.
    void define_pesos(const float* genes);
    /// True when every weight is a finite number.
    bool pesos_finitos() const;
};

} // namespace corvane
