// The one summary line `compila` prints on success: what the route became
// and what was written.
#pragma once

#include <cstddef>
#include <string>

#include "pipeline/catalogo.h"
#include "model/modello.h"

namespace compattatore {

struct conteggi {
  int32_t lunghezza = 0;  // the route length read, m
  int stazioni = 0;
  int segnali = 0;
  int rallentamenti = 0;
  int cartelli = 0;
  int cambi_velocita = 0;  // cells where the line speed differs from the cell before
};

// Returns what the compiled model `m` holds, counted from its cells and table.
conteggi conta(const modello& m);

// Returns the summary line, "compila: " first, a line end last. `scritti`
// is the number of files written; `verifica` says that none was meant to be.
std::string riepilogo(const conteggi& c, size_t scritti, bool verifica, lingua l);

}  // namespace compattatore
