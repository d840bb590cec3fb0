#include "pipeline/rilievi.h"

#include "pipeline/testo_sicuro.h"

namespace compattatore {
namespace {

std::string_view file_di(sorgente f, std::string_view linea, std::string_view treno) {
  if (f == sorgente::linea) return linea;
  if (f == sorgente::treno) return treno;
  return {};
}

}  // namespace

std::string messaggio_rilievo(const rilievo& r, std::string_view file_linea, std::string_view file_treno,
                              lingua l) {
  std::vector<std::string> argomenti;
  for (const std::string& a : r.argomenti) argomenti.push_back(testo_sicuro(a));
  std::string s = rendi(r.messaggio, argomenti, l);
  if (r.altra_fonte != sorgente::nessuna) {
    std::string altro = testo_sicuro(file_di(r.altra_fonte, file_linea, file_treno));
    if (r.altra_riga > 0) altro += ":" + std::to_string(r.altra_riga);
    if (size_t p = s.find("{@}"); p != std::string::npos) s.replace(p, 3, altro);
  }
  return s;
}

std::string formatta_rilievo(const rilievo& r, std::string_view file_linea, std::string_view file_treno,
                             lingua l) {
  const bool en = l == lingua::inglese;
  std::string s;
  const std::string_view file = file_di(r.fonte, file_linea, file_treno);
  if (!file.empty()) {
    s += testo_sicuro(file);
    if (r.riga > 0) {
      s += ":" + std::to_string(r.riga);
      if (r.colonna > 0) s += ":" + std::to_string(r.colonna);
    }
    s += ": ";
  }
  switch (r.livello) {
    case livello_rilievo::errore:
      s += en ? "error" : "errore";
      if (r.codice != 0) s += " " + std::to_string(r.codice);
      s += ": ";
      break;
    case livello_rilievo::avviso:
      s += en ? "warning: " : "avviso: ";
      break;
    case livello_rilievo::nota:
      s += en ? "note: " : "nota: ";
      break;
  }
  s += messaggio_rilievo(r, file_linea, file_treno, l);
  if (r.posizione) s += (en ? " (position " : " (posizione ") + std::to_string(*r.posizione) + " m)";
  const std::string_view nome = nome_avviso(r.messaggio);
  if (r.livello == livello_rilievo::avviso && !nome.empty()) s += " [-W" + std::string(nome) + "]";
  return s;
}

bool nome_avviso_noto(std::string_view nome) {
  if (nome.empty()) return false;
  // The ids are dense from 0; the catalogue names each one it knows.
  for (uint16_t i = 0; nel_catalogo(static_cast<id_messaggio>(i)); ++i)
    if (nome_avviso(static_cast<id_messaggio>(i)) == nome) return true;
  return false;
}

}  // namespace compattatore
