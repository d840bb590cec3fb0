#include "pipeline/rilievi.h"

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
  return messaggio_di(r, l, file_di(r.altra_fonte, file_linea, file_treno));
}

std::string formatta_rilievo(const rilievo& r, std::string_view file_linea, std::string_view file_treno,
                             lingua l) {
  return formatta(r, file_di(r.fonte, file_linea, file_treno), l, file_di(r.altra_fonte, file_linea, file_treno));
}

bool nome_avviso_noto(std::string_view nome) {
  if (nome.empty()) return false;
  // The ids are dense from 0; the catalogue names each one it knows.
  for (uint16_t i = 0; nel_catalogo(static_cast<id_messaggio>(i)); ++i)
    if (nome_avviso(static_cast<id_messaggio>(i)) == nome) return true;
  return false;
}

}  // namespace compattatore
