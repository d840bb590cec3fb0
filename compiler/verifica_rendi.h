// The one place a finding of the check pass becomes a line of text (no line
// end), in the form editors jump to:
//   FILE:LINE:COLUMN: errore N: MESSAGE (posizione P m)
//   FILE:LINE:COLUMN: avviso: MESSAGE [-WNAME]
//   FILE:LINE:COLUMN: nota: MESSAGE
// in English "error N:", "warning:", "note:", "(position P m)". The line and
// column parts are left out where none applies.
#pragma once

#include <string>
#include <string_view>

#include "compiler/verifica.h"

namespace compattatore {

enum class lingua_rilievi : uint8_t { italiano, inglese };

// Returns the words of `id` with its arguments put in; `altro` fills {0}.
// Control bytes of an argument are written \xNN so that a line stays one line.
std::string rendi_messaggio(messaggio_verifica id, const std::vector<std::string>& argomenti,
                            std::string_view altro, lingua_rilievi l);

// Returns the words of `r` alone, {0} filled with the other place it names.
std::string messaggio_rilievo(const rilievo& r, std::string_view file_linea, std::string_view file_treno,
                              lingua_rilievi l);

// Returns `r` as one line; `file_linea` and `file_treno` name the sources.
std::string formatta_rilievo(const rilievo& r, std::string_view file_linea, std::string_view file_treno,
                             lingua_rilievi l);

}  // namespace compattatore
