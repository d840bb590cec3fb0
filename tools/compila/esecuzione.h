// One run of `compila`: the keys, the two sources read from disk, the
// compile (the same code the one-shot program runs), the diagnostics and
// the compiled files.
//
// Exit status: 0 no error code stored; 1 an error code stored (no compiled
// file written, so a good earlier build stays, unless --write-on-error), or
// a warning under --strict (nothing written); 2 stopped by a header guard,
// 1250 or 1251 (no compiled file written); 3 a usage error, a source
// refused (not a regular file, larger than limite_sorgente, UTF-16, a
// character with no code page 1252 form), two compiled files with one name,
// a file that could not be read or written, memory run out (main) or a
// failed write to standard output (main).
//
// A run that ends with 3 prints no JSON object, also with --json: the object
// describes a compile and its files, and a usage or file error is reported
// only by its line on standard error (naming the file and the reason).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/modello.h"
#include "pipeline/catalogo.h"
#include "pipeline/memorizza_percorso.h"
#include "tools/compila/argomenti.h"
#include "tools/compila/chiavi.h"
#include "pipeline/in_memoria.h"

namespace compattatore {

inline constexpr int uscita_pulita = 0;
inline constexpr int uscita_errore_memorizzato = 1;
inline constexpr int uscita_fermata = 2;
inline constexpr int uscita_uso_o_file = 3;

struct compilazione {
  modello m;
  int32_t fermo = 0;                // 0, or 1250 / 1251 when a header guard stopped it
  destinazione_in_memoria compilati;  // the files handed over (none when stopped)
  raccolta_diagnostiche diagnostiche;  // every error found, in the order found
};

// Returns the compile of the two source texts under the keys `k`, with the
// track plan and line file when `crea_linea`. Touches no file. The texts are
// taken by value and handed on by moving them: move a large text in, and it
// is held once.
compilazione compila_testi(std::string testo_linea, std::string testo_treno, const chiavi& k, bool crea_linea);

struct esito_esecuzione {
  int uscita = uscita_pulita;
  std::string uscita_standard;  // the JSON object with --json, else nothing
  std::string errore_standard;  // diagnostics, one line each, "\n"-ended
};

// Runs the compile asked for by `o`: reads both sources (never changing,
// moving or deleting them; only regular files up to limite_sorgente),
// turns them into code page 1252, compiles, runs the check pass, reports,
// and unless --check writes the compiled files into the output folder as
// one set (line, table, route file, put in place together once all are
// written), holding the folder locked meanwhile. Nothing is written when
// two compiled files would have one name, a name is too long for the
// folder, or a compiled file would land on one of the sources. On success,
// unless --quiet, a summary line ends standard error.
esito_esecuzione esegui_compila(const opzioni_compila& o);

// Returns the whole run for the arguments after the program name: usage
// text for --help, the version for --version, a reason and the usage line
// for a usage error, else esegui_compila in the environment's language.
esito_esecuzione esegui_riga_di_comando(const std::vector<std::string>& argomenti);

}  // namespace compattatore
