// Where the compile step hands the compiled files. The one-shot program
// writes them into its folder; compila holds them in memory until it has
// checked every output name.
#pragma once

#include <string>

namespace compattatore {

enum class file_compilato { linea, tabella, percorso };

// Where the compiled files go, in the order line file, table file, route
// file. `nome` is the bare file name formed from the keys.
struct destinazione_file {
  virtual ~destinazione_file() = default;
  virtual void scrivi(file_compilato quale, const std::string& nome, std::string byte) = 0;
};

}  // namespace compattatore
