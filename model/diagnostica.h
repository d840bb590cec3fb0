// A diagnostic is one value: how grave it is, where it stands (source, line,
// column), for an error its code and position, and which message says it
// with what arguments. Its words are not in it: the catalogue
// (pipeline/catalogo.h) renders it where it is shown.
//
// The readers and route finishing report into a raccolta_diagnostiche
// handed to them. It stands beside the model's error state (codice_errore,
// posizione_errore), never instead of it, and nothing in it reaches a
// compiled byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/messaggi.h"
#include "model/modello.h"

namespace compattatore {

enum class gravita : uint8_t { errore, avviso, nota };

struct diagnostica {
  gravita livello = gravita::errore;
  sorgente fonte = sorgente::nessuna;
  int32_t riga = 0;                    // 1-based line, 0 = none
  int32_t colonna = 0;                 // 1-based column in bytes, 0 = none
  int32_t codice = 0;                  // the error code, for an error; 0 otherwise
  std::optional<int32_t> posizione;    // metres, where one applies
  id_messaggio messaggio{};            // the words come from the catalogue
  std::vector<std::string> argomenti;  // raw argument texts (source bytes), escaped when rendered
  // A second place the message names (written {@} in its text: a record
  // met earlier), where one applies.
  sorgente altra_fonte = sorgente::nessuna;
  int32_t altra_riga = 0;
};

// The sink readers and finishing report into, in the order found.
struct raccolta_diagnostiche {
  std::vector<diagnostica> elenco;
  void riporta(diagnostica d) { elenco.push_back(std::move(d)); }
};

}  // namespace compattatore
