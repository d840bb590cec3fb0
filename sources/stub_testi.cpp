// Placeholder bodies until the built-in texts land.
#include "sources/testi.h"

namespace compattatore {

std::string dati_linea() { return {}; }
std::string dati_treno() { return {}; }
std::string dati_note() { return {}; }
std::string dati_rallentamenti() { return {}; }
std::string dati_scheda() { return {}; }

}  // namespace compattatore
