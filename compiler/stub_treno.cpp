// Placeholder train phase until the train reader lands.
#include "compiler/fasi_lettura.h"

namespace compattatore {

bool leggi_treno(modello&, lettore_campi&, stato_lettura&) { return true; }
void concludi_treno(modello&) {}

}  // namespace compattatore
