// Ports over memory, for a compile of texts rather than of the one-shot
// program's own files. They are product code, not test fakes: compila
// uses both (it reads its sources itself, and they must never be deleted;
// it holds the compiled files until it has checked that none would land on
// a source), and so do the benchmarks and the fuzz target. They live
// beside the ports, not in the tool, because all of those need them; the
// tests use them too, reading the flags the source keeps of what was
// asked of it.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "pipeline/destinazione_file.h"
#include "pipeline/fonte_sorgenti.h"

namespace compattatore {

// Two texts held in memory. An absent text (nullopt) reads as "assente";
// deleting only records that it was asked for.
struct fonte_in_memoria : fonte_sorgenti {
  std::optional<std::string> testo_linea;
  std::optional<std::string> testo_treno;
  bool linea_eliminata = false;
  bool treno_eliminata = false;
  bool treno_letto = false;

  testo_sorgente linea() override { return prendi(testo_linea); }
  testo_sorgente treno() override {
    treno_letto = true;
    return prendi(testo_treno);
  }
  void elimina_linea() override { linea_eliminata = testo_linea.has_value(); }
  void elimina_treno() override { treno_eliminata = testo_treno.has_value(); }

 private:
  static testo_sorgente prendi(const std::optional<std::string>& t) {
    if (!t) return {};
    return {testo_sorgente::stato::letto, *t};
  }
};

// Keeps the files in memory.
struct destinazione_in_memoria : destinazione_file {
  struct file {
    bool scritto = false;
    std::string nome;
    std::string byte;
  };
  file linea, tabella, percorso;
  void scrivi(file_compilato quale, const std::string& nome, std::string byte) override {
    file& f = quale == file_compilato::linea ? linea : quale == file_compilato::tabella ? tabella : percorso;
    f = {true, nome, std::move(byte)};
  }
};

}  // namespace compattatore
