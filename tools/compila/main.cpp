// compila: the command-line compiler for authors' own scenarios. All of its
// logic is in esecuzione.h; this only hands over the arguments and prints.
#include <csignal>
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "app/piattaforma.h"
#include "app/temporanei.h"
#include "pipeline/catalogo.h"
#include "pipeline/testo_sicuro.h"
#include "tools/compila/esecuzione.h"

int main(int argc, char** argv) {
  // A write beyond a file-size limit, or to a closed pipe (compila --json
  // | head -c0), must fail as an error we report, not kill the process.
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
  compattatore::installa_pulizia_segnali();
  std::vector<std::string> argomenti(argv + (argc > 0 ? 1 : 0), argv + argc);
  compattatore::esito_esecuzione e;
  try {
    e = compattatore::esegui_riga_di_comando(argomenti);
  } catch (const std::bad_alloc&) {
    // The compiled set, if one was begun, was discarded by the unwinding.
    std::fprintf(stderr, "compila: %s\n", compattatore::rendi(compattatore::id_messaggio::memoria_esaurita).c_str());
    return compattatore::uscita_uso_o_file;
  } catch (const std::exception& x) {
    std::fprintf(stderr, "compila: %s\n",
                 compattatore::rendi(compattatore::id_messaggio::compila_errore_interno,
                                     {compattatore::testo_sicuro(x.what())}).c_str());
    return compattatore::uscita_uso_o_file;
  }
  compattatore::scrivi_flusso(stderr, e.errore_standard);
  // The JSON object is the result of the run: losing it is a failure.
  if (!compattatore::scrivi_flusso(stdout, e.uscita_standard)) {
    std::fprintf(stderr, "compila: %s\n", compattatore::rendi(compattatore::id_messaggio::uscita_standard_fallita).c_str());
    return compattatore::uscita_uso_o_file;
  }
  return e.uscita;
}
