// Minimal sources and the reading of a pair of sources held in memory, for
// the tests of the readers and of the compile step.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

#include "model/diagnostica.h"
#include "model/modello.h"
#include "pipeline/in_memoria.h"
#include "pipeline/memorizza_dati.h"
#include "tests/supporto/testo_sorgente.h"

namespace compattatore {

// A route of 62000 m: ultima_cella 1380, speed and adhesion filled on cells
// 0 to 1377.
inline const std::string linea_minima = testo_di({"[generale]", "lunghezza percorso, 62000"});

// A train source: "[generale]" on line 1, then the records from line 2.
inline std::string treno(std::initializer_list<std::string> record) {
  return "[generale]\r\n" + testo_di(record);
}

// A model, its source in memory and what the reading reported.
struct lettura_in_memoria {
  modello m;
  fonte_in_memoria f;
  raccolta_diagnostiche diagnostiche;
};

// Reads the two texts (an absent one reads as a missing source) under the
// keys given, as the compile step does.
inline lettura_in_memoria leggi_in_memoria(std::optional<std::string> linea, std::optional<std::string> testo_treno,
                                           const std::string& chiave_linea, const std::string& chiave_treno,
                                           int32_t crea_linea = 0) {
  lettura_in_memoria l;
  l.m.nome_linea = chiave_linea;
  l.m.nome_treno = chiave_treno;
  l.m.crea_linea = crea_linea;
  l.f.testo_linea = std::move(linea);
  l.f.testo_treno = std::move(testo_treno);
  memorizza_dati(l.m, l.f, l.diagnostiche);
  return l;
}

}  // namespace compattatore
