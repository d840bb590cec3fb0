// The one place a finding of the check pass becomes a line of text (no line
// end), in the form editors jump to:
//   FILE:LINE:COLUMN: errore N: MESSAGE (posizione P m)
//   FILE:LINE:COLUMN: avviso: MESSAGE [-WNAME]
//   FILE:LINE:COLUMN: nota: MESSAGE
// in English "error N:", "warning:", "note:", "(position P m)". The line and
// column parts are left out where none applies; an error that stores no
// code (a source that cannot be read as text) has no number. The words come
// from the catalogue.
#pragma once

#include <string>
#include <string_view>

#include "compiler/verifica.h"
#include "pipeline/catalogo.h"

namespace compattatore {

// Returns the words of `r` alone: its message with its arguments, {@}
// filled with the other place it names (FILE:LINE). Control bytes of an
// argument are written \xNN, so that a line stays one line.
std::string messaggio_rilievo(const rilievo& r, std::string_view file_linea, std::string_view file_treno,
                              lingua l);

// Returns `r` as one line; `file_linea` and `file_treno` name the sources.
std::string formatta_rilievo(const rilievo& r, std::string_view file_linea, std::string_view file_treno,
                             lingua l);

// Returns true when `nome` is the short name of a warning of the catalogue.
bool nome_avviso_noto(std::string_view nome);

}  // namespace compattatore
