#include "output/file_a_pezzi.h"

#include "output/file_compilati.h"

namespace compattatore {

produttore_byte produttore_linea(const planimetria& p) {
  return [c = codificatore_linea(p)](char* b, size_t n) mutable { return c.riempi(b, n); };
}

std::string raccogli(const produttore_byte& produci, size_t totale) {
  std::string b(totale, '\0');
  size_t dati = 0;
  while (dati < b.size()) {
    const size_t n = produci(b.data() + dati, b.size() - dati);
    if (n == 0) {
      b.resize(dati);
      return b;
    }
    dati += n;
  }
  // The expected size is reached: whatever more comes is appended.
  char resto[4096];
  while (const size_t n = produci(resto, sizeof resto)) b.append(resto, n);
  return b;
}

}  // namespace compattatore
