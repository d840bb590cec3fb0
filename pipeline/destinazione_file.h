// Where the compile step hands the compiled files. The one-shot program
// writes them into its folder; compila holds them in memory until it has
// checked every output name.
#pragma once

#include <cstddef>
#include <string>

#include "output/file_a_pezzi.h"

namespace compattatore {

enum class file_compilato { linea, tabella, percorso };

// Where the compiled files go, in the order line file, table file, route
// file. `nome` is the bare file name formed from the keys.
struct destinazione_file {
  virtual ~destinazione_file() = default;
  virtual void scrivi(file_compilato quale, const std::string& nome, std::string byte) = 0;
  // The same file handed over in pieces (`totale` bytes in all), for a file
  // too large to want whole in memory: the line file. A destination that
  // keeps files whole collects the pieces, which is the default.
  virtual void scrivi_a_pezzi(file_compilato quale, const std::string& nome, size_t totale,
                              const produttore_byte& produci) {
    scrivi(quale, nome, raccogli(produci, totale));
  }
};

}  // namespace compattatore
