#include "sources/testi.h"

namespace compattatore {

std::string scrivi_righe(const std::vector<std::string>& tabella) {
  std::string testo;
  for (size_t i = 0; i < tabella.size() && i < 1000; ++i) {
    if (tabella[i] == marcatore_fine) break;
    testo += tabella[i];
    testo += "\r\n";
  }
  return testo;
}

}  // namespace compattatore
