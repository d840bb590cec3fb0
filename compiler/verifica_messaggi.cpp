#include "compiler/verifica_messaggi.h"

#include <array>

namespace compattatore {
namespace {

using m = messaggio_verifica;

struct voce_catalogo {
  messaggio_verifica id;
  testo_messaggio t;
};

// One line per message, in the order of the enum (checked at compile time).
constexpr voce_catalogo catalogo[] = {
    {m::parola_ignota,
     {"parola-ignota", "il campo \"{1}\" non e' un record di questa parte: e' ignorato",
      "the field \"{1}\" is no record of this part: it is ignored"}},
    {m::parola_ignota_suggerita,
     {"parola-ignota",
      "il campo \"{1}\" non e' un record di questa parte: e' ignorato (forse "
      "\"{2}\"?)",
      "the field \"{1}\" is no record of this part: it is ignored (did you "
      "mean \"{2}\"?)"}},
    {m::maiuscole,
     {"maiuscole", "\"{1}\" vale solo scritto in minuscolo: il campo \"{2}\" e' ignorato",
      "\"{1}\" is read in lower case only: the field \"{2}\" is ignored"}},
    {m::solo_generale,
     {"parte", "il record \"{1}\" vale solo nella parte generale: qui e' ignorato",
      "the \"{1}\" record belongs to the general part only: here it is "
      "ignored"}},
    {m::non_generale,
     {"parte", "il record \"{1}\" non vale nella parte generale: e' ignorato",
      "the \"{1}\" record does not belong to the general part: it is ignored"}},
    {m::valore_sparso,
     {"valori-in-piu", "il valore \"{1}\" non appartiene a nessun record: e' ignorato",
      "the value \"{1}\" belongs to no record: it is ignored"}},
    {m::treno_senza_generale,
     {"sezione", "la sorgente del treno non ha la sezione [generale]: e' ignorata tutta",
      "the train source has no [generale] section: all of it is ignored"}},
    {m::treno_generale_storpiata,
     {"sezione", "\"{1}\" non e' [generale]: la sorgente del treno e' ignorata tutta",
      "\"{1}\" is not [generale]: all of the train source is ignored"}},
    {m::ordine_indietro,
     {"ordine",
      "il record \"{1}\" a {2} m viene prima di quello di {0} ({3} m): vale da "
      "qui a un record successivo",
      "the \"{1}\" record at {2} m lies before the one of {0} ({3} m): it "
      "applies from here to a later record"}},
    {m::ordine_stessa_cella,
     {"ordine",
      "il record \"{1}\" a {2} m cade nella cella di quello di {0} ({3} m): "
      "uno dei due non vale",
      "the \"{1}\" record at {2} m falls into the cell of the one of {0} ({3} "
      "m): one of them does not apply"}},
    {m::primo_non_a_zero,
     {"da-zero", "il primo record \"{1}\" e' a {2} m, non a 0: prima vale 0",
      "the first \"{1}\" record is at {2} m, not at 0: 0 applies before it"}},
    {m::pendenza_fuori,
     {"fuori-misura", "pendenza {1} fuori da -100 a 155: e' memorizzata come {2}",
      "gradient {1} outside -100 to 155: it is stored as {2}"}},
    {m::velocita_non_multipla,
     {"fuori-misura", "velocita' {1} non multipla di 5: vale {2}",
      "speed {1} is not a multiple of 5: it counts as {2}"}},
    {m::velocita_alta, {"fuori-misura", "velocita' {1} oltre 300 km/h", "speed {1} above 300 km/h"}},
    {m::aderenza_fuori,
     {"fuori-misura", "aderenza {1} fuori da 0 a 255: e' memorizzata come {2}",
      "adhesion {1} outside 0 to 255: it is stored as {2}"}},
    {m::ora_del_giorno,
     {"orario", "{1}:{2}:{3} non e' un'ora del giorno (da 0:0:0 a 23:59:59)",
      "{1}:{2}:{3} is no time of day (0:0:0 to 23:59:59)"}},
    {m::curva_classe,
     {"curva", "la classe di \"{1}\" e' letta come {2}", "the class of \"{1}\" is read as {2}"}},
    {m::tipo_stazione,
     {"stazione",
      "tipo di stazione {1} senza significato (valgono 5, 6, 7, 8, 11, 12, 24 "
      "e da 25 in su)",
      "station kind {1} has no meaning (5, 6, 7, 8, 11, 12, 24 and 25 up have "
      "one)"}},
    {m::commento_falso,
     {"commento",
      "\"{1}\" sembra un commento ma non lo e': e' commento solo un campo con "
      "\"-\"",
      "\"{1}\" looks like a comment but is not one: only a field holding \"-\" "
      "is a comment"}},
    {m::commento_con_record,
     {"commento",
      "\"{1}\" contiene \"-\" ed e' letto come commento: il record \"{2}\" e' "
      "ignorato",
      "\"{1}\" holds \"-\" and is read as a comment: the \"{2}\" record is "
      "ignored"}},
    {m::commento_letto,
     {"commento", "troppi commenti di fila: \"{1}\" e' letto come record \"{2}\"",
      "too many comments in a row: \"{1}\" is read as a \"{2}\" record"}},
    {m::cartello_riga_lunga,
     {"testo-lungo", "la riga \"{1}\" del cartello supera 12 caratteri",
      "the sign line \"{1}\" is longer than 12 characters"}},
    {m::cartello_righe,
     {"testo-lungo", "il cartello ha {1} righe, ne stanno 3", "the sign has {1} lines, 3 fit"}},
    {m::nome_tagliato,
     {"virgola",
      "il testo \"{1}\" e' tagliato alla virgola: \"{2}\" e' letto come un "
      "altro campo",
      "the text \"{1}\" is cut at the comma: \"{2}\" is read as another "
      "field"}},
    {m::fermata_sovrascrive,
     {"sovrascritto",
      "la fermata della stazione prende la cella {1}, che era del record "
      "\"{2}\" di {0}",
      "the station's stop takes cell {1}, which held the \"{2}\" record of "
      "{0}"}},
    {m::fuori_griglia,
     {"griglia", "{1} a {2} m non e' sulla griglia di 50 m: vale come {3} m",
      "{1} at {2} m is off the 50 m grid: it counts as {3} m"}},
    {m::riga_convertita, {"", "riga convertita da UTF-8 a cp1252", "line converted from UTF-8 to cp1252"}},
    {m::valori_mancanti_uno,
     {"", "il record \"{1}\" ha 1 valore, ne servono {2}", "the \"{1}\" record has 1 value, it takes {2}"}},
    {m::valori_mancanti,
     {"", "il record \"{1}\" ha {2} valori, ne servono {3}",
      "the \"{1}\" record has {2} values, it takes {3}"}},
    {m::non_numero,
     {"", "il valore \"{1}\" del record \"{2}\" non e' un numero intero",
      "the value \"{1}\" of the \"{2}\" record is not a whole number"}},
    {m::fuori_campo,
     {"",
      "il valore {1} non sta nel campo \"{2}\" del record \"{3}\" (da {4} a "
      "{5})",
      "the value {1} does not fit the field \"{2}\" of the \"{3}\" record ({4} "
      "to {5})"}},
    {m::velocita_oltre_byte,
     {"", "velocita' {1}: divisa per 5 non sta in un byte (da 0 a 1277)",
      "speed {1}: divided by 5 it does not fit a byte (0 to 1277)"}},
    {m::senza_lunghezza,
     {"", "il record \"{1}\" viene prima della lunghezza del percorso",
      "the \"{1}\" record comes before the route length"}},
    {m::testo_lungo_tabella,
     {"", "un testo del record \"{1}\" supera 65535 caratteri",
      "a text of the \"{1}\" record is longer than 65535 characters"}},
    {m::sorgente_vuota, {"", "la sorgente della linea e' vuota", "the line source is empty"}},
    {m::linea_senza_generale,
     {"", "la sorgente della linea non ha la sezione [generale]",
      "the line source has no [generale] section"}},
    {m::linea_generale_storpiata,
     {"",
      "la sorgente della linea non ha la sezione [generale] (\"{1}\" non lo "
      "e')",
      "the line source has no [generale] section (\"{1}\" is not one)"}},
    {m::lunghezza_fuori,
     {"", "lunghezza del percorso {1} fuori da 0 a 1000000 m", "route length {1} outside 0 to 1000000 m"}},
    {m::ripetizione_inizio,
     {"", "inizio della ripetizione segnali {1} non multiplo di 50",
      "start of the cab-signal repetition {1} is not a multiple of 50"}},
    {m::ripetizione_fine,
     {"", "fine della ripetizione segnali {1} non multipla di 50",
      "end of the cab-signal repetition {1} is not a multiple of 50"}},
    {m::ripetizione_codici, {"", "\"{1}\" non indica 4 o 9 codici", "\"{1}\" names neither 4 nor 9 codes"}},
    {m::curva_senza_classe,
     {"", "\"{1}\" senza classe (una cifra da 1 a 6)", "\"{1}\" has no class (a digit from 1 to 6)"}},
    {m::curva_oltre_piano,
     {"", "la curva da {1} m per {2} m va oltre la fine della planimetria ({3} m)",
      "the curve from {1} m over {2} m runs past the end of the track plan "
      "({3} m)"}},
    {m::piano_troppo_lungo,
     {"",
      "con la planimetria un percorso di {1} m supera 1000000 punti (al "
      "massimo 993001 m)",
      "with the track plan a route of {1} m exceeds 1000000 points (993001 m "
      "at most)"}},
    {m::oltre_percorso,
     {"", "{1} a {2} m oltre il limite del percorso esteso ({3} m)",
      "{1} at {2} m beyond the limit of the extended route ({3} m)"}},
    {m::cella_fuori,
     {"", "{1} a {2} m: la cella {3} e' fuori dal percorso",
      "{1} at {2} m: cell {3} lies outside the route"}},
    {m::cella_presa_record,
     {"", "{1} a {2} m: la cella {3} e' gia' presa dal record \"{4}\" di {0}",
      "{1} at {2} m: cell {3} is already taken by the \"{4}\" record of {0}"}},
    {m::cella_presa_preavviso,
     {"",
      "{1} a {2} m: la cella {3} e' gia' presa dal preavviso del rallentamento "
      "di {0}",
      "{1} at {2} m: cell {3} is already taken by the warning board of the "
      "slow-down of {0}"}},
    {m::cella_presa_inizio,
     {"",
      "{1} a {2} m: la cella {3} e' gia' presa dall'inizio del rallentamento "
      "di {0}",
      "{1} at {2} m: cell {3} is already taken by the start of the slow-down "
      "of {0}"}},
    {m::cella_presa_fine,
     {"",
      "{1} a {2} m: la cella {3} e' gia' presa dalla fine del rallentamento di "
      "{0}",
      "{1} at {2} m: cell {3} is already taken by the end of the slow-down of "
      "{0}"}},
    {m::cella_presa_approccio,
     {"",
      "{1} a {2} m: la cella {3} e' gia' presa da una cella d'approccio del "
      "rallentamento di {0}",
      "{1} at {2} m: cell {3} is already taken by an approach cell of the "
      "slow-down of {0}"}},
    {m::cella_presa_fermata,
     {"",
      "{1} a {2} m: la cella {3} e' gia' presa dalla fermata della stazione di "
      "{0}",
      "{1} at {2} m: cell {3} is already taken by the stop of the station of "
      "{0}"}},
    {m::montagne_troppe, {"", "piu' di 80 elementi montagna", "more than 80 montagna elements"}},
    {m::tabella_piena,
     {"", "stazioni e cartelli superano i posti della tabella (78 in tutto)",
      "stations and signs exceed the table's places (78 in all)"}},
    {m::stazione_fuori_griglia,
     {"", "stazione a {1} m: la posizione non e' multipla di 50",
      "station at {1} m: the position is not a multiple of 50"}},
    {m::stazione_lunghezza,
     {"", "stazione a {1} m: la lunghezza {2} non e' multipla di 100",
      "station at {1} m: the length {2} is not a multiple of 100"}},
    {m::stazione_troppo_presto,
     {"", "stazione a {1} m: finisce a {2} m, nella cella 1 o prima",
      "station at {1} m: it ends at {2} m, in cell 1 or before"}},
    {m::stazioni_vicine,
     {"",
      "stazione a {1} m: inizia a {2} m, meno di 350 m dopo la fine della "
      "precedente di {0} ({3} m)",
      "station at {1} m: it starts at {2} m, less than 350 m after the end of "
      "the previous one of {0} ({3} m)"}},
    {m::progressiva_fuori_griglia,
     {"", "progressiva chilometrica {1}, {2}: i due valori vanno in multipli di 50",
      "kilometric reference {1}, {2}: both values must be multiples of 50"}},
    {m::utf8_senza_cp1252,
     {"", "il carattere U+{1} non ha forma in cp1252", "the character U+{1} has no cp1252 form"}},
    {m::utf16,
     {"", "la sorgente e' in UTF-16: va salvata in cp1252 (o UTF-8)",
      "the source is UTF-16: save it as cp1252 (or UTF-8)"}},
    {m::utf8_non_valido,
     {"", "la sorgente non e' UTF-8 valido (--encoding=utf-8)",
      "the source is not valid UTF-8 (--encoding=utf-8)"}},
};

constexpr bool in_ordine() {
  for (size_t i = 0; i < std::size(catalogo); ++i)
    if (static_cast<size_t>(catalogo[i].id) != i) return false;
  return static_cast<size_t>(m::utf8_non_valido) + 1 == std::size(catalogo);
}
static_assert(in_ordine(), "one catalogue line per message, in the order of the enum");

}  // namespace

const testo_messaggio& testo_di(messaggio_verifica id) { return catalogo[static_cast<size_t>(id)].t; }

bool nome_avviso_noto(std::string_view nome) {
  if (nome.empty()) return false;
  for (const voce_catalogo& v : catalogo)
    if (v.t.nome == nome) return true;
  return false;
}

}  // namespace compattatore
