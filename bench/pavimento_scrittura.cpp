// The write floor: the least a start of the one-shot program could cost.
// It reads the files named on its command line, then writes their bytes
// under the same names into its own folder, each replaced safely as a whole
// (temporary file and rename) exactly as the program writes its outputs, and
// does nothing else. The process benchmark feeds it the program's own
// outputs. Exit status 3 when a file cannot be read or written.
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/piattaforma.h"

int main(int argc, char** argv) {
  using namespace compattatore;
  try {
    // Everything is read before anything is written, so the writes run as
    // the program's do: from bytes already in memory.
    std::vector<std::pair<std::string, std::string>> file;
    for (int i = 1; i < argc; ++i)
      file.emplace_back(std::filesystem::path(argv[i]).filename().string(), leggi_file(argv[i]));
    const std::string cartella = cartella_programma();
    for (const auto& [nome, byte] : file) scrivi_file_sicuro(unisci(cartella, nome), byte);
  } catch (const errore_piattaforma& e) {
    std::fprintf(stderr, "pavimento_scrittura: %s: %s\n", e.file.c_str(), e.motivo.c_str());
    return 3;
  }
  return 0;
}
