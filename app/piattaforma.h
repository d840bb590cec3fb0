// The platform layer: the program folder and files. The compile core never
// calls anything here; the executables do. Every failure throws
// errore_piattaforma naming the file and the reason.
#pragma once

#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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

// The largest source a program reads. Real scenarios are far below it (the
// longest route of a line source is a few MB); the bound keeps a wrong
// argument such as a disk image from eating the machine's memory.
inline constexpr size_t limite_sorgente = size_t{256} << 20;  // 256 MiB

// A set of files written into one folder and replaced together.
//
// aggiungi() writes each file to a temporary file in the folder: an unnamed
// one (O_TMPFILE) where the file system supports it, so that a killed run
// leaves nothing behind, else one under a fixed-length temporary name
// (app/temporanei.h). conferma() then gives every file its final name,
// replacing whatever file had it: the set is renamed into place only once
// every write has succeeded, so a failed or killed run leaves the earlier
// set as it was. A set destroyed without conferma() removes its temporary
// files.
//
// A replaced file keeps the permission bits, and the owner and group where
// the process may set them, of the file it replaces; a new file gets mode
// 0666 less the umask. A symbolic link at a final name is replaced, never
// followed.
//
// Setting COMPATTATORE_TEMPORANEI_CON_NOME=1 in the environment makes every
// set use named temporary files, as on a file system without O_TMPFILE: the
// tests of that path need it on any machine.
class insieme_file {
 public:
  // Opens the folder. Throws when it cannot be opened.
  explicit insieme_file(std::string cartella);
  ~insieme_file();
  insieme_file(const insieme_file&) = delete;
  insieme_file& operator=(const insieme_file&) = delete;

  // Throws, naming the file (its name shortened), when `nome` is longer than
  // the folder's file system allows for a name. Writes nothing.
  void verifica_nome(const std::string& nome) const;

  // Writes `byte` to a temporary file that conferma() names `nome`. Throws
  // naming cartella/nome on any failure; the set's files stay temporary.
  void aggiungi(const std::string& nome, std::string_view byte);

  // The same for a file handed over in pieces: what `produci` gives goes to
  // the temporary file through one buffer of fixed size, so the file's
  // bytes are never whole in memory.
  void aggiungi_a_pezzi(const std::string& nome, const produttore_byte& produci);

  // Gives every file its final name, in the order added. Before the first
  // rename it checks that no final name is a folder, so that a folder
  // planted there stops the set whole. Throws on failure.
  void conferma();

 private:
  struct file;
  void scarta() noexcept;
  // Adds a file named `nome` (`percorso` in messages) to the set and returns
  // the descriptor of its new temporary file.
  int apri_temporaneo(const std::string& nome, const std::string& percorso);
  std::string cartella_;
  int fd_cartella_ = -1;
  std::vector<file> file_;
};

// Replaces the file at `percorso` as a whole with `byte`: a set of one file
// (see insieme_file).
void scrivi_file_sicuro(const std::string& percorso, std::string_view byte);

// An exclusive advisory lock (flock) on a folder for as long as the object
// lives. The lock is taken on the folder itself rather than on a lock file:
// there is nothing to create, nothing left behind as clutter, and no lock
// file to fail on in a folder the run may read but not write. The
// constructor waits while another run holds the lock, then removes the
// leftovers of killed runs (temporary files of the platform's own pattern).
// Throws when the folder cannot be opened or locked.
class cartella_bloccata {
 public:
  explicit cartella_bloccata(const std::string& cartella);
  ~cartella_bloccata();
  cartella_bloccata(const cartella_bloccata&) = delete;
  cartella_bloccata& operator=(const cartella_bloccata&) = delete;

 private:
  int fd_ = -1;
};

// Writes all of `s` to the stream and flushes it. Returns false when the
// write or the flush failed (a closed pipe, a full disk).
bool scrivi_flusso(std::FILE* f, std::string_view s);

// Reads the whole source at `percorso`. A link is followed (an author may
// keep a source elsewhere and link it in; reading changes nothing there).
// The file is opened without blocking, so a FIFO cannot hang the program,
// and anything but a regular file is refused, naming what it is; a file
// larger than limite_sorgente is refused too. Throws when it cannot be
// opened or read.
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

// Writes the compiled files into `cartella` as one set: each handed-over
// file goes to a temporary file, and conferma() puts them all in place.
// Destroyed without conferma() (a failed or stopped compile), it leaves the
// folder as it was.
struct destinazione_cartella : destinazione_file {
  explicit destinazione_cartella(std::string c) : insieme(std::move(c)) {}
  void scrivi(file_compilato, const std::string& nome, std::string byte) override {
    insieme.verifica_nome(nome);
    insieme.aggiungi(nome, byte);
  }
  void scrivi_a_pezzi(file_compilato, const std::string& nome, size_t, const produttore_byte& produci) override {
    insieme.verifica_nome(nome);
    insieme.aggiungi_a_pezzi(nome, produci);
  }
  void conferma() { insieme.conferma(); }
  insieme_file insieme;
};

}  // namespace compattatore
