#include "weights_file.h"

#include "text_file.h"

#include "numtext/numtext.h"

#include <cmath>

namespace corvane {

bool grava_valores(const std::string& ficheiro, const std::vector<float>& valores,
                   TrainerView& view) {
    std::string out;
    out.reserve(valores.size() * 14);
    for (float v : valores) {
        out += numtext::shortest(v);
        out += "\r\n";
    }
    if (auto saved = write_file_replacing(ficheiro, out); !saved) {
        critical(view, with_reason(msg::erro_gravar_pesos, saved.reason));
        return false;
    }
    return true;
}

bool grava_pesos(const std::string& ficheiro, const Rede& rede, TrainerView& view) {
    return grava_valores(ficheiro, rede.todos_pesos(), view);
}

ReadOutcome le_valores(const std::string& ficheiro, std::span<float> destino) {
    ReadOutcome outcome;
    auto content = read_whole_file(ficheiro, msg::erro_carregar_pesos, outcome);
    if (!content) return outcome;
    numtext::FieldScanner scanner(*content);
    for (float& value : destino) {
        auto number = scanner.next_number();
        const float v = static_cast<float>(number.value);
        if (number.status != numtext::FieldScanner::Status::ok || !std::isfinite(v)) {
            outcome.failure = std::string(msg::pesos_inadequados);
            return outcome;
        }
        value = v;
    }
    return outcome;
}

ReadOutcome le_pesos(const std::string& ficheiro, Rede& rede) {
    // Values read before a failure stay in the vectors, the others keep what they held.
    std::vector<float> all = rede.todos_pesos();
    ReadOutcome outcome = le_valores(ficheiro, all);
    rede.define_pesos(all.data());
    return outcome;
}

float desvio_aleatorio(float u, float s) {
    float a = std::fabs(u);
    const double g = u < 0.0f ? -1.0 : 1.0;
    if (a == 0.0f)
        a = 0.00001f;
    else if (a == 1.0f)
        a = 0.99999f;
    return static_cast<float>(g * static_cast<double>(s) *
                              std::sqrt(-std::log(static_cast<double>(a)) / 0.5));
}

void pesos_aleatorios(Rede& rede, Rnd& rnd, bool transformar, float s) {
    for (auto* w : {&rede.W1, &rede.W2, &rede.W3}) {
        for (float& v : *w) {
            v = static_cast<float>(2.0 * rnd() - 1.0);
            if (transformar) v = desvio_aleatorio(v, s);
        }
    }
}

} // namespace corvane
