#include "tools/compila/argomenti.h"

#include "pipeline/catalogo.h"
#include "pipeline/rilievi.h"

namespace compattatore {
namespace {

esito_argomenti sbagliato(id_messaggio id, const std::vector<std::string>& argomenti = {}) {
  esito_argomenti e;
  e.a = esito_argomenti::azione::errore;
  e.errore = rendi(id, argomenti);
  return e;
}

bool e_opzione(const std::string& a) { return a.size() > 1 && a[0] == '-'; }

}  // namespace

esito_argomenti analizza_argomenti(const std::vector<std::string>& argomenti) {
  // --help wins over everything else before "--": asking for the usage
  // should not first require a valid command line.
  for (const std::string& a : argomenti) {
    if (a == "--") break;
    if (a == "--help" || a == "-h") {
      esito_argomenti e;
      e.a = esito_argomenti::azione::aiuto;
      return e;
    }
  }
  for (const std::string& a : argomenti) {
    if (a == "--") break;
    if (a == "--version") {
      esito_argomenti e;
      e.a = esito_argomenti::azione::versione;
      return e;
    }
  }

  esito_argomenti e;
  e.a = esito_argomenti::azione::compila;
  opzioni_compila& o = e.opzioni;
  std::vector<std::string> operandi;
  // The options without a value, each with the member it sets. Giving one
  // twice is refused like a repeated value option: it is surely a typing
  // slip, and refusing costs nothing.
  bool senza_piano = false;
  struct bandiera {
    const char* nome;
    bool* valore;
  } bandiere[] = {{"--no-plan", &senza_piano},
                  {"--json", &o.json},
                  {"--check", &o.solo_verifica},
                  {"--write-on-error", &o.scrivi_con_errore},
                  {"--quiet", &o.silenzioso},
                  {"--strict", &o.rigoroso}};
  std::optional<std::string> codifica_scelta;

  for (size_t i = 0; i < argomenti.size(); ++i) {
    const std::string& a = argomenti[i];
    if (a == "--") {
      operandi.insert(operandi.end(), argomenti.begin() + static_cast<long>(i) + 1, argomenti.end());
      break;
    }
    if (!e_opzione(a)) {
      operandi.push_back(a);
      continue;
    }

    // -Wno-NAME silences one warning; the names are those printed after
    // each warning, so a misspelt one is refused rather than ignored.
    if (a.rfind("-Wno-", 0) == 0) {
      const std::string avviso = a.substr(5);
      if (!nome_avviso_noto(avviso)) return sbagliato(id_messaggio::uso_avviso_sconosciuto, {a});
      o.avvisi_spenti.insert(avviso);
      continue;
    }

    std::string nome = a;
    std::optional<std::string> valore;
    if (size_t uguale = a.find('='); a.rfind("--", 0) == 0 && uguale != std::string::npos) {
      nome = a.substr(0, uguale);
      valore = a.substr(uguale + 1);
    }

    std::optional<std::string>* destinazione = nullptr;
    if (nome == "--out") destinazione = &o.cartella;
    if (nome == "--route") destinazione = &o.chiave_linea;
    if (nome == "--train") destinazione = &o.chiave_treno;
    if (nome == "--encoding") destinazione = &codifica_scelta;
    if (destinazione) {
      if (destinazione->has_value()) return sbagliato(id_messaggio::uso_opzione_ripetuta, {nome});
      if (!valore) {
        if (i + 1 >= argomenti.size()) return sbagliato(id_messaggio::uso_manca_valore, {nome});
        valore = argomenti[++i];
      }
      if (valore->empty()) return sbagliato(id_messaggio::uso_valore_vuoto, {nome});
      *destinazione = *valore;
      continue;
    }

    bandiera* b = nullptr;
    for (bandiera& c : bandiere)
      if (nome == c.nome) b = &c;
    if (!b) return sbagliato(id_messaggio::uso_opzione_sconosciuta, {a});
    if (valore) return sbagliato(id_messaggio::uso_opzione_senza_valore, {nome});
    if (*b->valore) return sbagliato(id_messaggio::uso_opzione_ripetuta, {nome});
    *b->valore = true;
  }
  o.crea_linea = !senza_piano;
  if (codifica_scelta) {
    if (*codifica_scelta == "cp1252") o.codifica_sorgenti = codifica::cp1252;
    else if (*codifica_scelta == "utf-8") o.codifica_sorgenti = codifica::utf8;
    else if (*codifica_scelta == "auto") o.codifica_sorgenti = codifica::automatica;
    else return sbagliato(id_messaggio::uso_codifica_sconosciuta, {*codifica_scelta});
  }

  if (operandi.empty()) return sbagliato(id_messaggio::uso_mancano_sorgenti);
  if (operandi.size() == 1) return sbagliato(id_messaggio::uso_manca_sorgente_treno);
  if (operandi.size() > 2) return sbagliato(id_messaggio::uso_troppi_file, {operandi[2]});
  o.sorgente_linea = operandi[0];
  o.sorgente_treno = operandi[1];
  return e;
}

std::string testo_uso() { return rendi(id_messaggio::uso_testo); }

std::string riga_uso() { return rendi(id_messaggio::uso_riga) + "\n"; }

std::string testo_versione() { return "compila 1.0\n"; }

}  // namespace compattatore
