// The initial population of the genetic algorithm: a random population whose first individual
// is then read from the weights file. The input's first line holds the texts of the input and
// target columns, the hidden layers and the population size (slots 1, 2, 5, 6, 14, 15, 16;
// "linear" selects the linear output layer); the rest is the file.
#include "corvane_view.h"

#include "engine/genetic.h"
#include "engine/network.h"
#include "engine/weights_file.h"

#include "numtext/numtext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace corvane::slot;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::SettingsAndFile input = fuzz::split_settings(data, size);
    corvane::definicoes_projecto d;
    d.Check1[1] = 0;
    fuzz::apply_settings(
        d, input.settings,
        {entrada_inicial, entrada_final, saida_inicial, saida_final, oculta1, oculta2, populacao});
    std::string error;
    const auto arq = corvane::calcula_arquitectura(d, error);
    if (!arq) return 0;
    const auto p = numtext::to_int16(d.numero(populacao));
    if (!p || *p < 2 || *p > 255) return 0;

    corvane::Genetico ga;
    ga.dimensiona(*arq, *p);
    corvane::Rnd rnd;
    ga.populacao_aleatoria(rnd);
    const std::vector<float> before = ga.populacao;
    const std::size_t genes = static_cast<std::size_t>(arq->n_pesos);
    FUZZ_CHECK(before.size() == 2 * static_cast<std::size_t>(*p + 2) * genes);

    fuzz::QuietView view;
    std::span<float> first(ga.genes(0, 1), genes);
    const bool ok = fuzz::shown(corvane::le_valores(fuzz::as_file(input.file), first), view);
    FUZZ_CHECK(ok == (view.messages == 0));
    FUZZ_CHECK(ga.populacao.size() == before.size());
    // Only the first individual may change; every other gene keeps its random value.
    const std::size_t start = genes; // individual 1 of buffer 0
    FUZZ_CHECK(std::equal(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(start),
                          ga.populacao.begin()));
    FUZZ_CHECK(std::equal(before.begin() + static_cast<std::ptrdiff_t>(start + genes), before.end(),
                          ga.populacao.begin() + static_cast<std::ptrdiff_t>(start + genes)));
    if (ok)
        for (float g : first)
            FUZZ_CHECK(std::isfinite(g));
    return 0;
}
