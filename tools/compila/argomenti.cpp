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
      if (!nome_avviso_noto(avviso)) return sbagliato("avviso sconosciuto: " + a);
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
  if (codifica_scelta) {
    if (*codifica_scelta == "cp1252") o.codifica_sorgenti = codifica::cp1252;
    else if (*codifica_scelta == "utf-8") o.codifica_sorgenti = codifica::utf8;
    else if (*codifica_scelta == "auto") o.codifica_sorgenti = codifica::automatica;
    else return sbagliato("codifica sconosciuta: " + *codifica_scelta + " (cp1252, utf-8 o auto)");
  }

  if (operandi.empty()) return sbagliato("mancano la sorgente della linea e la sorgente del treno");
  if (operandi.size() == 1) return sbagliato("manca la sorgente del treno");
  if (operandi.size() > 2) return sbagliato("troppi file: " + operandi[2]);
  o.sorgente_linea = operandi[0];
  o.sorgente_treno = operandi[1];
  return e;
}

std::string riga_uso() {
  return "uso: compila [OPZIONI] SORGENTE_LINEA SORGENTE_TRENO (compila --help per le opzioni)\n";
}

std::string testo_versione() { return "compila 1.0\n"; }

std::string testo_uso() {
  return "uso: compila [--no-plan] [--out CARTELLA] [--route CHIAVE] [--train CHIAVE] [--json] [--check]\n"
         "               [--encoding=cp1252|utf-8|auto] [--write-on-error] [--quiet] [--strict]\n"
         "               [-Wno-NOME]... SORGENTE_LINEA SORGENTE_TRENO\n"
         "       compila -h | --help | --version\n"
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
         "                    scritti, avvisi (file, riga, colonna, nome, messaggio)\n"
         "  --check           compila e riferisce senza scrivere alcun file\n"
         "  --encoding=COD    codifica delle sorgenti: cp1252 (byte per byte), utf-8\n"
         "                    (convertita in cp1252) o auto (utf-8 se lo e', di norma)\n"
         "  --write-on-error  scrive i file compilati anche con un errore memorizzato\n"
         "  --quiet           nessuna riga di riepilogo sullo standard error\n"
         "  --strict          ogni avviso fa fallire la compilazione (nessun file scritto)\n"
         "  -Wno-NOME         tace l'avviso NOME (il nome tra [-W...] dopo ogni avviso)\n"
         "  -h, --help        mostra questo testo\n"
         "  --version         mostra la versione\n"
         "\n"
         "Errori, avvisi e note vanno sullo standard error, una riga ciascuno:\n"
         "  FILE:RIGA:COLONNA: errore N: MESSAGGIO (posizione P m)\n"
         "  FILE:RIGA:COLONNA: avviso: MESSAGGIO [-WNOME]\n"
         "  FILE:RIGA: nota: MESSAGGIO\n"
         "in inglese quando la lingua dell'ambiente (LC_ALL, LC_MESSAGES, LANG) e' en.\n"
         "\n"
         "Uscita: 0 nessun errore; 1 codice d'errore memorizzato, o un avviso con --strict\n"
         "(nessun file scritto, salvo --write-on-error); 2 fermato da 1250 o 1251 (nessun\n"
         "file compilato scritto); 3 errore d'uso o di file, o una sorgente che non si\n"
         "legge come testo (in questi casi nessun oggetto JSON).\n";
}

}  // namespace compattatore
