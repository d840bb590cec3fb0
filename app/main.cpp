// The one-shot program: writes the built-in scenario's sources and driver
// documents into its own folder, compiles the sources and writes the compiled
// scenario there.
//
// Exit status: 0 done, no error code stored; 1 done, files written, but the
// compile stored an error code (reported on standard error); 2 stopped by a
// header guard (1250 or 1251), no compiled file written; 3 a file could not
// be created, written, read or deleted, memory ran out (no compiled file
// written), or standard output could not be written.
#include <csignal>
#include <cstdio>
#include <new>
#include <string>

#include "app/finestra.h"
#include "app/piattaforma.h"
#include "app/temporanei.h"
#include "pipeline/diagnosi.h"
#include "pipeline/testo_sicuro.h"
#include "model/modello.h"
#include "model/nomi_file.h"
#include "pipeline/memorizza_percorso.h"
#include "pipeline/catalogo.h"
#include "sources/testi.h"

namespace compattatore {
namespace {

// The two source texts of the run, named once the folder is known: an
// exit for lack of memory removes them, as the reader would have.
struct sorgenti_della_corsa {
  std::string linea, treno;
};

int Form_Load(sorgenti_della_corsa& sorgenti) {
  modello m;
  m.nome_linea = "Valmora_Tessa";
  m.nome_treno = "R7736";
  mostra_finestra();

  const std::string cartella = cartella_programma();
  // The whole run holds the folder: a second start (a double click) waits
  // here until this one has ended, instead of deleting this run's sources
  // under its reader. It also removes what killed runs left.
  cartella_bloccata blocco(cartella);

  sorgenti = {unisci(cartella, nome_sorgente_linea(m)), unisci(cartella, nome_sorgente_treno(m))};
  // The five texts are each replaced on their own, not as one set: the two
  // sources must exist under their names before the reader can read them
  // (and it deletes them), and the three documents are written before the
  // compile because a stop by a header guard leaves them in place while it
  // writes no compiled file. Each is still replaced as a whole.
  scrivi_file_sicuro(sorgenti.linea, dati_linea());
  scrivi_file_sicuro(sorgenti.treno, dati_treno());
  scrivi_file_sicuro(unisci(cartella, nome_note(m)), dati_note());
  scrivi_file_sicuro(unisci(cartella, nome_rallentamenti(m)), dati_rallentamenti());
  scrivi_file_sicuro(unisci(cartella, nome_scheda(m)), dati_scheda());

  fonte_cartella fonte(sorgenti.linea, sorgenti.treno);
  // The three compiled files form one set, put in place together once all
  // three are written: the simulator reads them as one scenario.
  destinazione_cartella destinazione(cartella);
  raccolta_diagnostiche diagnostiche;
  const codice fermo = memorizza_percorso(m, 1, fonte, destinazione, diagnostiche);
  if (fermo != codice::nessuno) errore(std::to_string(numero(fermo)));
  destinazione.conferma();

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
  using namespace compattatore;
  // A write beyond a file-size limit, or to a closed pipe, must fail as an
  // error we report, not kill the process half-way.
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
  installa_pulizia_segnali();
  sorgenti_della_corsa sorgenti;
  int uscita = 0;
  try {
    uscita = Form_Load(sorgenti);
  } catch (const errore_piattaforma& e) {
    std::fprintf(stderr, "compattatore: %s\n",
                 rendi(id_messaggio::piattaforma_su_file, {testo_sicuro(e.file), testo_sicuro(e.motivo)}).c_str());
    return 3;
  } catch (const std::bad_alloc&) {
    // The compiled set was never put in place (its temporary files went
    // with the unwinding); the sources, which the reader may not have
    // reached, go as a finished run's would.
    for (const std::string* s : {&sorgenti.linea, &sorgenti.treno}) {
      try {
        if (!s->empty()) elimina_se_esiste(*s);
      } catch (const errore_piattaforma&) {
      }
    }
    std::fprintf(stderr, "compattatore: %s\n", rendi(id_messaggio::memoria_esaurita).c_str());
    return 3;
  }
  // The window layer writes to standard output; losing that is a failure
  // too, as for any file.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "compattatore: %s\n", rendi(id_messaggio::uscita_standard_fallita).c_str());
    return 3;
  }
  return uscita;
}
