// The command line of `ispeziona`:
//
//   ispeziona [--json] [--html FILE] [--role linea|tabella|percorso]
//             COMPILED_FILE...
//
// "--" ends the options. -h/--help prints the usage, --version the version.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/ispeziona/contenuto.h"
#include "tools/ispeziona/parole.h"

namespace compattatore::ispeziona {

inline constexpr const char* versione = "ispeziona 1.0.0";

struct opzioni {
  bool json = false;
  std::optional<std::string> html;  // the page to write
  std::optional<ruolo> r;           // --role: the role of every file
  std::vector<std::string> file;    // at least one
};

struct esito_argomenti {
  enum class azione { ispeziona, aiuto, versione, errore };
  azione a = azione::errore;
  opzioni o;           // for ispeziona
  std::string testo;   // for aiuto and versione: what to print; for errore: the reason, one line
};

// Returns the text of --help, ending with a line end.
std::string testo_aiuto(lingua l);

// Returns what the arguments (without the program name) ask for, with the
// words of `l`.
esito_argomenti analizza_argomenti(const std::vector<std::string>& argomenti, lingua l);

}  // namespace compattatore::ispeziona
