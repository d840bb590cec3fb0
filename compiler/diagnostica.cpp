#include "compiler/diagnostica.h"

#include "model/codici.h"
#include "pipeline/catalogo.h"

namespace compattatore {

std::string significato(int32_t codice, motivo_fallimento motivo) {
  return rendi(significato_di(codice, motivo), {}, lingua::italiano);
}

diagnosi diagnosi_di(const modello& m, const std::string& file_linea, const std::string& file_treno) {
  diagnosi d;
  d.codice = m.codice_errore;
  if (d.codice == 0) return d;
  if (m.posizione_valida) d.posizione = m.posizione_errore;
  if (m.sorgente_errore == sorgente::linea) d.dove.file = file_linea;
  if (m.sorgente_errore == sorgente::treno) d.dove.file = file_treno;
  if (!d.dove.file.empty()) d.dove.riga = m.riga_errore;
  d.messaggio = significato(d.codice, m.motivo_errore);
  return d;
}

std::string formatta(const diagnosi& d) {
  std::string s;
  if (!d.dove.file.empty()) {
    s += d.dove.file;
    if (d.dove.riga > 0) s += ":" + std::to_string(d.dove.riga);
    s += ": ";
  }
  s += "errore " + std::to_string(d.codice) + ": " + d.messaggio;
  if (d.posizione) s += " (posizione " + std::to_string(*d.posizione) + " m)";
  return s;
}

}  // namespace compattatore
