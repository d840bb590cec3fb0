// The source reader: reads the line source, then the train source, into the
// scenario model, and has both texts deleted once read.
#pragma once

#include "pipeline/fonte_sorgenti.h"
#include "model/diagnostica.h"
#include "model/modello.h"

namespace compattatore {

// Reads both sources of `f` into `m`.
// Requires: `tabella` cleared, codice_errore 0, crea_linea and both keys set.
// On return codice_errore is 0 or the code of the failure that ended (or last
// marked) the reading; posizione_errore, posizione_valida, sorgente_errore,
// riga_errore and motivo_errore describe it. File handling:
//  - no line source: code 101, nothing deleted;
//  - the line source is deleted once it has been read, whatever the outcome;
//  - after a failure exit of the line phase the train source is neither read
//    nor deleted;
//  - after an unexpected failure (25) both are deleted where they exist.
// Every error stored is also reported into `d`, with its line and column.
// Throws what the port's deletes throw.
void memorizza_dati(modello& m, fonte_sorgenti& f, raccolta_diagnostiche& d);

}  // namespace compattatore
