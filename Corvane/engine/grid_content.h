// What the grid window shows, cell by cell: a data set with the network's answers, or the
// weights of the network; and the same content as a table for export.
#pragma once

#include "network.h"

#include "csv/csv.h"

#include <string>
#include <vector>

namespace corvane {

/// The background of a cell.
enum class CorCelula {
    normal,       ///< the grid's own background
    fixa,         ///< a header cell of the fixed row or column
    amarelo,      ///< a target value (RGB FFFF00)
    ciano,        ///< a network output (RGB 00FFFF)
    cinzento,     ///< a weight's label (RGB C0C0C0)
    amarelo_claro ///< a weight's value (RGB FFFFC0)
};

struct Celula {
    std::string texto;
    CorCelula cor = CorCelula::normal;
};

/// A grid of `linhas` x `colunas` cells, row by row; the first `linhas_fixas` rows and the first
/// `colunas_fixas` columns are headers.
struct ConteudoGrelha {
    int linhas = 0;
    int colunas = 0;
    int linhas_fixas = 0;
    int colunas_fixas = 0;
    std::vector<Celula> celulas;
    /// What the grid shows as a table for a file or the clipboard: a header row naming the
    /// columns and one row per pattern or weight, numbers in full precision (not the grid's
    /// rounded text).
    csv::Table table;

    void dimensiona(int l, int c, int fixas);
    Celula& operator()(int l, int c) {
        return celulas[static_cast<std::size_t>(l) * static_cast<std::size_t>(colunas) +
                       static_cast<std::size_t>(c)];
    }
    const Celula& operator()(int l, int c) const {
        return celulas[static_cast<std::size_t>(l) * static_cast<std::size_t>(colunas) +
                       static_cast<std::size_t>(c)];
    }
};

/// The smallest grid the window shows: 11 columns by 30 rows.
inline constexpr int colunas_minimas = 11, linhas_minimas = 30;

/// `mostra_dados`: one header row ("IN c" over the inputs, "OUT j" over the targets) and one
/// header column (the pattern numbers); per pattern the inputs in the shortest general format,
/// the targets on yellow and, with `saidas_rede`, the network's outputs for the pattern
/// (`calculo_saidas`, so `rede` must hold the weights) as "0.0000E+00" on cyan, in the columns
/// after the targets. At least 11 columns and 30 rows. Its table: "Pattern", "IN c"..., "OUT j"...
/// and, with `saidas_rede`, "Network OUT j"..., one row per pattern.
ConteudoGrelha mostra_dados(Rede& rede, const Matriz& entradas, const Matriz& saidas,
                            bool saidas_rede);

/// The row where each weight block starts in `mostra_pesos` (W3 is -1 without the linear output
/// layer). One empty row separates the blocks.
struct BlocosPesos {
    int w1 = 0, w2 = 0, w3 = -1;
};
BlocosPesos blocos_pesos(const arquitectura_rede& arq);

/// `mostra_pesos`: no headers; the blocks W1, W2 and (with the linear output layer) W3 one under
/// the other. In a block, target neuron j (from 1) owns the column pair 2j-2, 2j-1 and source s
/// (0 = the bias, then the inputs) owns one row: the left cell holds the label "Wk-j/s" on grey,
/// the right cell the weight in the shortest general format on light yellow. The column count is
/// twice the largest layer, at least 11; at least 30 rows. Its table: "Weight" (the label) and
/// "Value", one row per weight in the grid's order (W1, W2, W3; by target, then by source).
ConteudoGrelha mostra_pesos(const Rede& rede);

} // namespace corvane
