#include "pipeline/diagnosi.h"

#include "model/codici.h"
#include "pipeline/catalogo.h"

namespace compattatore {

std::string significato(int32_t codice, motivo_fallimento motivo) {
  return rendi(significato_di(codice, motivo));
}

diagnosi diagnosi_di(const modello& m, const std::string& file_linea, const std::string& file_treno) {
  diagnosi d;
  d.codice = m.codice_errore;
  if (d.codice == 0) return d;
  if (m.posizione_valida) d.posizione = m.posizione_errore;
  if (m.sorgente_errore == sorgente::linea) d.dove.file = file_linea;
  if (m.sorgente_errore == sorgente::treno) d.dove.file = file_treno;
  if (!d.dove.file.empty()) d.dove.riga = m.riga_errore;
  d.id = significato_di(d.codice, m.motivo_errore);
  d.messaggio = rendi(d.id);
  return d;
}

std::string formatta(const diagnosi& d) {
  diagnostica v;
  v.livello = gravita::errore;
  v.codice = d.codice;
  v.posizione = d.posizione;
  v.riga = d.dove.riga;
  v.messaggio = d.id != id_messaggio::nessuno ? d.id : significato_di(d.codice);
  return formatta(v, d.dove.file, lingua_da_ambiente());
}

}  // namespace compattatore
