#include "tools/compila/argomenti.h"

#include "pipeline/catalogo.h"

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
    if (a == "--help") {
      esito_argomenti e;
      e.a = esito_argomenti::azione::aiuto;
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
  } bandiere[] = {{"--no-plan", &senza_piano}, {"--json", &o.json}, {"--check", &o.solo_verifica}};

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

  if (operandi.empty()) return sbagliato(id_messaggio::uso_mancano_sorgenti);
  if (operandi.size() == 1) return sbagliato(id_messaggio::uso_manca_sorgente_treno);
  if (operandi.size() > 2) return sbagliato(id_messaggio::uso_troppi_file, {operandi[2]});
  o.sorgente_linea = operandi[0];
  o.sorgente_treno = operandi[1];
  return e;
}

std::string testo_uso() { return rendi(id_messaggio::uso_testo); }

}  // namespace compattatore
