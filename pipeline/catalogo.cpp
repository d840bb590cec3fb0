#include "pipeline/catalogo.h"

#include "pipeline/testo_sicuro.h"

#include <cstdlib>

namespace compattatore {
namespace {

struct voce_catalogo {
  std::string_view nome;      // warning's short name, "" for every other message
  std::string_view italiano;  // nullptr data: not an id of the catalogue
  std::string_view inglese;
};

// One case per id, with no default, so the compiler names any id left
// without words.
voce_catalogo voce_di(id_messaggio id) {
  using enum id_messaggio;
  switch (id) {
    case nessuno: return {"", "", ""};

    case codice_sconosciuto: return {"", "errore sconosciuto", "unknown error"};
    case codice_lunghezza_percorso:
      return {"", "lunghezza del percorso fuori da -7000 a 1000000 m", "route length outside -7000 to 1000000 m"};
    case codice_progressiva_non_multipla:
      return {"", "progressiva chilometrica non multipla di 50", "kilometric reference not a multiple of 50"};
    case codice_inizio_ripetizione:
      return {"", "inizio della ripetizione segnali non multiplo di 50",
              "signal repetition start not a multiple of 50"};
    case codice_fine_ripetizione:
      return {"", "fine della ripetizione segnali non multipla di 50", "signal repetition end not a multiple of 50"};
    case codice_codici_ripetizione:
      return {"", "la ripetizione segnali non indica 4 o 9 codici", "the signal repetition gives neither 4 nor 9 codes"};
    case codice_cella_cartello: return {"", "la cella del cartello e' occupata", "the sign board's cell is taken"};
    case codice_cella_abbattimento:
      return {"", "la cella dell'abbattimento e' occupata o fuori dal percorso",
              "the abbattimento's cell is taken or outside the route"};
    case codice_posizione_stazione:
      return {"", "posizione della stazione non multipla di 50", "station position not a multiple of 50"};
    case codice_lunghezza_stazione:
      return {"", "lunghezza della stazione non multipla di 100", "station length not a multiple of 100"};
    case codice_tabella_piena:
      return {"", "stazioni e cartelli superano i posti della tabella",
              "stations and sign boards overrun the places of the table"};
    case codice_abbattimento_segnale:
      return {"",
              "nessuna cella libera per l'abbattimento davanti al segnale che precede un avviso di rallentamento",
              "no free cell for the abbattimento before the signal that precedes a slow-down warning"};
    case codice_abbattimento_inizio:
      return {"", "nessuna cella libera per l'abbattimento prima dell'inizio del rallentamento",
              "no free cell for the abbattimento before the start of the slow-down"};
    case codice_abbattimento_rallentamento:
      return {"",
              "nessuna cella libera per l'abbattimento lungo il rallentamento o davanti al segnale che lo segue",
              "no free cell for the abbattimento along the slow-down or before the signal that follows it"};
    case codice_oltre_percorso:
      return {"", "elemento oltre la fine del percorso esteso", "element beyond the end of the extended route"};
    case codice_cella_segnale:
      return {"", "la cella del segnale e' occupata o fuori dal percorso",
              "the signal's cell is taken or outside the route"};
    case codice_cella_avviso:
      return {"", "la cella dell'avviso di rallentamento e' occupata", "the slow-down warning's cell is taken"};
    case codice_cella_inizio_rallentamento:
      return {"", "la cella d'inizio del rallentamento e' occupata o fuori dal percorso",
              "the slow-down's start cell is taken or outside the route"};
    case codice_cella_fine_rallentamento:
      return {"", "la cella di fine del rallentamento e' occupata o fuori dal percorso",
              "the slow-down's end cell is taken or outside the route"};
    case codice_cella_approccio:
      return {"", "una cella d'approccio del rallentamento e' occupata", "an approach cell of the slow-down is taken"};
    case codice_cella_indicatori:
      return {"", "la cella degli indicatori di velocita' e' occupata, o gli elementi montagna sono piu' di 80",
              "the speed indicators' cell is taken, or there are more than 80 montagna elements"};
    case codice_stazione_vicina:
      return {"", "stazione a meno di 350 m dalla fine della precedente",
              "station less than 350 m from the end of the previous one"};
    case codice_stazione_in_cella_1:
      return {"", "la stazione finisce nella cella 1 o prima", "the station ends in cell 1 or before"};
    case codice_linea_mancante: return {"", "manca la sorgente della linea", "the line source is missing"};
    case codice_generale_mancante: return {"", "manca la sezione [generale]", "the [generale] section is missing"};
    case codice_curva_senza_classe:
      return {"", "curva senza classe (cifra da 1 a 6) o oltre la fine della planimetria",
              "curve without a class (digit 1 to 6) or beyond the end of the track plan"};
    case codice_intestazione_primo:
      return {"", "il primo valore della cella d'intestazione (cella 1) e' gia' occupato",
              "the first value of the header cell (cell 1) is already taken"};
    case codice_intestazione_secondo:
      return {"", "il secondo valore della cella d'intestazione (cella 1) e' gia' occupato",
              "the second value of the header cell (cell 1) is already taken"};

    case motivo_imprevisto: return {"", "errore imprevisto di lettura", "unexpected read error"};
    case motivo_testo_finito:
      return {"", "il testo finisce dentro un record", "the text ends inside a record"};
    case motivo_non_numero: return {"", "un valore non e' un numero intero", "a value is not a whole number"};
    case motivo_fuori_32_bit: return {"", "un valore non sta in 32 bit", "a value does not fit in 32 bits"};
    case motivo_fuori_16_bit: return {"", "un valore non sta in 16 bit", "a value does not fit in 16 bits"};
    case motivo_fuori_byte:
      return {"", "un valore non sta in un byte (da 0 a 255)", "a value does not fit in a byte (0 to 255)"};
    case motivo_velocita_fuori_byte:
      return {"", "una velocita' divisa per 5 non sta in un byte (da 0 a 1277)",
              "a speed divided by 5 does not fit in a byte (0 to 1277)"};
    case motivo_percorso_mancante:
      return {"", "manca la lunghezza del percorso prima degli elementi della linea",
              "the route length is missing before the elements of the line"};
    case motivo_sorgente_illeggibile:
      return {"", "la sorgente non si puo' leggere", "the source cannot be read"};
    case motivo_testo_troppo_lungo:
      return {"", "un nome supera 65535 caratteri", "a name is longer than 65535 characters"};
    // The metre is the plan's last point (ultimo_punto_piano of the line
    // reader); a test of the reader pins this line.
    case motivo_piano_al_limite:
      return {"", "il percorso esteso supera l'ultimo punto che la planimetria puo' contenere (metro 999999)",
              "the extended route passes the last point the track plan can hold (metre 999999)"};

    case piattaforma_cartella_programma:
      return {"", "impossibile trovare la cartella del programma: {1}", "cannot find the program's folder: {1}"};
    case piattaforma_crea_file: return {"", "impossibile creare il file: {1}", "cannot create the file: {1}"};
    case piattaforma_file_temporaneo:
      return {"", "impossibile creare un file temporaneo", "cannot create a temporary file"};
    case piattaforma_scrittura: return {"", "scrittura fallita: {1}", "write failed: {1}"};
    case piattaforma_sostituisci:
      return {"", "impossibile sostituire il file: {1}", "cannot replace the file: {1}"};
    case piattaforma_apri: return {"", "impossibile aprire il file: {1}", "cannot open the file: {1}"};
    case piattaforma_lettura: return {"", "lettura fallita: {1}", "read failed: {1}"};
    case piattaforma_cartella_non_file:
      return {"", "e' una cartella, non un file", "is a folder, not a file"};
    case piattaforma_elimina: return {"", "impossibile eliminare il file: {1}", "cannot delete the file: {1}"};
    case piattaforma_su_file: return {"", "{1}: {2}", "{1}: {2}"};
    case piattaforma_apri_cartella:
      return {"", "impossibile aprire la cartella: {1}", "cannot open the folder: {1}"};
    case piattaforma_blocca_cartella:
      return {"", "impossibile bloccare la cartella: {1}", "cannot lock the folder: {1}"};
    case piattaforma_proprietario:
      return {"", "impossibile copiare il proprietario: {1}", "cannot copy the owner: {1}"};
    case piattaforma_permessi: return {"", "impossibile copiare i permessi: {1}", "cannot copy the permissions: {1}"};
    case piattaforma_nome_lungo:
      return {"", "nome troppo lungo: {1} byte, il massimo e' {2}; nessun file scritto",
              "name too long: {1} bytes, the most is {2}; no file written"};
    case piattaforma_non_regolare:
      return {"", "non e' un file regolare: e' {1}", "not a regular file: it is {1}"};
    case piattaforma_troppo_grande:
      return {"", "supera il limite di {1} MiB per una sorgente", "exceeds the limit of {1} MiB for a source"};
    case genere_cartella: return {"", "una cartella", "a folder"};
    case genere_fifo: return {"", "una FIFO", "a FIFO"};
    case genere_dispositivo_caratteri: return {"", "un dispositivo a caratteri", "a character device"};
    case genere_dispositivo_blocchi: return {"", "un dispositivo a blocchi", "a block device"};
    case genere_socket: return {"", "un socket", "a socket"};
    case genere_speciale: return {"", "un file speciale", "a special file"};
    case memoria_esaurita: return {"", "memoria esaurita", "out of memory"};
    case uscita_standard_fallita:
      return {"", "standard output: scrittura fallita", "standard output: write failed"};

    case uso_testo:
      return {"",
              "uso: compila [--no-plan] [--out CARTELLA] [--route CHIAVE] [--train CHIAVE] [--json] [--check]\n"
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
              "file (in questo caso nessun oggetto JSON).\n",
              "usage: compila [--no-plan] [--out FOLDER] [--route KEY] [--train KEY] [--json] [--check]\n"
              "               LINE_SOURCE TRAIN_SOURCE\n"
              "\n"
              "Compiles the line source and the train source into the three compiled files:\n"
              "ROUTE_linea.dat (track plan), ROUTE_TRAIN.sim (table) and\n"
              "ROUTE_TRAIN.dat (route). The sources are never touched.\n"
              "\n"
              "  --no-plan         compile without the track plan: the file ROUTE_linea.dat\n"
              "                    is neither written nor touched\n"
              "  --out FOLDER      folder of the compiled files (by default that of the\n"
              "                    line source)\n"
              "  --route KEY       route key (by default from the name ROUTE_linea.txt)\n"
              "  --train KEY       train key (by default from the name ROUTE_TRAIN-.txt)\n"
              "  --json            writes on standard output a JSON object with the outcome:\n"
              "                    codice_errore, posizione_errore, file, riga, messaggio,\n"
              "                    scritti (the bytes from 0x80 up in texts as \\u0080-\\u00ff)\n"
              "  --check           compile and report without writing any file\n"
              "  --help            show this text\n"
              "\n"
              "Every error goes to standard error on one line:\n"
              "  FILE:LINE: error N: MEANING (position P m)\n"
              "\n"
              "Exit: 0 no error; 1 error code stored (files written all the same);\n"
              "2 stopped by 1250 or 1251 (no compiled file written); 3 usage or file\n"
              "error (in this case no JSON object).\n"};
    case uso_rimando_aiuto: return {"", "{1} (compila --help per l'uso)", "{1} (compila --help for the usage)"};
    case uso_opzione_ripetuta: return {"", "opzione ripetuta: {1}", "option given twice: {1}"};
    case uso_manca_valore: return {"", "manca il valore di {1}", "missing value of {1}"};
    case uso_valore_vuoto: return {"", "valore vuoto per {1}", "empty value for {1}"};
    case uso_opzione_sconosciuta: return {"", "opzione sconosciuta: {1}", "unknown option: {1}"};
    case uso_opzione_senza_valore:
      return {"", "l'opzione {1} non vuole un valore", "the option {1} takes no value"};
    case uso_mancano_sorgenti:
      return {"", "mancano la sorgente della linea e la sorgente del treno",
              "the line source and the train source are missing"};
    case uso_manca_sorgente_treno: return {"", "manca la sorgente del treno", "the train source is missing"};
    case uso_troppi_file: return {"", "troppi file: {1}", "too many files: {1}"};
    case uso_chiave_percorso_vuota: return {"", "la chiave del percorso e' vuota", "the route key is empty"};
    case uso_chiave_treno_vuota: return {"", "la chiave del treno e' vuota", "the train key is empty"};
    case uso_chiave_percorso_lunga:
      return {"", "la chiave del percorso supera 65535 byte", "the route key is longer than 65535 bytes"};
    case uso_chiave_treno_lunga:
      return {"", "la chiave del treno supera 65535 byte", "the train key is longer than 65535 bytes"};
    case uso_chiave_percorso_barra:
      return {"", "la chiave del percorso contiene \"/\": {1}", "the route key holds \"/\": {1}"};
    case uso_chiave_treno_barra:
      return {"", "la chiave del treno contiene \"/\": {1}", "the train key holds \"/\": {1}"};
    case uso_chiave_percorso_controllo:
      return {"", "la chiave del percorso contiene un carattere di controllo: {1}",
              "the route key holds a control character: {1}"};
    case uso_chiave_treno_controllo:
      return {"", "la chiave del treno contiene un carattere di controllo: {1}",
              "the train key holds a control character: {1}"};
    case uso_nome_sorgente_linea:
      return {"", "il nome della sorgente della linea non e' PERCORSO_linea.txt (serve --route): {1}",
              "the line source's name is not ROUTE_linea.txt (--route is needed): {1}"};
    case uso_nome_sorgente_treno:
      return {"", "il nome della sorgente del treno non e' {1}TRENO-.txt (serve --train): {2}",
              "the train source's name is not {1}TRAIN-.txt (--train is needed): {2}"};
    case compila_sovrascrive_sorgente:
      return {"", "e' la sorgente {1}, che non va sovrascritta; nessun file scritto",
              "is the source {1}, which must not be overwritten; no file written"};
    case compila_nomi_uguali:
      return {"", "{1}: {2} e {3} avrebbero lo stesso nome; nessun file scritto",
              "{1}: {2} and {3} would have the same name; no file written"};
    case ruolo_file_linea: return {"", "il file della linea", "the line file"};
    case ruolo_file_tabella: return {"", "il file della tabella", "the table file"};
    case ruolo_file_percorso: return {"", "il file del percorso", "the route file"};
    case compila_errore_interno: return {"", "errore interno: {1}", "internal error: {1}"};
  }
  return {"", {}, {}};
}

bool e_cifra(char c) { return c >= '0' && c <= '9'; }


// Language part of a locale name: "en_GB.UTF-8" -> "en".
std::string_view lingua_di(std::string_view locale) {
  size_t fine = locale.find_first_of("_.@");
  return locale.substr(0, fine);
}

}  // namespace

lingua lingua_da_ambiente() {
  for (const char* nome : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* v = std::getenv(nome);
    if (v == nullptr || *v == '\0') continue;
    return lingua_di(v) == "en" ? lingua::inglese : lingua::italiano;
  }
  return lingua::italiano;
}

std::string_view testo_catalogo(id_messaggio id, lingua l) {
  voce_catalogo v = voce_di(id);
  return l == lingua::inglese ? v.inglese : v.italiano;
}

bool nel_catalogo(id_messaggio id) { return voce_di(id).italiano.data() != nullptr; }

std::string_view nome_avviso(id_messaggio id) { return voce_di(id).nome; }

std::string rendi(id_messaggio id, const std::vector<std::string>& argomenti, lingua l) {
  std::string_view t = testo_catalogo(id, l);
  std::string s;
  s.reserve(t.size());
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '{' && i + 2 < t.size() && e_cifra(t[i + 1])) {
      size_t j = i + 1;
      size_t n = 0;
      while (j < t.size() && e_cifra(t[j])) n = n * 10 + static_cast<size_t>(t[j++] - '0');
      if (j < t.size() && t[j] == '}' && n >= 1 && n <= argomenti.size()) {
        s += argomenti[n - 1];
        i = j;
        continue;
      }
    }
    s += t[i];
  }
  return s;
}

std::string rendi(id_messaggio id, const std::vector<std::string>& argomenti) {
  return rendi(id, argomenti, lingua_da_ambiente());
}

std::string formatta(const diagnostica& d, std::string_view file, lingua l) {
  const bool inglese = l == lingua::inglese;
  std::string s;
  if (!file.empty()) {
    s += testo_sicuro(file);
    if (d.riga > 0) {
      s += ":" + std::to_string(d.riga);
      if (d.livello != gravita::errore && d.colonna > 0) s += ":" + std::to_string(d.colonna);
    }
    s += ": ";
  }
  std::vector<std::string> argomenti;
  argomenti.reserve(d.argomenti.size());
  for (const std::string& a : d.argomenti) argomenti.push_back(testo_sicuro(a));
  const std::string messaggio = rendi(d.messaggio, argomenti, l);
  switch (d.livello) {
    case gravita::errore:
      s += (inglese ? "error " : "errore ") + std::to_string(d.codice) + ": " + messaggio;
      if (d.posizione)
        s += (inglese ? " (position " : " (posizione ") + std::to_string(*d.posizione) + " m)";
      break;
    case gravita::avviso: {
      s += (inglese ? "warning: " : "avviso: ") + messaggio;
      std::string_view nome = nome_avviso(d.messaggio);
      if (!nome.empty()) s += " [-W" + std::string(nome) + "]";
      break;
    }
    case gravita::nota: s += (inglese ? "note: " : "nota: ") + messaggio; break;
  }
  return s;
}

}  // namespace compattatore
