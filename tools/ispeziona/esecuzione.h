// One run of `ispeziona`: the arguments, the files read and decoded, the
// report printed and the page written.
//
// Exit status: 0 done; 3 a usage error, a file that cannot be read or
// written, or a compiled file the decoder refuses (truncated, overlong or
// malformed), named with the offset and what was expected there.
//
// Output: the text report on standard output; with --json the JSON object
// instead; with --html FILE the page is written and the text report left
// out (--json still prints the object). --json and --html take at most one
// file of each role: they describe one scenario.
#pragma once

#include <string>
#include <vector>

#include "tools/ispeziona/argomenti.h"
#include "tools/ispeziona/parole.h"

namespace compattatore::ispeziona {

inline constexpr int uscita_pulita = 0;
inline constexpr int uscita_fallita = 3;

struct esito_esecuzione {
  int uscita = uscita_pulita;
  std::string uscita_standard;
  std::string errore_standard;  // one line per message, "\n"-ended
};

// Runs what `o` asks for, reading and writing files on disk.
esito_esecuzione esegui_ispeziona(const opzioni& o, lingua l);

// Returns the whole run for the arguments after the program name.
esito_esecuzione esegui_riga_di_comando(const std::vector<std::string>& argomenti, lingua l);

}  // namespace compattatore::ispeziona
