#include "sources/impaginazione.h"

namespace compattatore {

std::string a_sinistra(std::string_view testo, size_t larghezza) {
  std::string riga(testo);
  if (riga.size() < larghezza) riga.append(larghezza - riga.size(), ' ');
  return riga;
}

std::string a_destra(std::string_view testo, size_t larghezza) {
  std::string riga;
  if (testo.size() < larghezza) riga.append(larghezza - testo.size(), ' ');
  riga += testo;
  return riga;
}

std::string maiuscolo(std::string_view nome) {
  std::string alto;
  for (char c : nome) {
    if (c >= 'a' && c <= 'z') {
      alto += static_cast<char>(c - 'a' + 'A');
    } else if (c == '\xE8') {
      alto += "E'";
    } else {
      alto += c;
    }
  }
  return alto;
}

}  // namespace compattatore
