// Route finishing: the pass over `percorso` that places abbattimento points
// (tipo 12, dato1 180) before signals ahead of a slow-down warning and around
// slow-down starts, with codes 11, 12 and 13 where no free cell is found.
#pragma once

#include "model/diagnostica.h"
#include "model/modello.h"

namespace compattatore {

// Runs the finishing pass over m.percorso in place; nothing when the route
// was never sized. Stores its codes (and reports each into `d`) and goes on.
void finisci_percorso(modello& m, raccolta_diagnostiche& d);

}  // namespace compattatore
