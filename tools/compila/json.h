// The one JSON object that `compila --json` prints:
//   {"codice_errore":N,"posizione_errore":P|null,"file":"..."|null,
//    "riga":R|null,"messaggio":"..."|null,"scritti":["...",...],
//    "avvisi":[{"file":"...","riga":R|null,"colonna":C|null,"nome":"...",
//               "messaggio":"..."},...]}
// followed by a line end. The output is pure ASCII.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pipeline/diagnosi.h"

namespace compattatore {

// Returns `testo` as a JSON string, quotes included. Names and paths may
// hold any byte and need not be valid UTF-8, so every byte from 0x80 up is
// written as \u0080 to \u00ff: a reader gets the exact bytes back by taking
// each of those code points as one byte (for code-page-1252 text this is
// the byte's value, not its character). '"', '\' and the control bytes are
// escaped too.
std::string stringa_json(std::string_view testo);

// A warning as the JSON object lists it: riga and colonna 0 stand for none.
struct avviso_json {
  std::string file;
  int32_t riga = 0;
  int32_t colonna = 0;
  std::string nome;
  std::string messaggio;
};

// Returns the object for the diagnosis `d` (codice 0: no error), the
// paths of the files written, in the order written, and the warnings
// printed, in the order printed.
std::string oggetto_json(const diagnosi& d, const std::vector<std::string>& scritti,
                         const std::vector<avviso_json>& avvisi = {});

}  // namespace compattatore
