// The built-in scenario compiled in memory, with its track plan, as the
// one-shot program compiles it.
#pragma once

#include <cstdint>

#include "model/diagnostica.h"
#include "model/modello.h"
#include "pipeline/in_memoria.h"
#include "pipeline/memorizza_percorso.h"
#include "sources/testi.h"

namespace compattatore {

// Compiles the built-in sources into `m` under the built-in keys and hands
// the compiled files to `d`. Returns what memorizza_percorso returns, as a
// number.
inline int32_t compila_incorporato(modello& m, destinazione_file& d) {
  m.nome_linea = "Valmora_Tessa";
  m.nome_treno = "R7736";
  fonte_in_memoria f;
  f.testo_linea = dati_linea();
  f.testo_treno = dati_treno();
  raccolta_diagnostiche diagnostiche;
  return numero(memorizza_percorso(m, 1, f, d, diagnostiche));
}

}  // namespace compattatore
