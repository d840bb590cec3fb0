// What `compila` says about a compile on standard error: the notes of the
// encoding, the check pass's findings in file order with the compile's own
// stored error told in their words, and the warnings the JSON object lists.
#pragma once

#include <string>
#include <vector>

#include "pipeline/diagnosi.h"
#include "compiler/verifica.h"
#include "model/modello.h"
#include "tools/compila/argomenti.h"
#include "tools/compila/json.h"

namespace compattatore {

struct rapporto {
  std::string righe;                // one line each, "\n"-ended
  std::vector<avviso_json> avvisi;  // the warnings printed, in order
};

// Returns the index in `rilievi` of the finding that tells the error the
// compile stored in `m` (same code and source, at its line or, when the
// compile blamed a later line, the nearest before it), or -1 when none does
// (a code of route finishing, a mismatch).
int rilievo_del_codice(const modello& m, const std::vector<rilievo>& rilievi);

// Returns the report of the compile `m` and of the findings `note` (the
// encoding's) and `rilievi` (the check pass's), under the options `o`:
// warnings named in -Wno- left out; the stored error in the check pass's
// words where one tells it, else in the general form of diagnostica.h.
rapporto componi_rapporto(const modello& m, const std::vector<rilievo>& note,
                          const std::vector<rilievo>& rilievi, const opzioni_compila& o);

}  // namespace compattatore
