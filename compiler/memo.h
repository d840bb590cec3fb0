// The element recorders: each puts one trackside element into `percorso`.
// A recorder that finds a target cell taken (or outside the route) returns
// its error code (codice::nessuno when the element was placed); it never
// touches the model's error state: its caller stores the code with the
// record's position and line. Values stored in 16-bit or 8-bit cell fields keep the low
// 16 or 8 bits of the 32-bit computation.
#pragma once

#include <cstdint>

#include "model/codici.h"
#include "model/modello.h"

namespace compattatore {

// Scenery element from `inizio` to `fine` (m). A `tipo` above 10 also marks
// every 4th cell of the stretch with tipo 11. Refuses an 81st element with
// code 21.
[[nodiscard]] codice memo_montagna(modello& m, int32_t inizio, int32_t fine, int32_t tipo);

// Slow-down starting at `x` (m) of speed `v` over `l` m. Codes 17 (warning
// cell taken), 18 (start), 19 (end), 20 (approach cells; the other marks stay).
[[nodiscard]] codice memo_rallentamento(modello& m, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                        int32_t f_ta, int32_t d_v);

// Signal at `posizione` (m) with its four approach marks. Code 16 when its
// cell is taken.
[[nodiscard]] codice memo_segnale(modello& m, int32_t posizione, int32_t sx, int32_t s1, int32_t s2,
                  int32_t s3, int32_t rapp, int32_t dx, int32_t d1, int32_t d2, int32_t d3,
                  int32_t tempo);

// Maximum-speed indicators at `posizione` (m). Code 21 when the cell is taken.
[[nodiscard]] codice memo_indicatori_v_max(modello& m, int32_t posizione, int32_t vas, int32_t vbs,
                           int32_t vcs, int32_t strisces, int32_t vad, int32_t vbd,
                           int32_t vcd, int32_t strisced);

}  // namespace compattatore
