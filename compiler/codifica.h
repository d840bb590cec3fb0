// The code page of a source text. Sources are single-byte text in code page
// 1252; authors' editors often save UTF-8 (sometimes UTF-16). This turns
// what an author has into what the reader reads, before reading, and says
// what it did.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compiler/verifica.h"

namespace compattatore {

enum class codifica : uint8_t {
  automatica,  // UTF-8 when the text is valid UTF-8 and not plain ASCII, else cp1252
  cp1252,      // byte for byte
  utf8,        // must be valid UTF-8
};

struct testo_convertito {
  bool letto = false;            // false: the text cannot be read (an error is among the findings)
  std::string testo;             // code page 1252, when letto
  std::vector<rilievo> rilievi;  // a note per converted line; the error when not letto
};

// Returns `testo` in code page 1252, read as `c` says, with findings tied
// to `fonte`:
//  - a UTF-16 text (a byte-order mark FF FE or FE FF, or NUL bytes in every
//    other position) is an error, whatever `c` says;
//  - a UTF-8 byte-order mark is skipped without a note (automatica, utf8);
//  - automatica: a text that is ASCII or not valid UTF-8 is taken byte for
//    byte; a valid UTF-8 text with other bytes is converted;
//  - converting gives one note per line that changed, and an error at the
//    first character that has no cp1252 form (line and column of the
//    converted text, columns in bytes as everywhere else);
//  - utf8 on a text that is not valid UTF-8 is an error at the first bad byte.
// Lines end at LF, CR LF or CR, as the reader counts them.
testo_convertito in_cp1252(std::string_view testo, codifica c, sorgente fonte);
// The same, taking the text: where it is read byte for byte it is moved on,
// not copied.
testo_convertito in_cp1252(std::string&& testo, codifica c, sorgente fonte);

}  // namespace compattatore
