// Placeholder finishing pass until route finishing lands.
#include "output/finitura.h"

namespace compattatore {

void finisci_percorso(modello&) {}

}  // namespace compattatore
