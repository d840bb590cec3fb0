// Source texts for tests, written the way the program writes its sources:
// every line ended by CR LF.
#pragma once

#include <string>
#include <vector>

namespace compattatore {

// Returns the lines joined, each ended by CR LF; the last one too unless
// `fine_riga_finale` is false.
inline std::string testo_di(const std::vector<std::string>& righe, bool fine_riga_finale = true) {
  std::string t;
  for (size_t i = 0; i < righe.size(); ++i) {
    t += righe[i];
    if (i + 1 < righe.size() || fine_riga_finale) t += "\r\n";
  }
  return t;
}

}  // namespace compattatore
