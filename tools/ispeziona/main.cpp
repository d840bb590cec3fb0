// ispeziona: shows what the compiled files of a scenario hold. All of its
// logic is in esecuzione.h; this only hands over the arguments and prints.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/piattaforma.h"
#include "tools/ispeziona/esecuzione.h"

int main(int argc, char** argv) {
  using namespace compattatore::ispeziona;
  std::vector<std::string> argomenti(argv + (argc > 0 ? 1 : 0), argv + argc);
  const compattatore::lingua l = compattatore::lingua_da_ambiente();
  esito_esecuzione e;
  try {
    e = esegui_riga_di_comando(argomenti, l);
  } catch (const std::exception& x) {
    std::fprintf(stderr, "ispeziona: %s\n", x.what());
    return uscita_fallita;
  }
  compattatore::scrivi_flusso(stderr, e.errore_standard);
  if (!compattatore::scrivi_flusso(stdout, e.uscita_standard)) {
    // The same words as the other two programs, from the catalogue.
    const std::string motivo = compattatore::rendi(compattatore::id_messaggio::uscita_standard_fallita, {}, l);
    std::fprintf(stderr, "ispeziona: %s\n", motivo.c_str());
    return uscita_fallita;
  }
  return e.uscita;
}
