// compila: the command-line compiler for authors' own scenarios. All of its
// logic is in esecuzione.h; this only hands over the arguments and prints.
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "pipeline/catalogo.h"
#include "tools/compila/esecuzione.h"

namespace {

bool scrivi_tutto(std::FILE* f, const std::string& s) {
  if (!s.empty() && std::fwrite(s.data(), 1, s.size(), f) != s.size()) return false;
  return std::fflush(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  // A write beyond a file-size limit must fail as an error we report, not
  // kill the process half-way.
  std::signal(SIGXFSZ, SIG_IGN);
  std::vector<std::string> argomenti(argv + (argc > 0 ? 1 : 0), argv + argc);
  compattatore::esito_esecuzione e;
  try {
    e = compattatore::esegui_riga_di_comando(argomenti);
  } catch (const std::exception& x) {
    std::fprintf(stderr, "compila: %s\n",
                 compattatore::rendi(compattatore::id_messaggio::compila_errore_interno, {x.what()}).c_str());
    return compattatore::uscita_uso_o_file;
  }
  scrivi_tutto(stderr, e.errore_standard);
  // The JSON object is the result of the run: losing it is a failure.
  if (!scrivi_tutto(stdout, e.uscita_standard)) {
    std::fprintf(stderr, "compila: %s\n", compattatore::rendi(compattatore::id_messaggio::compila_uscita_standard).c_str());
    return compattatore::uscita_uso_o_file;
  }
  return e.uscita;
}
