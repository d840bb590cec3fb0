// The command line of `compila`: options and the two source operands.
//
//   compila [--no-plan] [--out DIR] [--route KEY] [--train KEY] [--json]
//           [--check] LINE_SOURCE TRAIN_SOURCE
//
// Value options take their value as the next argument or after "="
// (--out=DIR). "--" ends the options, so a source whose name starts with "-"
// can still be named. Each option may be given once.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace compattatore {

struct opzioni_compila {
  std::string sorgente_linea;           // LINE_SOURCE, as given
  std::string sorgente_treno;           // TRAIN_SOURCE, as given
  std::optional<std::string> cartella;  // --out; absent: the folder of LINE_SOURCE
  std::optional<std::string> chiave_linea;  // --route
  std::optional<std::string> chiave_treno;  // --train
  bool crea_linea = true;               // false with --no-plan
  bool json = false;                    // --json
  bool solo_verifica = false;           // --check: compile and report, write nothing
};

struct esito_argomenti {
  enum class azione { compila, aiuto, errore };
  azione a = azione::errore;
  opzioni_compila opzioni;  // when a is compila
  std::string errore;       // when a is errore: the reason, one line
};

// Returns what the arguments (without the program name) ask for: the usage
// text when "--help" stands anywhere before "--", else the
// options, else the reason why they are not a valid command line.
esito_argomenti analizza_argomenti(const std::vector<std::string>& argomenti);

// Returns the usage text printed by --help, ending with a line end.
std::string testo_uso();

}  // namespace compattatore
