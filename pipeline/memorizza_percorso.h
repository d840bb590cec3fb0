// The compile step: prepares the model, has the sources read, finishes the
// route, guards and stores the header values and the competition codes, and
// hands the compiled files to their destination.
#pragma once

#include <cstdint>

#include "pipeline/destinazione_file.h"
#include "pipeline/fonte_sorgenti.h"
#include "model/codici.h"
#include "model/diagnostica.h"
#include "model/modello.h"

namespace compattatore {

// Returns codice::nessuno when the compiled files were handed to `d`, or
// intestazione_primo / intestazione_secondo (1250 / 1251) when a header
// guard stopped the run (nothing handed over). Never ends the process:
// showing the stop is the caller's. The line file is handed over only when
// `j` is non-zero. Every error found is reported into `diagnostiche`, the
// guard's too. Requires both keys set in `m`. Throws what the ports throw.
[[nodiscard]] codice memorizza_percorso(modello& m, int32_t j, fonte_sorgenti& f, destinazione_file& d,
                                        raccolta_diagnostiche& diagnostiche);

}  // namespace compattatore
