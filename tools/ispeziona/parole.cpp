#include "tools/ispeziona/parole.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace compattatore::ispeziona {
namespace {

testi italiano() {
  testi t;
  t.tipi[1] = {"segnale", {"s1·10+d1", "s2·10+d2", "s3·10+d3", "rapp·10+sx·3+dx"}};
  t.tipi[2] = {"fine rallentamento", {"velocità (km/h)", "d_v", "f_tt", ""}};
  t.tipi[3] = {"inizio rallentamento", {"velocità (km/h)", "d_v", "f_tt", ""}};
  t.tipi[4] = {"avviso di rallentamento", {"velocità (km/h)", "d_v", "", ""}};
  t.tipi[5] = {"preavviso di rallentamento", {"numero", "numero con d_v", "", ""}};
  t.tipi[6] = {"indicatori di velocità massima", {"a (vas·20+vad/5)", "b (vbs·20+vbd/5)", "c (vcs·20+vcd/5)",
                                                  "strisce (s·10+d)"}};
  t.tipi[10] = {"fermata di stazione", {"stazione", "", "", ""}};
  t.tipi[11] = {"segno di montagna", {"", "", "", ""}};
  t.tipi[12] = {"punto di abbattimento", {"valore", "", "", ""}};
  t.tipi[13] = {"punto di abbattimento senza valore", {"", "", "", ""}};
  t.tipi[14] = {"cartello", {"testo", "", "", ""}};
  t.sconosciuto = {"tipo sconosciuto", {"dato1", "dato2", "dato3", "dato4"}};
  t.tempo = "tempo";
  t.file_percorso = "file del percorso";
  t.file_tabella = "file della tabella";
  t.file_linea = "file della linea";
  t.celle = "celle";
  t.intestazione = "intestazione (cella 1)";
  t.valore_intestazione = "valore di controllo";
  t.codice_gara = "codice di gara";
  t.elementi = "elementi";
  t.nessun_elemento = "nessun elemento";
  t.velocita = "velocità di linea";
  t.pendenza = "pendenza";
  t.aderenza = "aderenza";
  t.montagna = "montagna";
  t.da = "da";
  t.stazioni = "stazioni";
  t.cartelli = "testi dei cartelli";
  t.voci_intestazione = "voci di intestazione";
  t.nessuna = "nessuna";
  t.stazione = "stazione";
  t.area = "area";
  t.tipo = "tipo";
  t.orario = "orario";
  t.altri_valori = "altri valori";
  t.voce_81_83 = "riferimento chilometrico";
  t.voce_84 = "treno e percorso";
  t.voce_85 = "sfondi e linea";
  t.voce_86 = "ripetizione segnali in cabina e treno";
  t.riferimento = "riferimento";
  t.posizione_percorso = "posizione";
  t.progressiva = "progressiva";
  t.segnale_aggiunta = "aggiunta di 100 m";
  t.massa_frenata = "massa frenata (%)";
  t.lunghezza = "lunghezza del percorso";
  t.vetture = "vetture";
  t.sfondo_uno = "sfondo uno";
  t.sfondo_due = "sfondo due";
  t.sfondo_tre = "sfondo tre";
  t.chiave_linea = "linea";
  t.valore_fisso = "valore di controllo";
  t.codice_st = "codice di gara";
  t.ripetizione_da = "ripetizione da";
  t.ripetizione_a = "a";
  t.codici = "codici";
  t.chiave_treno = "treno";
  t.sabbia = "sabbia";
  t.orologio = "orologio";
  t.punti = "punti della pianta";
  t.estensione = "estensione";
  t.cambi_curvatura = "cambi di curvatura";
  t.rettilineo = "rettilineo";
  t.curva_destra = "curva a destra";
  t.curva_sinistra = "curva a sinistra";
  t.raggio = "raggio";
  t.piano_non_dimensionato = "pianta mai dimensionata (file vuoto)";
  t.punti_fuori_schema = "i tipi dei punti non seguono lo schema del lettore";
  t.titolo_pagina = "Ispezione dello scenario";
  t.pianta = "Pianta della linea";
  t.profilo_pendenza = "Pendenza";
  t.profilo_velocita = "Velocità";
  t.profilo_aderenza = "Aderenza";
  t.tabella_elementi = "Elementi del percorso";
  t.binario = "binario";
  t.segnali = "segnali";
  t.legenda_stazione = "stazione";
  t.legenda_segnale = "segnale";
  t.legenda_cartello = "cartello";
  t.legenda_inizio = "inizio";
  t.velocita_linea = "velocità di linea";
  t.rallentamento = "rallentamento";
  t.asse_km = "progressiva dall'inizio del percorso (km)";
  t.per_mille = "‰";
  t.km_h = "km/h";
  t.senza_piano = "Nessun file della linea: la pianta non è disponibile.";
  t.senza_percorso = "Nessun file del percorso: i profili non sono disponibili.";
  t.posizione = "posizione";
  t.cella = "cella";
  t.valori = "valori";
  t.file_letti = "file letti";
  t.uso = "uso: ispeziona [--json] [--html FILE] [--role linea|tabella|percorso] FILE_COMPILATO...";
  t.descrizione = "Mostra che cosa contengono i file compilati di uno scenario.";
  t.opzione_json = "stampa un oggetto JSON invece del testo";
  t.opzione_html = "scrive una pagina HTML autonoma con pianta, profili ed elementi";
  t.opzione_ruolo = "il ruolo di tutti i file, invece di dedurlo dal nome";
  t.opzione_versione = "mostra la versione ed esce";
  t.opzione_aiuto = "mostra questo aiuto ed esce";
  t.file_compilati = "i file compilati da leggere";
  t.ruoli = "Il ruolo viene dal nome: *_linea.dat file della linea, *.sim file della tabella, ogni altro *.dat "
            "file del percorso. Con --html il testo non viene stampato.";
  t.errore_uso_prefisso = "ispeziona: ";
  t.vedi_aiuto = "(ispeziona --help per l'uso)";
  t.ruolo_sconosciuto = "ruolo sconosciuto";
  t.nessun_file = "manca il file compilato da leggere";
  t.nome_senza_ruolo = "il nome non dice il ruolo (atteso *_linea.dat, *.sim o *.dat): usare --role";
  t.troppi_file_stesso_ruolo = "più di un file con lo stesso ruolo per la pagina";
  return t;
}

testi inglese() {
  testi t;
  t.tipi[1] = {"signal", {"s1·10+d1", "s2·10+d2", "s3·10+d3", "rapp·10+sx·3+dx"}};
  t.tipi[2] = {"slow-down end", {"speed (km/h)", "d_v", "f_tt", ""}};
  t.tipi[3] = {"slow-down start", {"speed (km/h)", "d_v", "f_tt", ""}};
  t.tipi[4] = {"slow-down warning", {"speed (km/h)", "d_v", "", ""}};
  t.tipi[5] = {"slow-down approach", {"number", "number with d_v", "", ""}};
  t.tipi[6] = {"maximum-speed indicators", {"a (vas·20+vad/5)", "b (vbs·20+vbd/5)", "c (vcs·20+vcd/5)",
                                           "stripes (s·10+d)"}};
  t.tipi[10] = {"station stop", {"station", "", "", ""}};
  t.tipi[11] = {"montagna mark", {"", "", "", ""}};
  t.tipi[12] = {"abbattimento point", {"value", "", "", ""}};
  t.tipi[13] = {"abbattimento point without value", {"", "", "", ""}};
  t.tipi[14] = {"sign board", {"text", "", "", ""}};
  t.sconosciuto = {"unknown kind", {"dato1", "dato2", "dato3", "dato4"}};
  t.tempo = "time";
  t.file_percorso = "route file";
  t.file_tabella = "table file";
  t.file_linea = "line file";
  t.celle = "cells";
  t.intestazione = "header (cell 1)";
  t.valore_intestazione = "check value";
  t.codice_gara = "competition code";
  t.elementi = "elements";
  t.nessun_elemento = "no element";
  t.velocita = "line speed";
  t.pendenza = "gradient";
  t.aderenza = "adhesion";
  t.montagna = "montagna";
  t.da = "from";
  t.stazioni = "stations";
  t.cartelli = "sign texts";
  t.voci_intestazione = "header entries";
  t.nessuna = "none";
  t.stazione = "station";
  t.area = "area";
  t.tipo = "kind";
  t.orario = "time";
  t.altri_valori = "other values";
  t.voce_81_83 = "kilometric reference";
  t.voce_84 = "train and route";
  t.voce_85 = "backgrounds and line";
  t.voce_86 = "cab-signal repetition and train";
  t.riferimento = "reference";
  t.posizione_percorso = "position";
  t.progressiva = "chainage";
  t.segnale_aggiunta = "100 m added";
  t.massa_frenata = "braked mass (%)";
  t.lunghezza = "route length";
  t.vetture = "cars";
  t.sfondo_uno = "background one";
  t.sfondo_due = "background two";
  t.sfondo_tre = "background three";
  t.chiave_linea = "line";
  t.valore_fisso = "check value";
  t.codice_st = "competition code";
  t.ripetizione_da = "repetition from";
  t.ripetizione_a = "to";
  t.codici = "codes";
  t.chiave_treno = "train";
  t.sabbia = "sand";
  t.orologio = "clock";
  t.punti = "plan points";
  t.estensione = "extent";
  t.cambi_curvatura = "curvature changes";
  t.rettilineo = "straight";
  t.curva_destra = "right-hand curve";
  t.curva_sinistra = "left-hand curve";
  t.raggio = "radius";
  t.piano_non_dimensionato = "plan never sized (empty file)";
  t.punti_fuori_schema = "the point tags do not follow the reader's pattern";
  t.titolo_pagina = "Scenario inspection";
  t.pianta = "Track plan";
  t.profilo_pendenza = "Gradient";
  t.profilo_velocita = "Speed";
  t.profilo_aderenza = "Adhesion";
  t.tabella_elementi = "Route elements";
  t.binario = "track";
  t.segnali = "signals";
  t.legenda_stazione = "station";
  t.legenda_segnale = "signal";
  t.legenda_cartello = "sign board";
  t.legenda_inizio = "start";
  t.velocita_linea = "line speed";
  t.rallentamento = "slow-down";
  t.asse_km = "distance from the start of the route (km)";
  t.per_mille = "‰";
  t.km_h = "km/h";
  t.senza_piano = "No line file: the track plan is not available.";
  t.senza_percorso = "No route file: the profiles are not available.";
  t.posizione = "position";
  t.cella = "cell";
  t.valori = "values";
  t.file_letti = "files read";
  t.uso = "usage: ispeziona [--json] [--html FILE] [--role linea|tabella|percorso] COMPILED_FILE...";
  t.descrizione = "Shows what the compiled files of a scenario hold.";
  t.opzione_json = "print one JSON object instead of text";
  t.opzione_html = "write a self-contained HTML page with plan, profiles and elements";
  t.opzione_ruolo = "the role of every file, instead of taking it from the name";
  t.opzione_versione = "show the version and exit";
  t.opzione_aiuto = "show this help and exit";
  t.file_compilati = "the compiled files to read";
  t.ruoli = "The role comes from the name: *_linea.dat line file, *.sim table file, any other *.dat route "
            "file. With --html the text report is not printed.";
  t.errore_uso_prefisso = "ispeziona: ";
  t.vedi_aiuto = "(ispeziona --help for usage)";
  t.ruolo_sconosciuto = "unknown role";
  t.nessun_file = "no compiled file to read";
  t.nome_senza_ruolo = "the name does not tell the role (expected *_linea.dat, *.sim or *.dat): use --role";
  t.troppi_file_stesso_ruolo = "more than one file with the same role for the page";
  return t;
}

std::string raggruppa(int64_t n, char separatore) {
  // The magnitude in unsigned arithmetic: -n does not exist for the
  // smallest int64_t.
  const uint64_t modulo = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
  std::string cifre = std::to_string(modulo);
  std::string s;
  for (size_t i = 0; i < cifre.size(); ++i) {
    if (i > 0 && (cifre.size() - i) % 3 == 0) s += separatore;
    s += cifre[i];
  }
  return n < 0 ? "-" + s : s;
}

}  // namespace

lingua lingua_di(const char* lc_all, const char* lc_messages, const char* lang) {
  for (const char* v : {lc_all, lc_messages, lang}) {
    if (v != nullptr && *v != '\0') return std::strncmp(v, "en", 2) == 0 ? lingua::inglese : lingua::italiano;
  }
  return lingua::italiano;
}

lingua lingua_dall_ambiente() {
  return lingua_di(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

const testi& testi_di(lingua l) {
  static const testi it = italiano();
  static const testi en = inglese();
  return l == lingua::inglese ? en : it;
}

std::string metri(lingua l, int64_t m) { return raggruppa(m, l == lingua::inglese ? ',' : '.') + " m"; }

std::string decimale(lingua l, double v, int decimali) {
  char b[64];
  std::snprintf(b, sizeof b, "%.*f", decimali, v);
  std::string s = b;
  if (l == lingua::italiano) {
    for (char& c : s) {
      if (c == '.') c = ',';
    }
  }
  return s;
}

std::string chilometri(lingua l, int64_t m) { return "km " + decimale(l, static_cast<double>(m) / 1000.0, 3); }

std::string descrivi(lingua l, const errore_decodifica& e) {
  static const frasi_decodifica inglese = [] {
    frasi_decodifica f;
    f.campo_cella = "expected {campo} of cell {indice} ({larghezza} bytes), the file ends before";
    f.campo_voce = "expected {campo} of entry {indice} ({larghezza} bytes), the file ends before";
    f.campo_punto = "expected {campo} of point {indice} ({larghezza} bytes), the file ends before";
    f.fine_tabella = "expected the end of the file after entry 86";
    f.fine_file = "expected the end of the file";
    f.tipo_noto = "expected a point tag 0, 2 or 5 at point {indice}, read {trovato}";
    f.punto_y = "expected the y value of metre {indice}: the y half is shorter than the x half";
    f.tipo_uguale = "expected tag {previsto} at metre {indice} of the {meta} half, read {trovato}";
    f.tipo_calcolato_o_vuoto = "expected tag 5 or 0 at metre {indice} of the {meta} half, read {trovato}";
    f.tipo_vuoto = "expected tag 0 at metre {indice} of the {meta} half (after a metre never computed), read {trovato}";
    f.valore_origine = "expected the value {previsto} at metre {indice} of the {meta} half, read {trovato}";
    return f;
  }();
  return l == lingua::inglese ? descrivi_errore(e, inglese) : descrivi_errore(e);
}

}  // namespace compattatore::ispeziona
