// The weights file for a given architecture. The input's first line holds the texts of the
// input and target columns and the hidden layers (slots 1, 2, 5, 6, 14, 15, blank-separated;
// "linear" selects the linear output layer); the rest is the weights file.
#include "corvane_view.h"

#include "engine/network.h"
#include "engine/weights_file.h"

namespace {

using namespace corvane::slot;

void check_sized(const corvane::Rede& net) {
    const auto& a = net.arq;
    FUZZ_CHECK(net.W1.size() == static_cast<std::size_t>(a.n_pesos1));
    FUZZ_CHECK(net.W2.size() == static_cast<std::size_t>(a.n_pesos2));
    FUZZ_CHECK(net.W3.size() == static_cast<std::size_t>(a.camada_linear ? a.n_pesos3 : 0));
}

// Equal values (a -0 read from a file may come back as 0).
bool same_values(const std::vector<float>& a, const std::vector<float>& b) {
    return a == b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::SettingsAndFile input = fuzz::split_settings(data, size);
    corvane::definicoes_projecto d;
    d.Check1[1] = 0;
    fuzz::apply_settings(
        d, input.settings,
        {entrada_inicial, entrada_final, saida_inicial, saida_final, oculta1, oculta2});
    std::string error;
    const auto arq = corvane::calcula_arquitectura(d, error);
    if (!arq) return 0;
    corvane::Rede net;
    net.dimensiona(*arq);
    check_sized(net);

    fuzz::QuietView view;
    const bool ok = fuzz::shown(corvane::le_pesos(fuzz::as_file(input.file), net), view);
    FUZZ_CHECK(ok == (view.messages == 0));
    check_sized(net);
    if (!ok) return 0;
    FUZZ_CHECK(net.pesos_finitos());

    // Saved and read back, every weight has the same value.
    const std::string path = fuzz::scratch_folder() + "/weights.wgt";
    fuzz::QuietView save_view;
    FUZZ_CHECK(corvane::grava_pesos(path, net, save_view));
    corvane::Rede again;
    again.dimensiona(*arq);
    FUZZ_CHECK(fuzz::shown(corvane::le_pesos(path, again), save_view));
    FUZZ_CHECK(same_values(net.todos_pesos(), again.todos_pesos()));
    return 0;
}
