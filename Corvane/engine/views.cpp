#include "views.h"

#include "data_file.h"
#include "errors_file.h"
#include "project_file.h"
#include "trainer.h"
#include "weights_file.h"

#include <algorithm>
#include <new>

namespace corvane {

namespace {

// A reader's failure shown with the arrow pointer; false when there was none.
bool mostra_falha(const ReadOutcome& outcome, TrainerView& view) {
    if (outcome.ok()) return false;
    view.set_pointer(Pointer::arrow);
    critical(view, outcome.failure);
    return true;
}

// The network of the settings with the weights of the weights file; false after a message.
bool rede_com_pesos(Treinador& t, TrainerView& view) {
    return t.dimensiona_rede() && !mostra_falha(le_pesos(t.nome_ficheiro_pesos(), t.rede), view);
}

} // namespace

std::optional<ConteudoGrelha> vista_dados(const definicoes_projecto& d, bool treino,
                                          TrainerView& view) {
    if (!verifica_dados(d, view)) return std::nullopt;
    definicoes_projecto copia = d;
    EstadoPrograma programa;
    try {
        Treinador t(copia, programa, view);
        view.set_pointer(Pointer::hourglass);
        if (!rede_com_pesos(t, view) ||
            mostra_falha(le_dados(copia, t.caminho_dados(), treino, t.dados), view)) {
            view.set_pointer(Pointer::arrow);
            return std::nullopt;
        }
        auto grelha =
            treino ? mostra_dados(t.rede, t.dados.entradas_treino, t.dados.saidas_treino, true)
                   : mostra_dados(t.rede, t.dados.entradas_teste, t.dados.saidas_teste, true);
        view.set_pointer(Pointer::arrow);
        return grelha;
    } catch (const std::bad_alloc&) {
        critical(view, msg::erro_ler_ficheiro);
        return std::nullopt;
    }
}

std::optional<ConteudoGrelha> vista_pesos(const definicoes_projecto& d, TrainerView& view) {
    if (!verifica_arquitectura(d, view)) return std::nullopt;
    definicoes_projecto copia = d;
    EstadoPrograma programa;
    try {
        Treinador t(copia, programa, view);
        view.set_pointer(Pointer::hourglass);
        if (!rede_com_pesos(t, view)) {
            view.set_pointer(Pointer::arrow);
            return std::nullopt;
        }
        auto grelha = mostra_pesos(t.rede);
        view.set_pointer(Pointer::arrow);
        return grelha;
    } catch (const std::bad_alloc&) {
        critical(view, msg::erro_carregar_pesos);
        return std::nullopt;
    }
}

std::optional<GraficoErros> grafico_erros(const definicoes_projecto& d, TrainerView& view) {
    view.set_pointer(Pointer::hourglass);
    GraficoErros g;
    const double n = texto_para_numero(d.Label3[results::iteration]);
    g.intervalo = escala_grafico(n);
    g.pontos = static_cast<int>(std::max(0.0, std::min(n - 1, 32767.0)));
    std::optional<std::vector<float>> valores;
    if (auto nome = nome_ficheiro_erros(d.Label2)) valores = le_ficheiro_erros(*nome);
    view.set_pointer(Pointer::arrow);
    if (!valores) {
        critical(view, msg::erro_ler_erros);
        return std::nullopt;
    }
    g.valores = std::move(*valores);
    return g;
}

GraficoErros chart_of_last_run(const Treinador& treinador) {
    GraficoErros g;
    const auto& historico = treinador.historico_erros; // element i: the error of iteration i
    const std::size_t n = std::min(static_cast<std::size_t>(std::max(treinador.iteracao_final, 0)),
                                   historico.empty() ? 0 : historico.size() - 1);
    g.intervalo = escala_grafico(static_cast<double>(n));
    g.pontos = static_cast<int>(n);
    if (n > 0)
        g.valores.assign(historico.begin() + 1,
                         historico.begin() + static_cast<std::ptrdiff_t>(n) + 1);
    return g;
}

} // namespace corvane
