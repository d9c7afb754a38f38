// The data file with a project's selection. The input's first line holds the texts of the
// input columns, training lines, target columns, test lines and first hidden layer (slots 1 to
// 6, 9, 10, 14, blank-separated); the rest is the data file. The training set is sized as Start
// sizes it, then both sets are read.
#include "corvane_view.h"

#include "engine/data_file.h"
#include "engine/network.h"

#include "numtext/numtext.h"

namespace {

using corvane::slot::entrada_final;
using corvane::slot::entrada_inicial;
using corvane::slot::oculta1;
using corvane::slot::saida_final;
using corvane::slot::saida_inicial;
using corvane::slot::teste_final;
using corvane::slot::teste_inicial;
using corvane::slot::treino_final;
using corvane::slot::treino_inicial;

// Sets larger than this many values are skipped: the program sizes them before it reads the
// file, and the fuzzer's memory limit is not the reader's concern.
constexpr double most_values = 4.0e6;

void check_sized(const corvane::Matriz& m) {
    FUZZ_CHECK(m.n_variaveis >= 0 && m.n_padroes >= 0);
    FUZZ_CHECK(m.valores.size() ==
               static_cast<std::size_t>(m.n_variaveis) * static_cast<std::size_t>(m.n_padroes));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::SettingsAndFile input = fuzz::split_settings(data, size);
    corvane::definicoes_projecto d;
    d.Text1[corvane::slot::ficheiro_dados] = "data.txt";
    fuzz::apply_settings(d, input.settings,
                         {entrada_inicial, entrada_final, treino_inicial, treino_final,
                          saida_inicial, saida_final, teste_inicial, teste_final, oculta1});
    fuzz::QuietView view;
    if (!corvane::verifica_dados(d, view)) return 0;
    std::string error;
    const auto arq = corvane::calcula_arquitectura(d, error);
    if (!arq) return 0;
    const auto train = numtext::to_int16(d.numero(treino_final) - d.numero(treino_inicial));
    if (!train || *train < 0) return 0;
    const double test = d.numero(teste_final) - d.numero(teste_inicial) + 1.0;
    const double columns = static_cast<double>(arq->n_entradas) + arq->n_saidas;
    if (columns * (*train + 1) > most_values || columns * test > most_values) return 0;

    corvane::ConjuntosDados sets;
    sets.entradas_treino.dimensiona(arq->n_entradas, *train + 1);
    sets.saidas_treino.dimensiona(arq->n_saidas, *train + 1);
    const std::string path = fuzz::as_file(input.file);
    const bool train_ok = fuzz::shown(corvane::le_dados(d, path, true, sets), view);
    FUZZ_CHECK(train_ok == (view.messages == 0));
    // The training set keeps the size Start gave it, whatever the file holds.
    FUZZ_CHECK(sets.entradas_treino.n_variaveis == arq->n_entradas);
    FUZZ_CHECK(sets.entradas_treino.n_padroes == *train + 1);
    FUZZ_CHECK(sets.saidas_treino.n_variaveis == arq->n_saidas);
    FUZZ_CHECK(sets.saidas_treino.n_padroes == *train + 1);

    const int before = view.messages;
    const bool test_ok = fuzz::shown(corvane::le_dados(d, path, false, sets), view);
    FUZZ_CHECK(test_ok == (view.messages == before));
    for (const corvane::Matriz* m :
         {&sets.entradas_treino, &sets.saidas_treino, &sets.entradas_teste, &sets.saidas_teste})
        check_sized(*m);
    if (test_ok) {
        FUZZ_CHECK(sets.entradas_teste.n_padroes == sets.saidas_teste.n_padroes);
        FUZZ_CHECK(sets.entradas_teste.n_variaveis == arq->n_entradas);
        FUZZ_CHECK(sets.saidas_teste.n_variaveis == arq->n_saidas);
    }
    return 0;
}
