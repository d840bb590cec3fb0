// The platform layer: the program folder and files. The compile core never
// calls anything here; the executables do. Every failure throws
// errore_piattaforma naming the file and the reason.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "pipeline/destinazione_file.h"
#include "pipeline/fonte_sorgenti.h"

namespace compattatore {

struct errore_piattaforma : std::runtime_error {
  errore_piattaforma(std::string file_, std::string motivo_)
      : std::runtime_error(file_ + ": " + motivo_), file(std::move(file_)), motivo(std::move(motivo_)) {}
  std::string file;
  std::string motivo;
};

// Returns the folder that holds the running executable, whatever the working
// directory.
std::string cartella_programma();

// Returns `cartella` + "/" + `nome`.
std::string unisci(const std::string& cartella, const std::string& nome);

// Replaces the file at `percorso` as a whole with `byte`: writes a temporary
// file in the same folder and renames it over the final name. A symbolic link
// at the final name is replaced, never followed; on any failure the earlier
// file stays as it was and the temporary file is removed.
void scrivi_file_sicuro(const std::string& percorso, std::string_view byte);

// Reads the whole file. Throws when it cannot be opened or read.
std::string leggi_file(const std::string& percorso);

// Returns true when something exists under that name (a link counts).
bool esiste(const std::string& percorso);

// Returns true when replacing the directory entry `uscita` (as the safe
// write does: rename over the name, never following a link there) would
// replace or change the file read as `ingresso`: the entry is the input
// file itself or the very link the input was read through. Another name of
// the input (a hard link) counts too: replacing it would leave the input as
// it is, but a compiled file's name on a source is surely a mistake, and
// refusing keeps the source safe whichever name the author meant.
// Returns false when `uscita` does not exist.
bool scrittura_tocca(const std::string& ingresso, const std::string& uscita);

// Deletes the file where it exists. Throws when it exists and cannot be
// deleted.
void elimina_se_esiste(const std::string& percorso);

// The two source files of the one-shot program, in its folder: deleted once
// read, as the reader asks.
struct fonte_cartella : fonte_sorgenti {
  fonte_cartella(std::string linea, std::string treno)
      : percorso_linea(std::move(linea)), percorso_treno(std::move(treno)) {}
  testo_sorgente linea() override { return leggi(percorso_linea); }
  testo_sorgente treno() override { return leggi(percorso_treno); }
  void elimina_linea() override { elimina_se_esiste(percorso_linea); }
  void elimina_treno() override { elimina_se_esiste(percorso_treno); }

  std::string percorso_linea, percorso_treno;

 private:
  static testo_sorgente leggi(const std::string& percorso);
};

// Writes each compiled file into `cartella`, safely replaced as a whole.
struct destinazione_cartella : destinazione_file {
  explicit destinazione_cartella(std::string c) : cartella(std::move(c)) {}
  void scrivi(file_compilato, const std::string& nome, std::string byte) override {
    scrivi_file_sicuro(unisci(cartella, nome), byte);
  }
  std::string cartella;
};

}  // namespace compattatore
