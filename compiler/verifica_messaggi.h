// The messages of the check pass: for each, the short name of a warning
// (for -Wno-NAME; "" for errors and notes) and its words in Italian and in
// English. Arguments are written {1}, {2}, ...; {0} stands for the other
// place a message names (FILE:LINE), filled in where the file names are
// known.
#pragma once

#include <cstdint>
#include <string_view>

namespace compattatore {

enum class messaggio_verifica : uint16_t {
  // Warnings
  parola_ignota,
  parola_ignota_suggerita,
  maiuscole,
  solo_generale,
  non_generale,
  valore_sparso,
  treno_senza_generale,
  treno_generale_storpiata,
  ordine_indietro,
  ordine_stessa_cella,
  primo_non_a_zero,
  pendenza_fuori,
  velocita_non_multipla,
  velocita_alta,
  aderenza_fuori,
  ora_del_giorno,
  curva_classe,
  tipo_stazione,
  commento_falso,
  commento_con_record,
  commento_letto,
  cartello_riga_lunga,
  cartello_righe,
  nome_tagliato,
  fermata_sovrascrive,
  fuori_griglia,
  // Notes
  riga_convertita,
  // Errors, by code
  valori_mancanti_uno,
  valori_mancanti,
  non_numero,
  fuori_campo,
  velocita_oltre_byte,
  senza_lunghezza,
  testo_lungo_tabella,
  sorgente_vuota,
  linea_senza_generale,
  linea_generale_storpiata,
  lunghezza_fuori,
  ripetizione_inizio,
  ripetizione_fine,
  ripetizione_codici,
  curva_senza_classe,
  curva_oltre_piano,
  piano_troppo_lungo,
  oltre_percorso,
  cella_fuori,
  cella_presa_record,
  cella_presa_preavviso,
  cella_presa_inizio,
  cella_presa_fine,
  cella_presa_approccio,
  cella_presa_fermata,
  montagne_troppe,
  tabella_piena,
  stazione_fuori_griglia,
  stazione_lunghezza,
  stazione_troppo_presto,
  stazioni_vicine,
  progressiva_fuori_griglia,
  utf8_senza_cp1252,
  utf16,
  utf8_non_valido,
};

struct testo_messaggio {
  std::string_view nome;  // warning name, "" when not a warning
  std::string_view italiano;
  std::string_view inglese;
};

// Returns the name and words of `id`.
const testo_messaggio& testo_di(messaggio_verifica id);

// Returns true when `nome` is the short name of a warning.
bool nome_avviso_noto(std::string_view nome);

}  // namespace compattatore
