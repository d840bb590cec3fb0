// The error stored in a model, as the programs report it: the code, its
// place and its meaning, in the form editors jump to:
// "FILE:LINE: errore N: MEANING (posizione P m)". The words come from the
// catalogue, in the language of the environment (pipeline/catalogo.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/codici.h"
#include "model/messaggi.h"
#include "model/modello.h"

namespace compattatore {

// Where an error stands: the source file and 1-based line, when known.
struct luogo {
  std::string file;  // empty: no source applies
  int32_t riga = 0;  // 0: no line
};

struct diagnosi {
  int32_t codice = 0;
  std::optional<int32_t> posizione;  // metres, only when set for this code
  luogo dove;
  std::string messaggio;             // the meaning of the code, in words
  id_messaggio id{};                 // the same meaning by id (nessuno: the code's own)
};

// Returns the meaning of `codice`; for 25 the meaning of `motivo`.
std::string significato(int32_t codice, motivo_fallimento motivo = motivo_fallimento::nessuno);

// Returns the diagnosis of the error stored in `m` (codice 0: none), with the
// file named `file_linea` or `file_treno` as the source that applies.
diagnosi diagnosi_di(const modello& m, const std::string& file_linea, const std::string& file_treno);

// Returns the diagnosis as one line, without a line end, through the
// catalogue's formatta: "FILE:LINE: errore N: MEANING (posizione P m)", the
// file and line part left out where none applies, the position part where
// none was set.
std::string formatta(const diagnosi& d);

}  // namespace compattatore
