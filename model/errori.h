// The one place an error found by the readers or by route finishing is
// stored: in the model's error state, exactly as the model keeps it, and
// as a diagnostic in the sink beside it.
#pragma once

#include <cstdint>
#include <optional>

#include "model/codici.h"
#include "model/diagnostica.h"
#include "model/modello.h"

namespace compattatore {

// Where in a source text an error stands: 1-based line and column (bytes),
// 0 where none applies.
struct luogo_testo {
  int32_t riga = 0;
  int32_t colonna = 0;
};

// Stores code `c` in `m` (with `posizione` where one applies, with `s` and
// the line of `dove` where a source applies, with `motivo` for code 25) and
// reports the same error, column included, into `r`.
inline void registra_errore(modello& m, raccolta_diagnostiche& r, codice c, sorgente s = sorgente::nessuna,
                            luogo_testo dove = {}, std::optional<int32_t> posizione = std::nullopt,
                            motivo_fallimento motivo = motivo_fallimento::nessuno) {
  if (posizione) {
    segna_errore_in(m, s, dove.riga, numero(c), *posizione);
  } else {
    segna_errore_in(m, s, dove.riga, numero(c));
  }
  m.motivo_errore = motivo;

  diagnostica d;
  d.livello = gravita::errore;
  d.fonte = s;
  d.riga = dove.riga;
  d.colonna = dove.colonna;
  d.codice = numero(c);
  d.posizione = posizione;
  d.messaggio = significato_di(numero(c), motivo);
  r.riporta(std::move(d));
}

}  // namespace compattatore
