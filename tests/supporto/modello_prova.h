// Models for tests that place elements by hand.
#pragma once

#include <cstdint>

#include "model/codici.h"
#include "model/modello.h"

namespace compattatore {

// Returns a model whose route has `celle` empty cells (0 to celle - 1), as a
// route length of (celle - 1) x 50 - 7000 m would size it.
inline modello con_percorso(int32_t celle) {
  modello m;
  m.percorso.resize(static_cast<size_t>(celle));
  m.ultima_cella = celle - 1;
  m.lunghezza_estesa = m.ultima_cella * 50;
  return m;
}

// Stores the code a recorder returned in the model, without a position or
// a line, so a test can look at the model after recorders ran.
inline void tieni(modello& m, codice c) {
  if (c != codice::nessuno) segna_errore(m, numero(c));
}

}  // namespace compattatore
