#include "tools/compila/esecuzione.h"

#include <optional>

#include "app/piattaforma.h"
#include "model/nomi_file.h"
#include "pipeline/catalogo.h"
#include "pipeline/diagnosi.h"
#include "pipeline/fonte_sorgenti.h"
#include "pipeline/in_memoria.h"
#include "pipeline/testo_sicuro.h"
#include "tools/compila/json.h"

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

esito_esecuzione errore_uso(const std::string& motivo) {
  return fallita(rendi(id_messaggio::uso_rimando_aiuto, {motivo}));
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
  std::string testo_linea, testo_treno;
  try {
    testo_linea = leggi_file(o.sorgente_linea);
    testo_treno = leggi_file(o.sorgente_treno);
  } catch (const errore_piattaforma& x) {
    return errore_file(x);
  }

  compilazione c = compila_testi(std::move(testo_linea), std::move(testo_treno), k.k, o.crea_linea);
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
    try {
      scritti = scrivi_compilati(c, o, cartella);
    } catch (const errore_piattaforma& x) {
      esito_esecuzione fallito = errore_file(x);
      fallito.errore_standard = e.errore_standard + fallito.errore_standard;
      return fallito;
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
