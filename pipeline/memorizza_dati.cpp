#include "pipeline/memorizza_dati.h"

#include "compiler/fasi_lettura.h"
#include "compiler/lettore_campi.h"

namespace compattatore {
namespace {

void segna_fallimento(modello& m, raccolta_diagnostiche& d, sorgente s, const fallimento_lettura& f) {
  registra_errore(m, d, codice::lettura_fallita, s, f.dove, std::nullopt, f.motivo);
}

}  // namespace

void memorizza_dati(modello& m, fonte_sorgenti& f, raccolta_diagnostiche& d) {
  m.tabella[voce_linea].nome = m.nome_linea;
  m.tabella[voce_treno].nome = m.nome_treno;

  testo_sorgente linea = f.linea();
  if (linea.s == testo_sorgente::stato::assente) {
    registra_errore(m, d, codice::linea_mancante);
    return;
  }

  sorgente fase = sorgente::linea;
  try {
    if (linea.s != testo_sorgente::stato::letto)
      throw fallimento_lettura(motivo_fallimento::sorgente_illeggibile, {});
    stato_lettura stato;
    lettore_campi campi_linea(linea.testo);
    bool prosegui = leggi_linea(m, campi_linea, stato, d);
    f.elimina_linea();
    if (!prosegui || !concludi_linea(m, d)) return;

    fase = sorgente::treno;
    testo_sorgente treno = f.treno();
    if (treno.s != testo_sorgente::stato::letto)
      throw fallimento_lettura(motivo_fallimento::sorgente_illeggibile, {});
    lettore_campi campi_treno(treno.testo);
    bool normale = leggi_treno(m, campi_treno, stato, d);
    f.elimina_treno();
    if (normale) concludi_treno(m, d);
  } catch (const fallimento_lettura& e) {
    segna_fallimento(m, d, fase, e);
    f.elimina_linea();
    f.elimina_treno();
  }
}

}  // namespace compattatore
