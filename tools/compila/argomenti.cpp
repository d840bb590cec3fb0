#include "tools/compila/argomenti.h"

namespace compattatore {
namespace {

esito_argomenti sbagliato(std::string motivo) {
  esito_argomenti e;
  e.a = esito_argomenti::azione::errore;
  e.errore = std::move(motivo);
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
      if (destinazione->has_value()) return sbagliato("opzione ripetuta: " + nome);
      if (!valore) {
        if (i + 1 >= argomenti.size()) return sbagliato("manca il valore di " + nome);
        valore = argomenti[++i];
      }
      if (valore->empty()) return sbagliato("valore vuoto per " + nome);
      *destinazione = *valore;
      continue;
    }

    bandiera* b = nullptr;
    for (bandiera& c : bandiere)
      if (nome == c.nome) b = &c;
    if (!b) return sbagliato("opzione sconosciuta: " + a);
    if (valore) return sbagliato("l'opzione " + nome + " non vuole un valore");
    if (*b->valore) return sbagliato("opzione ripetuta: " + nome);
    *b->valore = true;
  }
  o.crea_linea = !senza_piano;

  if (operandi.empty()) return sbagliato("mancano la sorgente della linea e la sorgente del treno");
  if (operandi.size() == 1) return sbagliato("manca la sorgente del treno");
  if (operandi.size() > 2) return sbagliato("troppi file: " + operandi[2]);
  o.sorgente_linea = operandi[0];
  o.sorgente_treno = operandi[1];
  return e;
}

std::string testo_uso() {
  return "uso: compila [--no-plan] [--out CARTELLA] [--route CHIAVE] [--train CHIAVE] [--json] [--check]\n"
         "               SORGENTE_LINEA SORGENTE_TRENO\n"
         "\n"
         "Compila la sorgente della linea e la sorgente del treno nei tre file compilati:\n"
         "PERCORSO_linea.dat (planimetria), PERCORSO_TRENO.sim (tabella) e\n"
         "PERCORSO_TRENO.dat (percorso). Le sorgenti non vengono mai toccate.\n"
         "\n"
         "  --no-plan         compila senza planimetria: il file PERCORSO_linea.dat\n"
         "                    non viene ne' scritto ne' toccato\n"
         "  --out CARTELLA    cartella dei file compilati (di norma quella della\n"
         "                    sorgente della linea)\n"
         "  --route CHIAVE    chiave del percorso (di norma dal nome PERCORSO_linea.txt)\n"
         "  --train CHIAVE    chiave del treno (di norma dal nome PERCORSO_TRENO-.txt)\n"
         "  --json            scrive sullo standard output un oggetto JSON con l'esito:\n"
         "                    codice_errore, posizione_errore, file, riga, messaggio,\n"
         "                    scritti (i byte da 0x80 in su dei testi come \\u0080-\\u00ff)\n"
         "  --check           compila e riferisce senza scrivere alcun file\n"
         "  --help            mostra questo testo\n"
         "\n"
         "Ogni errore va sullo standard error in una riga:\n"
         "  FILE:RIGA: errore N: SIGNIFICATO (posizione P m)\n"
         "\n"
         "Uscita: 0 nessun errore; 1 codice d'errore memorizzato (file comunque scritti);\n"
         "2 fermato da 1250 o 1251 (nessun file compilato scritto); 3 errore d'uso o di\n"
         "file (in questo caso nessun oggetto JSON).\n";
}

}  // namespace compattatore
