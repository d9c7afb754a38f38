// Network shapes for the engine tests, made the way the program makes them: from the settings.
#pragma once

#include "engine/network.h"

#include <string>

namespace corvane::test {

/// Settings with inputs in columns 1..`inputs_last`, targets in 1..`outputs_last`, `h1` and
/// `h2` hidden neurons and the linear output layer on or off (the counts as typed).
inline definicoes_projecto settings_for(const std::string& inputs_last,
                                        const std::string& outputs_last, const std::string& h1,
                                        const std::string& h2, bool linear) {
    definicoes_projecto d;
    d.Text1[1] = "1";
    d.Text1[2] = inputs_last;
    d.Text1[5] = "1";
    d.Text1[6] = outputs_last;
    d.Text1[14] = h1;
    d.Text1[15] = h2;
    d.Check1[1] = linear ? 1 : 0;
    return d;
}

/// The architecture of such settings (which must be valid).
inline arquitectura_rede shape(int inputs, int h1, int h2, int outputs, bool linear) {
    std::string error;
    return *calcula_arquitectura(settings_for(std::to_string(inputs), std::to_string(outputs),
                                              std::to_string(h1), std::to_string(h2), linear),
                                 error);
}

} // namespace corvane::test
