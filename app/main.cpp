// The one-shot program: writes the built-in scenario's sources and driver
// documents into its own folder, compiles the sources and writes the compiled
// scenario there.
//
// Exit status: 0 done, no error code stored; 1 done, files written, but the
// compile stored an error code (reported on standard error); 2 stopped by a
// header guard (1250 or 1251), no compiled file written; 3 a file could not
// be created, written, read or deleted.
#include <csignal>
#include <cstdio>
#include <string>

#include "app/finestra.h"
#include "app/piattaforma.h"
#include "pipeline/diagnosi.h"
#include "model/modello.h"
#include "model/nomi_file.h"
#include "pipeline/memorizza_percorso.h"
#include "pipeline/catalogo.h"
#include "sources/testi.h"

namespace compattatore {
namespace {

int Form_Load() {
  modello m;
  m.nome_linea = "Valmora_Tessa";
  m.nome_treno = "R7736";
  mostra_finestra();

  const std::string cartella = cartella_programma();
  scrivi_file_sicuro(unisci(cartella, nome_sorgente_linea(m)), dati_linea());
  scrivi_file_sicuro(unisci(cartella, nome_sorgente_treno(m)), dati_treno());
  scrivi_file_sicuro(unisci(cartella, nome_note(m)), dati_note());
  scrivi_file_sicuro(unisci(cartella, nome_rallentamenti(m)), dati_rallentamenti());
  scrivi_file_sicuro(unisci(cartella, nome_scheda(m)), dati_scheda());

  fonte_cartella fonte(unisci(cartella, nome_sorgente_linea(m)), unisci(cartella, nome_sorgente_treno(m)));
  destinazione_cartella destinazione(cartella);
  raccolta_diagnostiche diagnostiche;
  const codice fermo = memorizza_percorso(m, 1, fonte, destinazione, diagnostiche);
  if (fermo != codice::nessuno) errore(std::to_string(numero(fermo)));

  if (m.codice_errore != 0) {
    diagnosi d = diagnosi_di(m, nome_sorgente_linea(m), nome_sorgente_treno(m));
    std::fprintf(stderr, "compattatore: %s\n", formatta(d).c_str());
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace compattatore

int main() {
  // A write beyond a file-size limit must fail as an error we report, not
  // kill the process half-way.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    return compattatore::Form_Load();
  } catch (const compattatore::errore_piattaforma& e) {
    std::fprintf(stderr, "compattatore: %s\n",
                 compattatore::rendi(compattatore::id_messaggio::piattaforma_su_file, {e.file, e.motivo}).c_str());
    return 3;
  }
}
