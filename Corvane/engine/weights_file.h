// The weights file (".wgt"): one number per line, `W1` | `W2` | `W3`, CR LF line ends; and the
// random deviates that start a network or a population.
#pragma once

#include "network.h"
#include "random.h"
#include "view.h"

#include <span>
#include <string>
#include <vector>

namespace corvane {

/// Writes `valores` one per line (the shortest text that reads back as the same float). False
/// after "Error saving weights file!"; the old file stays unless the new one is complete.
bool grava_valores(const std::string& ficheiro, const std::vector<float>& valores,
                   TrainerView& view);

/// `grava_pesos`: `W1`, `W2` and (with the linear output layer) `W3` of `rede`.
bool grava_pesos(const std::string& ficheiro, const Rede& rede, TrainerView& view);

/// Reads `destino.size()` numbers (separated by line ends, blanks or commas) into `destino`;
/// numbers after those are ignored. A missing or unreadable file: pointer arrow, idle state,
/// "Error loading weights file!". Too few numbers, or a field that is not a finite number:
/// pointer arrow, "Weights file is not suited for present project!", idle state; the values
/// read before stay. False after either.
bool le_valores(const std::string& ficheiro, std::span<float> destino, TrainerView& view);

/// `le_pesos`: `le_valores` into `W1` | `W2` | `W3`.
bool le_pesos(const std::string& ficheiro, Rede& rede, TrainerView& view);

/// `desvio_aleatorio`: g x s x sqrt(-ln(a) / 0.5) with a = |u| (0 taken as 0.00001, 1 as
/// 0.99999) and g the sign of u (0 counting as positive), in double, as a float. For u uniform on
/// [-1, 1) its magnitude / s follows the Rayleigh law.
float desvio_aleatorio(float u, float s);

/// `pesos_aleatorios`: every weight = 2 Rnd - 1, and with `transformar` then
/// `desvio_aleatorio`(that, s).
void pesos_aleatorios(Rede& rede, Rnd& rnd, bool transformar, float s);

} // namespace corvane
