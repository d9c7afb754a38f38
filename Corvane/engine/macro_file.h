// The macro file (".mcr"): 100 lines, each a project path between double quotes.
#pragma once

#include "view.h"

#include <array>
#include <string>

namespace corvane {

inline constexpr int linhas_macro = 100;
using ListaMacro = std::array<std::string, linhas_macro>;

/// `carrega_macro`: reads 100 quoted items into rows 1..100 (`lista[0..99]`). On a failure
/// (missing file, fewer than 100 items) shows "Error loading macro!"; rows already read keep
/// their new text.
bool carrega_macro(const std::string& ficheiro, ListaMacro& lista, TrainerView& view);

/// `grava_macro`: writes the 100 rows quoted, one per line, CR LF. A path holding a double quote
/// cannot be stored and is refused before anything is written. False after a message ("Error
/// saving macro!" on a write failure).
bool grava_macro(const std::string& ficheiro, const ListaMacro& lista, TrainerView& view);

} // namespace corvane
