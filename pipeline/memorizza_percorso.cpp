#include "pipeline/memorizza_percorso.h"

#include "pipeline/memorizza_dati.h"
#include "model/errori.h"
#include "model/nomi_file.h"
#include "output/codici_gara.h"
#include "output/file_compilati.h"
#include "output/finitura.h"

namespace compattatore {

namespace {

// A header guard stops the run: the model keeps its own code (the guard is
// no stored error), the sink gets the stop.
codice fermata(raccolta_diagnostiche& diagnostiche, codice c) {
  diagnostica d;
  d.codice = numero(c);
  d.messaggio = significato_di(numero(c));
  diagnostiche.riporta(std::move(d));
  return c;
}

}  // namespace

codice memorizza_percorso(modello& m, int32_t j, fonte_sorgenti& f, destinazione_file& d,
                          raccolta_diagnostiche& diagnostiche) {
  // 1. Preparation.
  m.crea_linea = j;
  segna_errore(m, numero(codice::nessuno));
  for (voce& v : m.tabella) v = voce{};

  // 2. Reading. Whatever code it leaves, the steps below run.
  memorizza_dati(m, f, diagnostiche);

  // 3. Finishing.
  finisci_percorso(m, diagnostiche);

  // 4. Header guards and values. A route that was never sized (the reader
  // stopped before the route length) has no cell 1: its guards and header
  // cell values are skipped and an empty route file is written, so the
  // failure stays visible in codice_errore rather than in a made-up route.
  cella* intestazione = m.percorso.size() > cella_intestazione ? &m.percorso[cella_intestazione] : nullptr;
  voce& linea = m.tabella[voce_linea];
  if (linea.intero1 != 0 || (intestazione && intestazione->dato1 != 0)) return fermata(diagnostiche, codice::intestazione_primo);
  linea.intero1 = valore_intestazione_tabella;
  if (intestazione) intestazione->dato1 = valore_intestazione_percorso;
  if (linea.orario != 0 || (intestazione && intestazione->dato2 != 0)) return fermata(diagnostiche, codice::intestazione_secondo);

  // 5. Competition codes.
  linea.orario = codice_gara_st(m);
  if (intestazione) intestazione->dato2 = codice_gara_og(m);

  // 6. Output, in the order line file, table file, route file.
  // The line file, most of the bytes of a run, goes in pieces straight from
  // the plan: a destination that writes a file need never hold it whole.
  if (m.crea_linea != 0)
    d.scrivi_a_pezzi(file_compilato::linea, nome_file_linea(m), dimensione_linea(m.plan), produttore_linea(m.plan));
  d.scrivi(file_compilato::tabella, nome_file_tabella(m), codifica_tabella(m.tabella));
  d.scrivi(file_compilato::percorso, nome_file_percorso(m), codifica_percorso(m.percorso));
  return codice::nessuno;
}

}  // namespace compattatore
