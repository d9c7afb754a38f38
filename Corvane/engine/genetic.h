// The genetic algorithm over complete weight sets: rank selection on a roulette table, six
// crossover operators, mutation by random deviates, elitism.
#pragma once

#include "network.h"
#include "random.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class PassoConjunto;

struct Genetico {
    // Settings of the run.
    int P = 0;                    ///< population size, 2 to 255
    float taxa_mutacao = 0.0f;    ///< probability of mutating one gene of one child
    float taxa_cruzamento = 0.0f; ///< probability that a pair of children is crossed
    bool elitismo = false;
    int tipo_cruzamento = 0; ///< 1 "1 point" .. 6 "NN uniform"; any other value: no crossover

    arquitectura_rede arq;
    /// Genes 0..n_pesos-1 of individual 1..P+1 of buffer 0 (current) and 1 (next).
    std::vector<float> populacao;
    std::vector<float> erro_individuo;  ///< index 1..P
    std::vector<float> ordem_individuo; ///< index 1..P; P for the best
    std::vector<std::int16_t> roleta;   ///< index 1..S
    int melhor_individuo = 1;
    std::vector<float> melhor_genes; ///< the genes of the best individual of the last evaluation

    /// Sizes the structures for `a` and population P (all zero).
    void dimensiona(const arquitectura_rede& a, int populacao_inicial);

    float* genes(int buffer, int individuo);
    const float* genes(int buffer, int individuo) const;
    /// `fim`(m): the position (from 1) of the last gene of neuron m; fim(0) = 0.
    int fim(int m) const;

    /// `populacao_aleatoria`: every gene of individuals 1..P of buffer 0 =
    /// `desvio_aleatorio`(2 Rnd - 1, 2).
    void populacao_aleatoria(Rnd& rnd);
    /// `avalia_populacao`: the error of each individual on the set; returns the best error and
    /// keeps the best individual's number and genes (ties to the lowest number).
    float avalia_populacao(PassoConjunto& passo);
    /// `ordena_populacao`: ranks P (best) down to 1 (worst); consumes the errors.
    void ordena_populacao();
    /// `soma_ordens`: 1 + 2 + ... + P.
    int soma_ordens() const;
    /// `constroi_roleta`: individual c repeated ordem(c) times, in order of c.
    void constroi_roleta(int S);
    /// `escolhe_progenitor`: roleta(Int(Rnd x S + 1)).
    int escolhe_progenitor(Rnd& rnd) const;
    bool decide_cruzamento(Rnd& rnd) const;
    bool decide_mutacao(Rnd& rnd) const;
    /// `cruzamento`: the crossover of kind `tipo_cruzamento` between children c1 and c2 of
    /// buffer 1.
    void cruzamento(int c1, int c2, Rnd& rnd);
    /// `mutacao`: for each gene, of c1 then c2, with probability `taxa_mutacao` adds
    /// `desvio_aleatorio`(2 Rnd - 1, 1).
    void mutacao(int c1, int c2, Rnd& rnd);
    /// Breeds buffer 1 from buffer 0 (after `avalia_populacao`) and makes it the current one.
    void nova_geracao(Rnd& rnd);
    /// `substitui_geracao`: individuals 1..P of buffer 1 become buffer 0.
    void substitui_geracao();
    /// `melhor_para_pesos`: the network receives the kept best genes.
    void melhor_para_pesos(Rede& rede) const;

private:
    std::vector<int> ordem_; // individuals in rank order, for `ordena_populacao`
    void exchange(int c1, int c2, int from, int to); // genes from..to (from 1), inclusive
    void copy_individual(int from_buffer, int from, int to_buffer, int to);
};

} // namespace corvane
