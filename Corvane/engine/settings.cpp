#include "settings.h"

#include "numtext/numtext.h"

namespace corvane {

double texto_para_numero(std::string_view texto) {
    return numtext::leading_value_comma(texto);
}

double definicoes_projecto::numero(int i) const {
    return texto_para_numero(Text1[static_cast<std::size_t>(i)]);
}

bool verifica_dados(const definicoes_projecto& d, TrainerView& view) {
    // The first and last column or line of each range of the box.
    const int ranges[][2] = {{slot::entrada_inicial, slot::entrada_final},
                             {slot::treino_inicial, slot::treino_final},
                             {slot::saida_inicial, slot::saida_final},
                             {slot::teste_inicial, slot::teste_final}};
    for (const auto& [first, last] : ranges) {
        const double a = d.numero(first), b = d.numero(last);
        if (a == 0.0 || b == 0.0 || b < a) {
            critical(view, msg::dados_invalidos);
            return false;
        }
    }
    return true;
}

bool verifica_arquitectura(const definicoes_projecto& d, TrainerView& view) {
    if (d.numero(slot::oculta1) <= 0.0 || (d.camada_linear() && d.numero(slot::oculta2) <= 0.0)) {
        critical(view, msg::arquitectura_invalida);
        return false;
    }
    return true;
}

} // namespace corvane
