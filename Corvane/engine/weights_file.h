// The weights file (".wgt"): one number per line, `W1` | `W2` | `W3`, CR LF line ends; and the
// random deviates that start a network or a population.
#pragma once

#include "network.h"
#include "random.h"
#include "text_file.h"
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
/// numbers after those are ignored. The failure is returned for the caller to show (and to
/// restore the idle state): "Error loading weights file!" when the file cannot be read (with the
/// reason when it is too large); "Weights file is not suited for present project!" for too few
/// numbers or a field that is not a number a float holds. The values read before stay.
ReadOutcome le_valores(const std::string& ficheiro, std::span<float> destino);

/// `le_pesos`: `le_valores` into `W1` | `W2` | `W3`.
ReadOutcome le_pesos(const std::string& ficheiro, Rede& rede);

/// `desvio_aleatorio`: g x s x sqrt(-ln(a) / 0.5) with a = |u| (0 taken as 0.00001, 1 as
/// 0.99999) and g the sign of u (0 counting as positive), in double, as a float. For u uniform on
/// [-1, 1) its magnitude / s follows the Rayleigh law.
float desvio_aleatorio(float u, float s);

/// `pesos_aleatorios`: every weight = 2 Rnd - 1, and with `transformar` then
/// `desvio_aleatorio`(that, s).
void pesos_aleatorios(Rede& rede, Rnd& rnd, bool transformar, float s);

} // namespace corvane
