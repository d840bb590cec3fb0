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
              "                    scritti, avvisi (file, riga, colonna, nome, messaggio);\n"
              "                    i byte da 0x80 in su dei testi come \\u0080-\\u00ff\n"
              "  --check           compila e riferisce senza scrivere alcun file\n"
              "  --encoding=COD    codifica delle sorgenti: cp1252 (byte per byte), utf-8\n"
              "                    (convertita in cp1252) o auto (utf-8 se lo e'; di norma)\n"
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
              "legge come testo (in questi casi nessun oggetto JSON).\n",
              "usage: compila [--no-plan] [--out FOLDER] [--route KEY] [--train KEY] [--json] [--check]\n"
              "               [--encoding=cp1252|utf-8|auto] [--write-on-error] [--quiet] [--strict]\n"
              "               [-Wno-NAME]... LINE_SOURCE TRAIN_SOURCE\n"
              "       compila -h | --help | --version\n"
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
              "                    scritti, avvisi (file, riga, colonna, nome, messaggio);\n"
              "                    the bytes from 0x80 up in texts as \\u0080-\\u00ff\n"
              "  --check           compile and report without writing any file\n"
              "  --encoding=ENC    encoding of the sources: cp1252 (byte for byte), utf-8\n"
              "                    (converted to cp1252) or auto (utf-8 when it is; default)\n"
              "  --write-on-error  write the compiled files even when an error is stored\n"
              "  --quiet           no summary line on standard error\n"
              "  --strict          any warning fails the compile (no file written)\n"
              "  -Wno-NAME         silence the warning NAME (the name in [-W...] after each)\n"
              "  -h, --help        show this text\n"
              "  --version         show the version\n"
              "\n"
              "Errors, warnings and notes go to standard error, one line each:\n"
              "  FILE:LINE:COLUMN: error N: MESSAGE (position P m)\n"
              "  FILE:LINE:COLUMN: warning: MESSAGE [-WNAME]\n"
              "  FILE:LINE: note: MESSAGE\n"
              "in English when the environment's language (LC_ALL, LC_MESSAGES, LANG) is en.\n"
              "\n"
              "Exit: 0 no error; 1 error code stored, or a warning with --strict (no file\n"
              "written, unless --write-on-error); 2 stopped by 1250 or 1251 (no compiled\n"
              "file written); 3 usage or file error, or a source that cannot be read as\n"
              "text (in these cases no JSON object).\n"};
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

    // Warnings and notes of the check pass, its errors in words, and what
    // compila adds around it. {@} is the other place a message names
    // (FILE:LINE), filled in where the file names are known.
    case avviso_parola_ignota:
      return {"parola-ignota", "il campo \"{1}\" non e' un record di questa parte: e' ignorato",
              "the field \"{1}\" is no record of this part: it is ignored"};
    case avviso_parola_ignota_suggerita:
      return {"parola-ignota", "il campo \"{1}\" non e' un record di questa parte: e' ignorato (forse \"{2}\"?)",
              "the field \"{1}\" is no record of this part: it is ignored (did you mean \"{2}\"?)"};
    case avviso_maiuscole:
      return {"maiuscole", "\"{1}\" vale solo scritto in minuscolo: il campo \"{2}\" e' ignorato",
              "\"{1}\" is read in lower case only: the field \"{2}\" is ignored"};
    case avviso_solo_generale:
      return {"parte", "il record \"{1}\" vale solo nella parte generale: qui e' ignorato",
              "the \"{1}\" record belongs to the general part only: here it is ignored"};
    case avviso_non_generale:
      return {"parte", "il record \"{1}\" non vale nella parte generale: e' ignorato",
              "the \"{1}\" record does not belong to the general part: it is ignored"};
    case avviso_valore_sparso:
      return {"valori-in-piu", "il valore \"{1}\" non appartiene a nessun record: e' ignorato",
              "the value \"{1}\" belongs to no record: it is ignored"};
    case avviso_treno_senza_generale:
      return {"sezione", "la sorgente del treno non ha la sezione [generale]: e' ignorata tutta",
              "the train source has no [generale] section: all of it is ignored"};
    case avviso_treno_generale_storpiata:
      return {"sezione", "\"{1}\" non e' [generale]: la sorgente del treno e' ignorata tutta",
              "\"{1}\" is not [generale]: all of the train source is ignored"};
    case avviso_ordine_indietro:
      return {"ordine", "il record \"{1}\" a {2} m viene prima di quello di {@} ({3} m): vale da qui a un record successivo",
              "the \"{1}\" record at {2} m lies before the one of {@} ({3} m): it applies from here to a later record"};
    case avviso_ordine_stessa_cella:
      return {"ordine", "il record \"{1}\" a {2} m cade nella cella di quello di {@} ({3} m): uno dei due non vale",
              "the \"{1}\" record at {2} m falls into the cell of the one of {@} ({3} m): one of them does not apply"};
    case avviso_primo_non_a_zero:
      return {"da-zero", "il primo record \"{1}\" e' a {2} m, non a 0: prima vale 0",
              "the first \"{1}\" record is at {2} m, not at 0: 0 applies before it"};
    case avviso_lunghezza_negativa:
      return {"fuori-misura", "lunghezza del percorso {1} m sotto 0: resta un percorso esteso di {2} m",
              "route length {1} m below 0: an extended route of {2} m is left"};
    case avviso_pendenza_fuori:
      return {"fuori-misura", "pendenza {1} fuori da -100 a 155: e' memorizzata come {2}",
              "gradient {1} outside -100 to 155: it is stored as {2}"};
    case avviso_velocita_non_multipla:
      return {"fuori-misura", "velocita' {1} non multipla di 5: vale {2}",
              "speed {1} is not a multiple of 5: it counts as {2}"};
    case avviso_velocita_alta:
      return {"fuori-misura", "velocita' {1} oltre 300 km/h",
              "speed {1} above 300 km/h"};
    case avviso_aderenza_fuori:
      return {"fuori-misura", "aderenza {1} fuori da 0 a 255: e' memorizzata come {2}",
              "adhesion {1} outside 0 to 255: it is stored as {2}"};
    case avviso_ora_del_giorno:
      return {"orario", "{1}:{2}:{3} non e' un'ora del giorno (da 0:0:0 a 23:59:59)",
              "{1}:{2}:{3} is no time of day (0:0:0 to 23:59:59)"};
    case avviso_curva_classe:
      return {"curva", "la classe di \"{1}\" e' letta come {2}",
              "the class of \"{1}\" is read as {2}"};
    case avviso_tipo_stazione:
      return {"stazione", "tipo di stazione {1} senza significato (valgono 5, 6, 7, 8, 11, 12, 24 e da 25 in su)",
              "station kind {1} has no meaning (5, 6, 7, 8, 11, 12, 24 and 25 up have one)"};
    case avviso_commento_falso:
      return {"commento", "\"{1}\" sembra un commento ma non lo e': e' commento solo un campo con \"-\"",
              "\"{1}\" looks like a comment but is not one: only a field holding \"-\" is a comment"};
    case avviso_commento_con_record:
      return {"commento", "\"{1}\" contiene \"-\" ed e' letto come commento: il record \"{2}\" e' ignorato",
              "\"{1}\" holds \"-\" and is read as a comment: the \"{2}\" record is ignored"};
    case avviso_commento_letto:
      return {"commento", "troppi commenti di fila: \"{1}\" e' letto come record \"{2}\"",
              "too many comments in a row: \"{1}\" is read as a \"{2}\" record"};
    case avviso_cartello_riga_lunga:
      return {"testo-lungo", "la riga \"{1}\" del cartello supera 12 caratteri",
              "the sign line \"{1}\" is longer than 12 characters"};
    case avviso_cartello_righe:
      return {"testo-lungo", "il cartello ha {1} righe, ne stanno 3",
              "the sign has {1} lines, 3 fit"};
    case avviso_nome_tagliato:
      return {"virgola", "il testo \"{1}\" e' tagliato alla virgola: \"{2}\" e' letto come un altro campo",
              "the text \"{1}\" is cut at the comma: \"{2}\" is read as another field"};
    case avviso_fermata_sovrascrive:
      return {"sovrascritto", "la fermata della stazione prende la cella {1}, che era del record \"{2}\" di {@}",
              "the station's stop takes cell {1}, which held the \"{2}\" record of {@}"};
    case avviso_fuori_griglia:
      return {"griglia", "{1} a {2} m non e' sulla griglia di 50 m: vale come {3} m",
              "{1} at {2} m is off the 50 m grid: it counts as {3} m"};
    case nota_riga_convertita:
      return {"", "riga convertita da UTF-8 a cp1252",
              "line converted from UTF-8 to cp1252"};
    case verifica_valori_mancanti_uno:
      return {"", "il record \"{1}\" ha 1 valore, ne servono {2}",
              "the \"{1}\" record has 1 value, it takes {2}"};
    case verifica_valori_mancanti:
      return {"", "il record \"{1}\" ha {2} valori, ne servono {3}",
              "the \"{1}\" record has {2} values, it takes {3}"};
    case verifica_non_numero:
      return {"", "il valore \"{1}\" del record \"{2}\" non e' un numero intero",
              "the value \"{1}\" of the \"{2}\" record is not a whole number"};
    case verifica_fuori_campo:
      return {"", "il valore {1} non sta nel campo \"{2}\" del record \"{3}\" (da {4} a {5})",
              "the value {1} does not fit the field \"{2}\" of the \"{3}\" record ({4} to {5})"};
    case verifica_velocita_oltre_byte:
      return {"", "velocita' {1}: divisa per 5 non sta in un byte (da 0 a 1277)",
              "speed {1}: divided by 5 it does not fit a byte (0 to 1277)"};
    case verifica_senza_lunghezza:
      return {"", "il record \"{1}\" viene prima della lunghezza del percorso",
              "the \"{1}\" record comes before the route length"};
    case verifica_testo_lungo_tabella:
      return {"", "un testo del record \"{1}\" supera 65535 caratteri",
              "a text of the \"{1}\" record is longer than 65535 characters"};
    case verifica_sorgente_vuota:
      return {"", "la sorgente della linea e' vuota",
              "the line source is empty"};
    case verifica_linea_senza_generale:
      return {"", "la sorgente della linea non ha la sezione [generale]",
              "the line source has no [generale] section"};
    case verifica_linea_generale_storpiata:
      return {"", "la sorgente della linea non ha la sezione [generale] (\"{1}\" non lo e')",
              "the line source has no [generale] section (\"{1}\" is not one)"};
    case verifica_lunghezza_fuori:
      return {"", "lunghezza del percorso {1} fuori da -7000 a 1000000 m",
              "route length {1} outside -7000 to 1000000 m"};
    case verifica_ripetizione_inizio:
      return {"", "inizio della ripetizione segnali {1} non multiplo di 50",
              "start of the cab-signal repetition {1} is not a multiple of 50"};
    case verifica_ripetizione_fine:
      return {"", "fine della ripetizione segnali {1} non multipla di 50",
              "end of the cab-signal repetition {1} is not a multiple of 50"};
    case verifica_ripetizione_codici:
      return {"", "\"{1}\" non indica 4 o 9 codici",
              "\"{1}\" names neither 4 nor 9 codes"};
    case verifica_curva_senza_classe:
      return {"", "\"{1}\" senza classe (una cifra da 1 a 6)",
              "\"{1}\" has no class (a digit from 1 to 6)"};
    case verifica_curva_oltre_piano:
      return {"", "la curva da {1} m per {2} m va oltre la fine della planimetria ({3} m)",
              "the curve from {1} m over {2} m runs past the end of the track plan ({3} m)"};
    case verifica_piano_troppo_lungo:
      return {"", "con la planimetria un percorso di {1} m supera 1000000 punti (al massimo 993001 m)",
              "with the track plan a route of {1} m exceeds 1000000 points (993001 m at most)"};
    case verifica_oltre_percorso:
      return {"", "{1} a {2} m oltre il limite del percorso esteso ({3} m)",
              "{1} at {2} m beyond the limit of the extended route ({3} m)"};
    case verifica_cella_fuori:
      return {"", "{1} a {2} m: la cella {3} e' fuori dal percorso",
              "{1} at {2} m: cell {3} lies outside the route"};
    case verifica_cella_presa_record:
      return {"", "{1} a {2} m: la cella {3} e' gia' presa dal record \"{4}\" di {@}",
              "{1} at {2} m: cell {3} is already taken by the \"{4}\" record of {@}"};
    case verifica_cella_presa_preavviso:
      return {"", "{1} a {2} m: la cella {3} e' gia' presa dal preavviso del rallentamento di {@}",
              "{1} at {2} m: cell {3} is already taken by the warning board of the slow-down of {@}"};
    case verifica_cella_presa_inizio:
      return {"", "{1} a {2} m: la cella {3} e' gia' presa dall'inizio del rallentamento di {@}",
              "{1} at {2} m: cell {3} is already taken by the start of the slow-down of {@}"};
    case verifica_cella_presa_fine:
      return {"", "{1} a {2} m: la cella {3} e' gia' presa dalla fine del rallentamento di {@}",
              "{1} at {2} m: cell {3} is already taken by the end of the slow-down of {@}"};
    case verifica_cella_presa_approccio:
      return {"", "{1} a {2} m: la cella {3} e' gia' presa da una cella d'approccio del rallentamento di {@}",
              "{1} at {2} m: cell {3} is already taken by an approach cell of the slow-down of {@}"};
    case verifica_cella_presa_fermata:
      return {"", "{1} a {2} m: la cella {3} e' gia' presa dalla fermata della stazione di {@}",
              "{1} at {2} m: cell {3} is already taken by the stop of the station of {@}"};
    case verifica_montagne_troppe:
      return {"", "piu' di 80 elementi montagna",
              "more than 80 montagna elements"};
    case verifica_tabella_piena:
      return {"", "stazioni e cartelli superano i posti della tabella (78 in tutto)",
              "stations and signs exceed the table's places (78 in all)"};
    case verifica_stazione_fuori_griglia:
      return {"", "stazione a {1} m: la posizione non e' multipla di 50",
              "station at {1} m: the position is not a multiple of 50"};
    case verifica_stazione_lunghezza:
      return {"", "stazione a {1} m: la lunghezza {2} non e' multipla di 100",
              "station at {1} m: the length {2} is not a multiple of 100"};
    case verifica_stazione_troppo_presto:
      return {"", "stazione a {1} m: finisce a {2} m, nella cella 1 o prima",
              "station at {1} m: it ends at {2} m, in cell 1 or before"};
    case verifica_stazioni_vicine:
      return {"", "stazione a {1} m: inizia a {2} m, meno di 350 m dopo la fine della precedente di {@} ({3} m)",
              "station at {1} m: it starts at {2} m, less than 350 m after the end of the previous one of {@} ({3} m)"};
    case verifica_progressiva_fuori_griglia:
      return {"", "progressiva chilometrica {1}, {2}: i due valori vanno in multipli di 50",
              "kilometric reference {1}, {2}: both values must be multiples of 50"};
    case verifica_utf8_senza_cp1252:
      return {"", "il carattere U+{1} non ha forma in cp1252",
              "the character U+{1} has no cp1252 form"};
    case verifica_utf16:
      return {"", "la sorgente e' in UTF-16: va salvata in cp1252 (o UTF-8)",
              "the source is UTF-16: save it as cp1252 (or UTF-8)"};
    case verifica_utf8_non_valido:
      return {"", "la sorgente non e' UTF-8 valido (--encoding=utf-8)",
              "the source is not valid UTF-8 (--encoding=utf-8)"};
    case verifica_lunghezza_mancante:
      return {"", "la sorgente della linea non ha la lunghezza del percorso",
              "the line source has no route length"};
    case verifica_fermato_dalla_linea:
      return {"", "{1} a {2} m: la sorgente del treno si ferma qui, per il record oltre il percorso di {@}",
              "{1} at {2} m: the train source stops here, because of the record beyond the route of {@}"};
    case uso_riga:
      return {"", "uso: compila [OPZIONI] SORGENTE_LINEA SORGENTE_TRENO (compila --help per le opzioni)",
              "usage: compila [OPTIONS] LINE_SOURCE TRAIN_SOURCE (compila --help for the options)"};
    case uso_codifica_sconosciuta:
      return {"", "codifica sconosciuta: {1} (cp1252, utf-8 o auto)", "unknown encoding: {1} (cp1252, utf-8 or auto)"};
    case uso_avviso_sconosciuto: return {"", "avviso sconosciuto: {1}", "unknown warning: {1}"};
    case compila_nessun_file_errore:
      return {"", "nessun file scritto: la compilazione ha memorizzato un errore (--write-on-error li scrive comunque)",
              "no file written: the compile stored an error (--write-on-error writes them all the same)"};
    case compila_nessun_file_rigoroso:
      return {"", "nessun file scritto: --strict e {1} avvisi", "no file written: --strict and {1} warnings"};
    case compila_riepilogo:
      return {"",
              "percorso di {1} m; {2} stazioni, {3} segnali, {4} rallentamenti, {5} cartelli, {6} cambi di "
              "velocita'; {7}",
              "route of {1} m; {2} stations, {3} signals, {4} slow-downs, {5} sign boards, {6} speed changes; {7}"};
    case compila_riepilogo_scritti: return {"", "{1} file scritti", "{1} files written"};
    case compila_riepilogo_verifica:
      return {"", "nessun file scritto (--check)", "no file written (--check)"};

    // The inspector of compiled files.
    case ispeziona_tipo_1: return {"", "segnale", "signal"};
    case ispeziona_tipo_1_dato1: return {"", "s1·10+d1", "s1·10+d1"};
    case ispeziona_tipo_1_dato2: return {"", "s2·10+d2", "s2·10+d2"};
    case ispeziona_tipo_1_dato3: return {"", "s3·10+d3", "s3·10+d3"};
    case ispeziona_tipo_1_dato4: return {"", "rapp·10+sx·3+dx", "rapp·10+sx·3+dx"};
    case ispeziona_tipo_2: return {"", "fine rallentamento", "slow-down end"};
    case ispeziona_tipo_2_dato1: return {"", "velocità (km/h)", "speed (km/h)"};
    case ispeziona_tipo_2_dato2: return {"", "d_v", "d_v"};
    case ispeziona_tipo_2_dato3: return {"", "f_tt", "f_tt"};
    case ispeziona_tipo_3: return {"", "inizio rallentamento", "slow-down start"};
    case ispeziona_tipo_3_dato1: return {"", "velocità (km/h)", "speed (km/h)"};
    case ispeziona_tipo_3_dato2: return {"", "d_v", "d_v"};
    case ispeziona_tipo_3_dato3: return {"", "f_tt", "f_tt"};
    case ispeziona_tipo_4: return {"", "avviso di rallentamento", "slow-down warning"};
    case ispeziona_tipo_4_dato1: return {"", "velocità (km/h)", "speed (km/h)"};
    case ispeziona_tipo_4_dato2: return {"", "d_v", "d_v"};
    case ispeziona_tipo_5: return {"", "preavviso di rallentamento", "slow-down approach"};
    case ispeziona_tipo_5_dato1: return {"", "numero", "number"};
    case ispeziona_tipo_5_dato2: return {"", "numero con d_v", "number with d_v"};
    case ispeziona_tipo_6: return {"", "indicatori di velocità massima", "maximum-speed indicators"};
    case ispeziona_tipo_6_dato1: return {"", "a (vas·20+vad/5)", "a (vas·20+vad/5)"};
    case ispeziona_tipo_6_dato2: return {"", "b (vbs·20+vbd/5)", "b (vbs·20+vbd/5)"};
    case ispeziona_tipo_6_dato3: return {"", "c (vcs·20+vcd/5)", "c (vcs·20+vcd/5)"};
    case ispeziona_tipo_6_dato4: return {"", "strisce (s·10+d)", "stripes (s·10+d)"};
    case ispeziona_tipo_10: return {"", "fermata di stazione", "station stop"};
    case ispeziona_tipo_10_dato1: return {"", "stazione", "station"};
    case ispeziona_tipo_11: return {"", "segno di montagna", "montagna mark"};
    case ispeziona_tipo_12: return {"", "punto di abbattimento", "abbattimento point"};
    case ispeziona_tipo_12_dato1: return {"", "valore", "value"};
    case ispeziona_tipo_13: return {"", "punto di abbattimento senza valore", "abbattimento point without value"};
    case ispeziona_tipo_14: return {"", "cartello", "sign board"};
    case ispeziona_tipo_14_dato1: return {"", "testo", "text"};
    case ispeziona_tipo_sconosciuto: return {"", "tipo sconosciuto", "unknown kind"};
    case ispeziona_tipo_sconosciuto_dato1: return {"", "dato1", "dato1"};
    case ispeziona_tipo_sconosciuto_dato2: return {"", "dato2", "dato2"};
    case ispeziona_tipo_sconosciuto_dato3: return {"", "dato3", "dato3"};
    case ispeziona_tipo_sconosciuto_dato4: return {"", "dato4", "dato4"};
    case ispeziona_tempo: return {"", "tempo", "time"};
    case ispeziona_file_percorso: return {"", "file del percorso", "route file"};
    case ispeziona_file_tabella: return {"", "file della tabella", "table file"};
    case ispeziona_file_linea: return {"", "file della linea", "line file"};
    case ispeziona_celle: return {"", "celle", "cells"};
    case ispeziona_intestazione: return {"", "intestazione (cella 1)", "header (cell 1)"};
    case ispeziona_valore_intestazione: return {"", "valore di controllo", "check value"};
    case ispeziona_codice_gara: return {"", "codice di gara", "competition code"};
    case ispeziona_elementi: return {"", "elementi", "elements"};
    case ispeziona_nessun_elemento: return {"", "nessun elemento", "no element"};
    case ispeziona_velocita: return {"", "velocità di linea", "line speed"};
    case ispeziona_pendenza: return {"", "pendenza", "gradient"};
    case ispeziona_aderenza: return {"", "aderenza", "adhesion"};
    case ispeziona_montagna: return {"", "montagna", "montagna"};
    case ispeziona_da: return {"", "da", "from"};
    case ispeziona_stazioni: return {"", "stazioni", "stations"};
    case ispeziona_cartelli: return {"", "testi dei cartelli", "sign texts"};
    case ispeziona_voci_intestazione: return {"", "voci di intestazione", "header entries"};
    case ispeziona_nessuna: return {"", "nessuna", "none"};
    case ispeziona_stazione: return {"", "stazione", "station"};
    case ispeziona_area: return {"", "area", "area"};
    case ispeziona_tipo: return {"", "tipo", "kind"};
    case ispeziona_orario: return {"", "orario", "time"};
    case ispeziona_altri_valori: return {"", "altri valori", "other values"};
    case ispeziona_voce_81_83: return {"", "riferimento chilometrico", "kilometric reference"};
    case ispeziona_voce_84: return {"", "treno e percorso", "train and route"};
    case ispeziona_voce_85: return {"", "sfondi e linea", "backgrounds and line"};
    case ispeziona_voce_86: return {"", "ripetizione segnali in cabina e treno", "cab-signal repetition and train"};
    case ispeziona_riferimento: return {"", "riferimento", "reference"};
    case ispeziona_posizione_percorso: return {"", "posizione", "position"};
    case ispeziona_progressiva: return {"", "progressiva", "chainage"};
    case ispeziona_segnale_aggiunta: return {"", "aggiunta di 100 m", "100 m added"};
    case ispeziona_massa_frenata: return {"", "massa frenata (%)", "braked mass (%)"};
    case ispeziona_lunghezza: return {"", "lunghezza del percorso", "route length"};
    case ispeziona_vetture: return {"", "vetture", "cars"};
    case ispeziona_sfondo_uno: return {"", "sfondo uno", "background one"};
    case ispeziona_sfondo_due: return {"", "sfondo due", "background two"};
    case ispeziona_sfondo_tre: return {"", "sfondo tre", "background three"};
    case ispeziona_chiave_linea: return {"", "linea", "line"};
    case ispeziona_valore_fisso: return {"", "valore di controllo", "check value"};
    case ispeziona_codice_st: return {"", "codice di gara", "competition code"};
    case ispeziona_ripetizione_da: return {"", "ripetizione da", "repetition from"};
    case ispeziona_ripetizione_a: return {"", "a", "to"};
    case ispeziona_codici: return {"", "codici", "codes"};
    case ispeziona_chiave_treno: return {"", "treno", "train"};
    case ispeziona_sabbia: return {"", "sabbia", "sand"};
    case ispeziona_orologio: return {"", "orologio", "clock"};
    case ispeziona_punti: return {"", "punti della pianta", "plan points"};
    case ispeziona_estensione: return {"", "estensione", "extent"};
    case ispeziona_cambi_curvatura: return {"", "cambi di curvatura", "curvature changes"};
    case ispeziona_rettilineo: return {"", "rettilineo", "straight"};
    case ispeziona_curva_destra: return {"", "curva a destra", "right-hand curve"};
    case ispeziona_curva_sinistra: return {"", "curva a sinistra", "left-hand curve"};
    case ispeziona_raggio: return {"", "raggio", "radius"};
    case ispeziona_piano_non_dimensionato:
      return {"", "pianta mai dimensionata (file vuoto)",
              "plan never sized (empty file)"};
    case ispeziona_punti_fuori_schema:
      return {"", "i tipi dei punti non seguono lo schema del lettore",
              "the point tags do not follow the reader's pattern"};
    case ispeziona_titolo_pagina: return {"", "Ispezione dello scenario", "Scenario inspection"};
    case ispeziona_pianta: return {"", "Pianta della linea", "Track plan"};
    case ispeziona_profilo_pendenza: return {"", "Pendenza", "Gradient"};
    case ispeziona_profilo_velocita: return {"", "Velocità", "Speed"};
    case ispeziona_profilo_aderenza: return {"", "Aderenza", "Adhesion"};
    case ispeziona_tabella_elementi: return {"", "Elementi del percorso", "Route elements"};
    case ispeziona_binario: return {"", "binario", "track"};
    case ispeziona_segnali: return {"", "segnali", "signals"};
    case ispeziona_legenda_stazione: return {"", "stazione", "station"};
    case ispeziona_legenda_segnale: return {"", "segnale", "signal"};
    case ispeziona_legenda_cartello: return {"", "cartello", "sign board"};
    case ispeziona_legenda_inizio: return {"", "inizio", "start"};
    case ispeziona_velocita_linea: return {"", "velocità di linea", "line speed"};
    case ispeziona_rallentamento: return {"", "rallentamento", "slow-down"};
    case ispeziona_asse_km:
      return {"", "progressiva dall'inizio del percorso (km)",
              "distance from the start of the route (km)"};
    case ispeziona_per_mille: return {"", "‰", "‰"};
    case ispeziona_km_h: return {"", "km/h", "km/h"};
    case ispeziona_senza_piano:
      return {"", "Nessun file della linea: la pianta non è disponibile.",
              "No line file: the track plan is not available."};
    case ispeziona_senza_percorso:
      return {"", "Nessun file del percorso: i profili non sono disponibili.",
              "No route file: the profiles are not available."};
    case ispeziona_posizione: return {"", "posizione", "position"};
    case ispeziona_cella: return {"", "cella", "cell"};
    case ispeziona_valori: return {"", "valori", "values"};
    case ispeziona_file_letti: return {"", "file letti", "files read"};
    case ispeziona_uso:
      return {"", "uso: ispeziona [--json] [--html FILE] [--role linea|tabella|percorso] FILE_COMPILATO...",
              "usage: ispeziona [--json] [--html FILE] [--role linea|tabella|percorso] COMPILED_FILE..."};
    case ispeziona_descrizione:
      return {"", "Mostra che cosa contengono i file compilati di uno scenario.",
              "Shows what the compiled files of a scenario hold."};
    case ispeziona_opzione_json:
      return {"", "stampa un oggetto JSON invece del testo",
              "print one JSON object instead of text"};
    case ispeziona_opzione_html:
      return {"", "scrive una pagina HTML autonoma con pianta, profili ed elementi",
              "write a self-contained HTML page with plan, profiles and elements"};
    case ispeziona_opzione_ruolo:
      return {"", "il ruolo di tutti i file, invece di dedurlo dal nome",
              "the role of every file, instead of taking it from the name"};
    case ispeziona_opzione_versione: return {"", "mostra la versione ed esce", "show the version and exit"};
    case ispeziona_opzione_aiuto: return {"", "mostra questo aiuto ed esce", "show this help and exit"};
    case ispeziona_file_compilati: return {"", "i file compilati da leggere", "the compiled files to read"};
    case ispeziona_ruoli:
      return {"", "Il ruolo viene dal nome: *_linea.dat file della linea, *.sim file della tabella, ogni altro *.dat "
              "file del percorso. Con --html il testo non viene stampato.",
              "The role comes from the name: *_linea.dat line file, *.sim table file, any other *.dat route "
              "file. With --html the text report is not printed."};
    case ispeziona_errore_uso_prefisso: return {"", "ispeziona: ", "ispeziona: "};
    case ispeziona_vedi_aiuto: return {"", "(ispeziona --help per l'uso)", "(ispeziona --help for usage)"};
    case ispeziona_ruolo_sconosciuto: return {"", "ruolo sconosciuto", "unknown role"};
    case ispeziona_nessun_file: return {"", "manca il file compilato da leggere", "no compiled file to read"};
    case ispeziona_nome_senza_ruolo:
      return {"", "il nome non dice il ruolo (atteso *_linea.dat, *.sim o *.dat): usare --role",
              "the name does not tell the role (expected *_linea.dat, *.sim or *.dat): use --role"};
    case ispeziona_troppi_file_stesso_ruolo:
      return {"", "più di un file con lo stesso ruolo per la pagina",
              "more than one file with the same role for the page"};
    case ispeziona_argomento_inatteso: return {"", "argomento inatteso: {1}", "unexpected argument: {1}"};
    case ispeziona_decodifica_campo_cella:
      return {"", "atteso {campo} della cella {indice} ({larghezza} byte), il file finisce prima",
              "expected {campo} of cell {indice} ({larghezza} bytes), the file ends before"};
    case ispeziona_decodifica_campo_voce:
      return {"", "atteso {campo} della voce {indice} ({larghezza} byte), il file finisce prima",
              "expected {campo} of entry {indice} ({larghezza} bytes), the file ends before"};
    case ispeziona_decodifica_campo_punto:
      return {"", "atteso {campo} del punto {indice} ({larghezza} byte), il file finisce prima",
              "expected {campo} of point {indice} ({larghezza} bytes), the file ends before"};
    case ispeziona_decodifica_fine_tabella:
      return {"", "attesa la fine del file dopo la voce 86",
              "expected the end of the file after entry 86"};
    case ispeziona_decodifica_fine_file: return {"", "attesa la fine del file", "expected the end of the file"};
    case ispeziona_decodifica_tipo_noto:
      return {"", "atteso un tipo di punto 0, 2 o 5 al punto {indice}, letto {trovato}",
              "expected a point tag 0, 2 or 5 at point {indice}, read {trovato}"};
    case ispeziona_decodifica_punto_y:
      return {"", "atteso il valore y del metro {indice}: la meta y e' piu' corta della meta x",
              "expected the y value of metre {indice}: the y half is shorter than the x half"};
    case ispeziona_decodifica_tipo_uguale:
      return {"", "atteso il tipo {previsto} al metro {indice} della meta {meta}, letto {trovato}",
              "expected tag {previsto} at metre {indice} of the {meta} half, read {trovato}"};
    case ispeziona_decodifica_tipo_calcolato_o_vuoto:
      return {"", "atteso il tipo 5 o 0 al metro {indice} della meta {meta}, letto {trovato}",
              "expected tag 5 or 0 at metre {indice} of the {meta} half, read {trovato}"};
    case ispeziona_decodifica_tipo_vuoto:
      return {"", "atteso il tipo 0 al metro {indice} della meta {meta} (dopo un metro mai calcolato), letto {trovato}",
              "expected tag 0 at metre {indice} of the {meta} half (after a metre never computed), read {trovato}"};
    case ispeziona_decodifica_valore_origine:
      return {"", "atteso il valore {previsto} al metro {indice} della meta {meta}, letto {trovato}",
              "expected the value {previsto} at metre {indice} of the {meta} half, read {trovato}"};
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

std::string messaggio_di(const diagnostica& d, lingua l, std::string_view altro_file) {
  std::vector<std::string> argomenti;
  argomenti.reserve(d.argomenti.size());
  for (const std::string& a : d.argomenti) argomenti.push_back(testo_sicuro(a));
  std::string s = rendi(d.messaggio, argomenti, l);
  if (d.altra_fonte != sorgente::nessuna) {
    std::string altro = testo_sicuro(altro_file);
    if (d.altra_riga > 0) altro += ":" + std::to_string(d.altra_riga);
    if (size_t p = s.find("{@}"); p != std::string::npos) s.replace(p, 3, altro);
  }
  return s;
}

std::string formatta(const diagnostica& d, std::string_view file, lingua l, std::string_view altro_file) {
  const bool inglese = l == lingua::inglese;
  std::string s;
  if (!file.empty()) {
    s += testo_sicuro(file);
    if (d.riga > 0) {
      s += ":" + std::to_string(d.riga);
      if (d.colonna > 0) s += ":" + std::to_string(d.colonna);
    }
    s += ": ";
  }
  switch (d.livello) {
    case gravita::errore:
      s += inglese ? "error" : "errore";
      if (d.codice != 0) s += " " + std::to_string(d.codice);
      s += ": ";
      break;
    case gravita::avviso: s += inglese ? "warning: " : "avviso: "; break;
    case gravita::nota: s += inglese ? "note: " : "nota: "; break;
  }
  s += messaggio_di(d, l, altro_file);
  if (d.posizione) s += (inglese ? " (position " : " (posizione ") + std::to_string(*d.posizione) + " m)";
  if (d.livello == gravita::avviso) {
    const std::string_view nome = nome_avviso(d.messaggio);
    if (!nome.empty()) s += " [-W" + std::string(nome) + "]";
  }
  return s;
}

}  // namespace compattatore
