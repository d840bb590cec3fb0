// A finding of the check pass in words, given the names of the two
// sources: the catalogue's messaggio_di and formatta with the file each
// finding's places stand in.
#pragma once

#include <string>
#include <string_view>

#include "compiler/verifica.h"
#include "pipeline/catalogo.h"

namespace compattatore {

// Returns the words of `r` alone (messaggio_di).
std::string messaggio_rilievo(const rilievo& r, std::string_view file_linea, std::string_view file_treno,
                              lingua l);

// Returns `r` as one line (formatta); `file_linea` and `file_treno` name
// the sources.
std::string formatta_rilievo(const rilievo& r, std::string_view file_linea, std::string_view file_treno,
                             lingua l);

// Returns true when `nome` is the short name of a warning of the catalogue.
bool nome_avviso_noto(std::string_view nome);

}  // namespace compattatore
