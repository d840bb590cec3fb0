#include "tools/compila/esecuzione.h"

#include "app/piattaforma.h"
#include "pipeline/diagnosi.h"
#include "pipeline/in_memoria.h"
#include "pipeline/catalogo.h"
#include "tools/compila/json.h"

namespace compattatore {
namespace {

constexpr const char* prefisso = "compila: ";

esito_esecuzione fallita(std::string motivo) {
  esito_esecuzione e;
  e.uscita = uscita_uso_o_file;
  e.errore_standard = prefisso + std::move(motivo) + "\n";
  return e;
}

esito_esecuzione errore_uso(const std::string& motivo) {
  return fallita(rendi(id_messaggio::uso_rimando_aiuto, {motivo}));
}

esito_esecuzione errore_file(const errore_piattaforma& x) { return fallita(rendi(id_messaggio::piattaforma_su_file, {x.file, x.motivo})); }

struct da_scrivere {
  std::string percorso;
  const std::string* byte;
};

}  // namespace

compilazione compila_testi(const std::string& testo_linea, const std::string& testo_treno, const chiavi& k,
                           bool crea_linea) {
  compilazione c;
  c.m.nome_linea = k.linea;
  c.m.nome_treno = k.treno;
  // The texts stay in memory: the reader's deletes only mark them, so the
  // files on disk are never touched.
  fonte_in_memoria fonte;
  fonte.testo_linea = testo_linea;
  fonte.testo_treno = testo_treno;
  c.fermo = numero(memorizza_percorso(c.m, crea_linea ? 1 : 0, fonte, c.compilati, c.diagnostiche));
  return c;
}

esito_esecuzione esegui_compila(const opzioni_compila& o) {
  esito_chiavi k = chiavi_di(o);
  if (!k.valide) return errore_uso(k.errore);

  // A missing or unreadable input is a failure of the tool, not of the
  // sources: it is not turned into code 101 or 25.
  std::string testo_linea, testo_treno;
  try {
    testo_linea = leggi_file(o.sorgente_linea);
    testo_treno = leggi_file(o.sorgente_treno);
  } catch (const errore_piattaforma& x) {
    return errore_file(x);
  }

  compilazione c = compila_testi(testo_linea, testo_treno, k.k, o.crea_linea);
  esito_esecuzione e;
  diagnosi memorizzato = diagnosi_di(c.m, o.sorgente_linea, o.sorgente_treno);
  if (memorizzato.codice != 0) e.errore_standard += formatta(memorizzato) + "\n";

  if (c.fermo != 0) {
    // The guard decides the outcome, so it is the code the JSON object
    // carries; a code stored before it still has its own line above.
    diagnosi fermo;
    fermo.codice = c.fermo;
    fermo.messaggio = significato(c.fermo);
    e.errore_standard += formatta(fermo) + "\n";
    if (o.json) e.uscita_standard = oggetto_json(fermo, {});
    e.uscita = uscita_fermata;
    return e;
  }

  std::vector<std::string> scritti;
  if (!o.solo_verifica) {
    const std::string cartella = o.cartella ? *o.cartella : cartella_di(o.sorgente_linea);
    std::vector<da_scrivere> file;
    for (const destinazione_in_memoria::file* f :
         {&c.compilati.linea, &c.compilati.tabella, &c.compilati.percorso})
      if (f->scritto) file.push_back({unisci(cartella, f->nome), &f->byte});

    // Checked for every file before the first is written, so a refused
    // run leaves the folder as it was.
    for (const da_scrivere& f : file)
      for (const std::string* ingresso : {&o.sorgente_linea, &o.sorgente_treno})
        if (scrittura_tocca(*ingresso, f.percorso)) {
          esito_esecuzione rifiutato = fallita(rendi(id_messaggio::compila_sovrascrive_sorgente, {f.percorso, *ingresso}));
          rifiutato.errore_standard = e.errore_standard + rifiutato.errore_standard;
          return rifiutato;
        }

    for (const da_scrivere& f : file) {
      try {
        scrivi_file_sicuro(f.percorso, *f.byte);
      } catch (const errore_piattaforma& x) {
        esito_esecuzione fallito = errore_file(x);
        fallito.errore_standard = e.errore_standard + fallito.errore_standard;
        return fallito;
      }
      scritti.push_back(f.percorso);
    }
  }

  if (o.json) e.uscita_standard = oggetto_json(memorizzato, scritti);
  e.uscita = memorizzato.codice != 0 ? uscita_errore_memorizzato : uscita_pulita;
  return e;
}

esito_esecuzione esegui_riga_di_comando(const std::vector<std::string>& argomenti) {
  esito_argomenti a = analizza_argomenti(argomenti);
  switch (a.a) {
    case esito_argomenti::azione::aiuto: {
      esito_esecuzione e;
      e.uscita_standard = testo_uso();
      return e;
    }
    case esito_argomenti::azione::errore: return errore_uso(a.errore);
    case esito_argomenti::azione::compila: break;
  }
  return esegui_compila(a.opzioni);
}

}  // namespace compattatore
