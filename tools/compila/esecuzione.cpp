#include "tools/compila/esecuzione.h"

#include <cstdlib>
#include <optional>
#include <string_view>

#include "app/piattaforma.h"
#include "compiler/codifica.h"
#include "compiler/verifica.h"
#include "model/nomi_file.h"
#include "pipeline/catalogo.h"
#include "pipeline/diagnosi.h"
#include "pipeline/fonte_sorgenti.h"
#include "pipeline/in_memoria.h"
#include "pipeline/rilievi.h"
#include "pipeline/testo_sicuro.h"
#include "tools/compila/json.h"
#include "tools/compila/rapporto.h"
#include "tools/compila/riepilogo.h"

namespace compattatore {
namespace {

constexpr const char* prefisso = "compila: ";

// The reason may hold names from the command line: escaped, a name with a
// line end in it cannot forge a line of its own.
esito_esecuzione fallita(const std::string& motivo) {
  esito_esecuzione e;
  e.uscita = uscita_uso_o_file;
  e.errore_standard = prefisso + testo_sicuro(motivo) + "\n";
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
  std::string nome;
  std::string percorso;
  const std::string* byte;
};

// The two texts in memory, each handed to the reader by moving it, so that
// a source is held once however large it is. The reader asks for each text
// once; deleting only marks it, so the files on disk are never touched.
struct fonte_ceduta : fonte_sorgenti {
  std::string testo_linea, testo_treno;
  testo_sorgente linea() override { return {testo_sorgente::stato::letto, std::move(testo_linea)}; }
  testo_sorgente treno() override { return {testo_sorgente::stato::letto, std::move(testo_treno)}; }
  void elimina_linea() override {}
  void elimina_treno() override {}
};

// The roles of the compiled files, for the message about two of them with
// one name.
struct ruolo {
  id_messaggio nome;
  std::string file;
};

// Returns the message refusing two compiled files with one name, or "" when
// the names differ. The line file counts also when it is not written
// (--no-plan): it is left alone then, and a route file under its name would
// replace it.
std::string scontro_nomi(const chiavi& k, const std::string& cartella) {
  modello m;
  m.nome_linea = k.linea;
  m.nome_treno = k.treno;
  const ruolo ruoli[] = {{id_messaggio::ruolo_file_linea, nome_file_linea(m)},
                         {id_messaggio::ruolo_file_tabella, nome_file_tabella(m)},
                         {id_messaggio::ruolo_file_percorso, nome_file_percorso(m)}};
  for (size_t i = 0; i < std::size(ruoli); ++i)
    for (size_t j = i + 1; j < std::size(ruoli); ++j)
      if (ruoli[i].file == ruoli[j].file)
        return rendi(id_messaggio::compila_nomi_uguali,
                     {unisci(cartella, abbrevia(ruoli[i].file, 80)), rendi(ruoli[j].nome), rendi(ruoli[i].nome)});
  return "";
}

}  // namespace

namespace {

// Writes the compiled files of `c` into `cartella` as one set, holding the
// folder locked meanwhile. Returns their paths. Throws, having written
// nothing under a final name, when a name is too long, a file would land on
// a source, or a write fails.
std::vector<std::string> scrivi_compilati(const compilazione& c, const opzioni_compila& o,
                                          const std::string& cartella) {
  std::vector<da_scrivere> file;
  for (const destinazione_in_memoria::file* f : {&c.compilati.linea, &c.compilati.tabella, &c.compilati.percorso})
    if (f->scritto) file.push_back({f->nome, unisci(cartella, f->nome), &f->byte});

  if (file.empty()) return {};
  // Another compila into the same folder, or the one-shot program there,
  // waits until this set is in place. A folder that cannot be opened is
  // reported on the first file that was to go there, as a failed write is.
  std::optional<cartella_bloccata> blocco;
  std::optional<insieme_file> aperto;
  try {
    blocco.emplace(cartella);
    aperto.emplace(cartella);
  } catch (const errore_piattaforma& x) {
    throw errore_piattaforma(file.front().percorso, x.motivo);
  }
  insieme_file& insieme = *aperto;
  // Checked for every file before the first is written, so a refused run
  // leaves the folder as it was.
  for (const da_scrivere& f : file) {
    insieme.verifica_nome(f.nome);
    for (const std::string* ingresso : {&o.sorgente_linea, &o.sorgente_treno})
      if (scrittura_tocca(*ingresso, f.percorso))
        throw errore_piattaforma(f.percorso, rendi(id_messaggio::compila_sovrascrive_sorgente, {*ingresso}));
  }
  std::vector<std::string> scritti;
  for (const da_scrivere& f : file) {
    insieme.aggiungi(f.nome, *f.byte);
    scritti.push_back(f.percorso);
  }
  insieme.conferma();
  return scritti;
}

}  // namespace

compilazione compila_testi(std::string testo_linea, std::string testo_treno, const chiavi& k, bool crea_linea) {
  compilazione c;
  c.m.nome_linea = k.linea;
  c.m.nome_treno = k.treno;
  fonte_ceduta fonte;
  fonte.testo_linea = std::move(testo_linea);
  fonte.testo_treno = std::move(testo_treno);
  c.fermo = numero(memorizza_percorso(c.m, crea_linea ? 1 : 0, fonte, c.compilati, c.diagnostiche));
  return c;
}

esito_esecuzione esegui_compila(const opzioni_compila& o) {
  esito_chiavi k = chiavi_di(o);
  if (!k.valide) return errore_uso(k.errore);
  const std::string cartella = o.cartella ? *o.cartella : cartella_di(o.sorgente_linea);
  // Two compiled files with one name (the train key "linea" makes the route
  // file KEY_linea.dat, the line file's name) would lose one of them: the
  // keys alone decide it, so it is refused before anything is read, also
  // with --check, whose answer must be the real run's.
  if (std::string scontro = scontro_nomi(k.k, cartella); !scontro.empty()) return fallita(scontro);

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
  testo_convertito linea = in_cp1252(std::move(grezzo_linea), o.codifica_sorgenti, sorgente::linea);
  testo_convertito treno = in_cp1252(std::move(grezzo_treno), o.codifica_sorgenti, sorgente::treno);
  std::vector<rilievo> note = linea.rilievi;
  note.insert(note.end(), treno.rilievi.begin(), treno.rilievi.end());
  if (!linea.letto || !treno.letto) {
    esito_esecuzione e;
    e.uscita = uscita_uso_o_file;
    for (const rilievo& r : note)
      e.errore_standard += formatta_rilievo(r, o.sorgente_linea, o.sorgente_treno, o.lingua_messaggi) + "\n";
    return e;
  }

  // The check pass reads the same texts on its own; nothing of the compile
  // depends on it. It runs first, so the compile can then take the texts
  // over and a source is held once.
  const std::vector<rilievo> rilievi = verifica_sorgenti(linea.testo, treno.testo, o.crea_linea);
  compilazione c = compila_testi(std::move(linea.testo), std::move(treno.testo), k.k, o.crea_linea);
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
    try {
      scritti = scrivi_compilati(c, o, cartella);
    } catch (const errore_piattaforma& x) {
      esito_esecuzione fallito = errore_file(x);
      fallito.errore_standard = e.errore_standard + fallito.errore_standard;
      return fallito;
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
