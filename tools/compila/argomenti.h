// The command line of `compila`: options and the two source operands.
//
//   compila [--no-plan] [--out DIR] [--route KEY] [--train KEY] [--json]
//           [--check] [--encoding=cp1252|utf-8|auto] [--write-on-error]
//           [--quiet] [--strict] [-Wno-NAME]... LINE_SOURCE TRAIN_SOURCE
//   compila -h | --help | --version
//
// Value options take their value as the next argument or after "="
// (--out=DIR). "--" ends the options, so a source whose name starts with "-"
// can still be named. Each option may be given once.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "compiler/codifica.h"
#include "pipeline/rilievi.h"

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
  // What the check pass and the encodings add.
  codifica codifica_sorgenti = codifica::automatica;  // --encoding
  bool scrivi_con_errore = false;       // --write-on-error: write even when a code is stored
  bool silenzioso = false;              // --quiet: no summary line on success
  bool rigoroso = false;                // --strict: any warning fails the run
  std::set<std::string> avvisi_spenti;  // -Wno-NAME, by NAME
  lingua lingua_messaggi = lingua::italiano;  // of findings and summary; from the environment
};

struct esito_argomenti {
  enum class azione { compila, aiuto, versione, errore };
  azione a = azione::errore;
  opzioni_compila opzioni;  // when a is compila
  std::string errore;       // when a is errore: the reason, one line
};

// Returns what the arguments (without the program name) ask for: the usage
// text when "-h" or "--help" stands anywhere before "--", the version for
// "--version", else the options, else the reason why they are not a valid
// command line.
esito_argomenti analizza_argomenti(const std::vector<std::string>& argomenti);

// Returns the usage text printed by --help, ending with a line end.
std::string testo_uso();

// Returns the one usage line shown after a usage error, ending with a line end.
std::string riga_uso();

// Returns the text printed by --version, ending with a line end.
std::string testo_versione();

}  // namespace compattatore
