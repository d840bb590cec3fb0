// The check pass: reads both source texts on its own, field by field as the
// reader does, and reports what the reader would drop, misread or accept
// against the author's evident intent (warnings), and every error the
// compile would raise, also past the first one, where the compile stops.
//
// It only reports: it never touches the scenario model the compile builds,
// and no compiled byte depends on it. It runs on the texts in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/diagnostica.h"
#include "model/messaggi.h"
#include "model/modello.h"

namespace compattatore {

// A finding of the check pass is a diagnostic like any other: a warning,
// a note, or an error the compile would raise, with its place.
using livello_rilievo = gravita;
using rilievo = diagnostica;

// Returns the findings for the line source `linea` and the train source
// `treno` (nullopt: that source is absent), in file order, the line source
// first. `crea_linea` as for the compile: without a track plan a curve
// keyword is read as nothing, and the plan's bounds are not checked.
std::vector<rilievo> verifica_sorgenti(std::string_view linea, std::optional<std::string_view> treno,
                                       bool crea_linea);

// Returns the edit distance (insertions, deletions, substitutions and
// swaps of two neighbouring letters, each counting 1) between `a` and `b`,
// ASCII letters compared without regard to case.
int distanza_parole(std::string_view a, std::string_view b);

}  // namespace compattatore
