// The two phases of the source reader, seen from memorizza_dati. Internal to
// the compiler; the tests call them through memorizza_dati.
#pragma once

#include <cstdint>

#include "compiler/lettore_campi.h"
#include "model/modello.h"

namespace compattatore {

// Every phase stores its errors in the model and reports each, with its
// line and column, into the raccolta_diagnostiche it is handed.

// State carried from the line phase into the train phase.
struct stato_lettura {
  int32_t slot_cartello = voce_ultimo_cartello;  // entry the next sign takes
};

// Line phase up to its end (finding "[generale]", the general part, the
// ordering of the kilometric references, the route records) and, when it
// ends normally, the gradient to the end of the route, where the gradient
// cursor lives. Does not delete anything.
// Returns true when the phase ended normally (at the end of the text or at a
// failed range test, code 15), false on a failure exit (the code is stored).
// Throws fallimento_lettura on an unexpected failure (also a route never
// sized: percorso_mancante).
bool leggi_linea(modello& m, lettore_campi& campi, stato_lettura& stato, raccolta_diagnostiche& d);

// End step of the line phase, run after the line source was deleted: when
// crea_linea is set, the straight plan to the end. Returns false on a
// failure exit (code 103 from the plan bound).
// Requires leggi_linea to have returned true (the route is sized).
bool concludi_linea(modello& m, raccolta_diagnostiche& d);

// Train phase records, up to the end of the text, a failed range test or a
// failure exit; when it ends normally, also the speed and adhesion to the
// end, where their cursors live. Returns true when it ended normally (end of
// text or code 15), false on a failure exit. Throws fallimento_lettura (a
// speed that does not fit a byte, a route never sized).
bool leggi_treno(modello& m, lettore_campi& campi, stato_lettura& stato, raccolta_diagnostiche& d);

// End step of the train phase, run after the train source was deleted: the
// test of the kilometric references (code 2). Throws nothing.
void concludi_treno(modello& m, raccolta_diagnostiche& d);

}  // namespace compattatore
