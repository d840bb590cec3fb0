#include "compiler/memorizza_dati.h"

#include "compiler/fasi_lettura.h"
#include "compiler/lettore_campi.h"

namespace compattatore {
namespace {

void segna_fallimento(modello& m, sorgente s, const fallimento_lettura& f) {
  segna_errore_in(m, s, f.riga, 25);
  m.motivo_errore = f.motivo;
}

}  // namespace

void memorizza_dati(modello& m, fonte_sorgenti& f) {
  m.tabella[85].nome = m.nome_linea;
  m.tabella[86].nome = m.nome_treno;

  testo_sorgente linea = f.linea();
  if (linea.s == testo_sorgente::stato::assente) {
    segna_errore(m, 101);
    return;
  }

  sorgente fase = sorgente::linea;
  try {
    if (linea.s != testo_sorgente::stato::letto)
      throw fallimento_lettura(motivo_fallimento::sorgente_illeggibile, 0);
    stato_lettura stato;
    lettore_campi campi_linea(linea.testo);
    bool prosegui = leggi_linea(m, campi_linea, stato);
    f.elimina_linea();
    if (!prosegui || !concludi_linea(m, stato)) return;

    fase = sorgente::treno;
    testo_sorgente treno = f.treno();
    if (treno.s != testo_sorgente::stato::letto)
      throw fallimento_lettura(motivo_fallimento::sorgente_illeggibile, 0);
    lettore_campi campi_treno(treno.testo);
    bool normale = leggi_treno(m, campi_treno, stato);
    f.elimina_treno();
    if (normale) concludi_treno(m);
  } catch (const fallimento_lettura& e) {
    segna_fallimento(m, fase, e);
    f.elimina_linea();
    f.elimina_treno();
  }
}

}  // namespace compattatore
