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
    for (int i : {1, 2, 3, 4, 5, 6, 9, 10}) {
        if (d.numero(i) == 0.0) {
            critical(view, msg::dados_invalidos);
            return false;
        }
    }
    const int pairs[][2] = {{1, 2}, {3, 4}, {5, 6}, {9, 10}};
    for (const auto& p : pairs) {
        if (d.numero(p[1]) < d.numero(p[0])) {
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
