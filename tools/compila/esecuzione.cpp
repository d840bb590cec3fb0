#include "tools/compila/esecuzione.h"

#include <cstdlib>
#include <string_view>

#include "app/piattaforma.h"
#include "compiler/codifica.h"
#include "compiler/verifica.h"
#include "pipeline/diagnosi.h"
#include "pipeline/in_memoria.h"
#include "pipeline/catalogo.h"
#include "pipeline/rilievi.h"
#include "tools/compila/json.h"
#include "tools/compila/rapporto.h"
#include "tools/compila/riepilogo.h"

namespace compattatore {
namespace {

constexpr const char* prefisso = "compila: ";

esito_esecuzione fallita(std::string motivo) {
  esito_esecuzione e;
  e.uscita = uscita_uso_o_file;
  e.errore_standard = prefisso + std::move(motivo) + "\n";
  return e;
}

// A usage error says what was wrong, then shows the usage line.
esito_esecuzione errore_uso(const std::string& motivo) {
  esito_esecuzione e = fallita(motivo);
  e.errore_standard += riga_uso();
  return e;
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
  std::string grezzo_linea, grezzo_treno;
  try {
    grezzo_linea = leggi_file(o.sorgente_linea);
    grezzo_treno = leggi_file(o.sorgente_treno);
  } catch (const errore_piattaforma& x) {
    return errore_file(x);
  }

  // The reader reads code page 1252; what the author saved is turned into
  // it first. A text that cannot be read as text is a file error too.
  const testo_convertito linea = in_cp1252(grezzo_linea, o.codifica_sorgenti, sorgente::linea);
  const testo_convertito treno = in_cp1252(grezzo_treno, o.codifica_sorgenti, sorgente::treno);
  std::vector<rilievo> note = linea.rilievi;
  note.insert(note.end(), treno.rilievi.begin(), treno.rilievi.end());
  if (!linea.letto || !treno.letto) {
    esito_esecuzione e;
    e.uscita = uscita_uso_o_file;
    for (const rilievo& r : note)
      e.errore_standard += formatta_rilievo(r, o.sorgente_linea, o.sorgente_treno, o.lingua_messaggi) + "\n";
    return e;
  }

  compilazione c = compila_testi(linea.testo, treno.testo, k.k, o.crea_linea);
  // The check pass reads the same texts on its own; nothing of the compile
  // depends on it.
  const std::vector<rilievo> rilievi = verifica_sorgenti(linea.testo, treno.testo, o.crea_linea);
  const rapporto r = componi_rapporto(c.m, note, rilievi, o);
  esito_esecuzione e;
  e.errore_standard = r.righe;
  diagnosi memorizzato = diagnosi_di(c.m, o.sorgente_linea, o.sorgente_treno);

  if (c.fermo != 0) {
    // The guard decides the outcome, so it is the code the JSON object
    // carries; a code stored before it still has its own line above.
    diagnosi fermo;
    fermo.codice = c.fermo;
    fermo.messaggio = significato(c.fermo);
    e.errore_standard += formatta(fermo) + "\n";
    if (o.json) e.uscita_standard = oggetto_json(fermo, {}, r.avvisi);
    e.uscita = uscita_fermata;
    return e;
  }

  // A stored error leaves a good earlier build in place unless asked
  // otherwise; so does a warning under --strict.
  const bool errore = memorizzato.codice != 0;
  const bool rifiutato_rigoroso = o.rigoroso && !r.avvisi.empty();
  const bool scrivi = !o.solo_verifica && (!errore || o.scrivi_con_errore) && !rifiutato_rigoroso;
  if (!o.solo_verifica && !scrivi) {
    e.errore_standard += prefisso + (errore ? rendi(id_messaggio::compila_nessun_file_errore, {}, o.lingua_messaggi)
                                            : rendi(id_messaggio::compila_nessun_file_rigoroso,
                                                    {std::to_string(r.avvisi.size())}, o.lingua_messaggi)) +
                         "\n";
  }

  std::vector<std::string> scritti;
  if (scrivi) {
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

  if (o.json) e.uscita_standard = oggetto_json(memorizzato, scritti, r.avvisi);
  e.uscita = errore || rifiutato_rigoroso ? uscita_errore_memorizzato : uscita_pulita;
  if (e.uscita == uscita_pulita && !o.silenzioso)
    e.errore_standard += riepilogo(conta(c.m), scritti.size(), o.solo_verifica, o.lingua_messaggi);
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
    case esito_argomenti::azione::versione: {
      esito_esecuzione e;
      e.uscita_standard = testo_versione();
      return e;
    }
    case esito_argomenti::azione::errore: return errore_uso(a.errore);
    case esito_argomenti::azione::compila: break;
  }
  a.opzioni.lingua_messaggi = lingua_da_ambiente();
  return esegui_compila(a.opzioni);
}

}  // namespace compattatore
