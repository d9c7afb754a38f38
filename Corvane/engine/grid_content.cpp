#include "grid_content.h"

#include "numtext/numtext.h"

#include <algorithm>

namespace corvane {

void ConteudoGrelha::dimensiona(int l, int c, int fixas) {
    linhas = l;
    colunas = c;
    linhas_fixas = fixas;
    colunas_fixas = fixas;
    celulas.assign(static_cast<std::size_t>(l) * static_cast<std::size_t>(c), Celula{});
    for (int r = 0; r < l; ++r)
        for (int k = 0; k < c; ++k)
            if (r < fixas || k < fixas) (*this)(r, k).cor = CorCelula::fixa;
}

ConteudoGrelha mostra_dados(Rede& rede, const Matriz& entradas, const Matriz& saidas,
                            bool saidas_rede) {
    const int ne = entradas.n_variaveis;
    const int ns = saidas.n_variaveis;
    const int padroes = std::min(entradas.n_padroes, saidas.n_padroes);
    ConteudoGrelha g;
    g.dimensiona(std::max(padroes + 1, linhas_minimas),
                 std::max(ne + (saidas_rede ? 2 : 1) * ns + 1, colunas_minimas), 1);

    csv::Row& cabecalho = g.table.header;
    cabecalho.push_back("Pattern");
    for (int c = 1; c <= ne; ++c) {
        g(0, c).texto = "IN " + std::to_string(c);
        cabecalho.push_back(g(0, c).texto);
    }
    for (int j = 1; j <= ns; ++j) {
        g(0, ne + j).texto = "OUT " + std::to_string(j);
        cabecalho.push_back(g(0, ne + j).texto);
    }
    // The window leaves the network's columns without a header; the table names them.
    if (saidas_rede)
        for (int j = 1; j <= ns; ++j)
            cabecalho.push_back("Network OUT " + std::to_string(j));
    g.table.rows.reserve(static_cast<std::size_t>(std::max(padroes, 0)));
    for (int r = 1; r <= padroes; ++r) {
        csv::Row linha{std::to_string(r)};
        g(r, 0).texto = std::to_string(r);
        for (int i = 0; i < ne; ++i) {
            g(r, 1 + i).texto = numtext::shortest(entradas(i, r - 1));
            linha.push_back(csv::number(entradas(i, r - 1)));
        }
        for (int j = 0; j < ns; ++j) {
            g(r, ne + 1 + j) = {numtext::shortest(saidas(j, r - 1)), CorCelula::amarelo};
            linha.push_back(csv::number(saidas(j, r - 1)));
        }
        if (saidas_rede) {
            rede.calculo_saidas(entradas, r - 1);
            for (int j = 0; j < ns; ++j) {
                const float saida = rede.saida_rede[static_cast<std::size_t>(j)];
                g(r, ne + ns + 1 + j) = {numtext::format(saida, "0.0000E+00"), CorCelula::ciano};
                linha.push_back(csv::number(saida));
            }
        }
        g.table.rows.push_back(std::move(linha));
    }
    return g;
}

namespace {

struct Camada {
    const std::vector<float>* pesos;
    int fontes;
    int alvos;
};

} // namespace

BlocosPesos blocos_pesos(const arquitectura_rede& arq) {
    BlocosPesos b;
    b.w2 = b.w1 + arq.n_entradas + 1 + 1;
    if (arq.camada_linear) b.w3 = b.w2 + arq.n_oculta1 + 1 + 1;
    return b;
}

ConteudoGrelha mostra_pesos(const Rede& rede) {
    const arquitectura_rede& a = rede.arq;
    const BlocosPesos b = blocos_pesos(a);
    std::vector<std::pair<int, Camada>> camadas{{b.w1, {&rede.W1, a.n_entradas, a.n_oculta1}},
                                                {b.w2, {&rede.W2, a.n_oculta1, a.n_oculta2}}};
    if (a.camada_linear) camadas.push_back({b.w3, {&rede.W3, a.n_oculta2, a.n_saidas}});

    const int maior = std::max({static_cast<int>(a.n_saidas), static_cast<int>(a.n_oculta1),
                                static_cast<int>(a.n_oculta2)});
    const auto& [inicio_ultimo, ultima] = camadas.back();
    ConteudoGrelha g;
    g.dimensiona(std::max(inicio_ultimo + ultima.fontes + 1, linhas_minimas),
                 std::max(2 * maior, colunas_minimas), 0);
    g.table.header = {"Weight", "Value"};

    for (std::size_t k = 0; k < camadas.size(); ++k) {
        const auto& [inicio, camada] = camadas[k];
        const std::string prefixo = "W" + std::to_string(k + 1) + "-";
        std::size_t indice = 0;
        for (int j = 1; j <= camada.alvos; ++j)
            for (int s = 0; s <= camada.fontes; ++s, ++indice) {
                if (indice >= camada.pesos->size()) return g;
                const float peso = (*camada.pesos)[indice];
                g(inicio + s, 2 * j - 2) = {prefixo + std::to_string(j) + "/" + std::to_string(s),
                                            CorCelula::cinzento};
                g(inicio + s, 2 * j - 1) = {numtext::shortest(peso), CorCelula::amarelo_claro};
                g.table.rows.push_back({g(inicio + s, 2 * j - 2).texto, csv::number(peso)});
            }
    }
    return g;
}

} // namespace corvane
