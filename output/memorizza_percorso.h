// The compile step: prepares the model, has the sources read, finishes the
// route, guards and stores the header values and the competition codes, and
// hands the compiled files to their destination.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/fonte_sorgenti.h"
#include "model/codici.h"
#include "model/diagnostica.h"
#include "model/modello.h"

namespace compattatore {

enum class file_compilato { linea, tabella, percorso };

// Where the compiled files go, in the order line file, table file, route
// file. `nome` is the bare file name formed from the keys.
struct destinazione_file {
  virtual ~destinazione_file() = default;
  virtual void scrivi(file_compilato quale, const std::string& nome, std::string byte) = 0;
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

// Returns codice::nessuno when the compiled files were handed to `d`, or
// intestazione_primo / intestazione_secondo (1250 / 1251) when a header
// guard stopped the run (nothing handed over). Never ends the process:
// showing the stop is the caller's. The line file is handed over only when
// `j` is non-zero. Every error found is reported into `diagnostiche`, the
// guard's too. Requires both keys set in `m`. Throws what the ports throw.
[[nodiscard]] codice memorizza_percorso(modello& m, int32_t j, fonte_sorgenti& f, destinazione_file& d,
                                        raccolta_diagnostiche& diagnostiche);

}  // namespace compattatore
