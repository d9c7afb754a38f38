// The macro file (".mcr"): 100 lines, each a project path between double quotes.
#pragma once

#include "text_file.h"
#include "view.h"

#include <array>
#include <string>

namespace corvane {

inline constexpr int linhas_macro = 100;
using ListaMacro = std::array<std::string, linhas_macro>;

/// `carrega_macro`: reads 100 quoted items into rows 1..100 (`lista[0..99]`). A failure
/// (missing or unreadable file, fewer than 100 items) returns "Error loading macro!" (with the
/// reason when the file is too large) for the caller to show; rows already read keep their new
/// text.
ReadOutcome carrega_macro(const std::string& ficheiro, ListaMacro& lista);

/// `grava_macro`: writes the 100 rows quoted, one per line, CR LF. A path holding a double quote
/// cannot be stored and is refused before anything is written. False after a message ("Error
/// saving macro!" and the system's reason on a write failure).
bool grava_macro(const std::string& ficheiro, const ListaMacro& lista, TrainerView& view);

} // namespace corvane
