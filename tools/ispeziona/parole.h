// The words `ispeziona` prints, gathered by use from the message catalogue
// (pipeline/catalogo.h), where every word of both languages lives; the
// language is the catalogue's (lingua_da_ambiente).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "output/decodifica.h"
#include "pipeline/catalogo.h"

namespace compattatore::ispeziona {

// One value of an element, with its label.
struct etichette_tipo {
  std::string_view nome;        // the kind, e.g. "segnale"
  std::string_view dato[4];     // labels of dato1..dato4; empty: not used by the kind
};

struct testi {
  // Kinds of cell, by tipo; `sconosciuto` for a code no reader writes.
  etichette_tipo tipi[15];
  etichette_tipo sconosciuto;
  std::string_view tempo;           // label of the signal's time

  // Section titles and labels of the text report.
  std::string_view file_percorso, file_tabella, file_linea;
  std::string_view celle, intestazione, valore_intestazione, codice_gara, elementi, nessun_elemento;
  std::string_view velocita, pendenza, aderenza, montagna, da;
  std::string_view stazioni, cartelli, voci_intestazione, nessuna;
  std::string_view stazione, area, tipo, orario, altri_valori;
  std::string_view voce_81_83, voce_84, voce_85, voce_86;
  std::string_view riferimento, posizione_percorso, progressiva, segnale_aggiunta;
  std::string_view massa_frenata, lunghezza, vetture;
  std::string_view sfondo_uno, sfondo_due, sfondo_tre, chiave_linea, valore_fisso, codice_st;
  std::string_view ripetizione_da, ripetizione_a, codici, chiave_treno, sabbia, orologio;
  std::string_view punti, estensione, cambi_curvatura, rettilineo, curva_destra, curva_sinistra, raggio;
  std::string_view piano_non_dimensionato, punti_fuori_schema;

  // The page.
  std::string_view titolo_pagina, pianta, profilo_pendenza, profilo_velocita, profilo_aderenza, tabella_elementi;
  std::string_view binario, segnali, legenda_stazione, legenda_segnale, legenda_cartello, legenda_inizio;
  std::string_view velocita_linea, rallentamento, asse_km, per_mille, km_h, senza_piano, senza_percorso;
  std::string_view posizione, cella, valori, file_letti;

  // Messages.
  std::string_view uso, descrizione, opzione_json, opzione_html, opzione_ruolo, opzione_versione, opzione_aiuto;
  std::string_view file_compilati, ruoli;
  std::string_view errore_uso_prefisso, vedi_aiuto, ruolo_sconosciuto, nessun_file, nome_senza_ruolo;
  std::string_view troppi_file_stesso_ruolo;
};

// Returns the words of `l`, taken from the catalogue.
const testi& testi_di(lingua l);

// Returns "12.200 m" (Italian) or "12,200 m" (English).
std::string metri(lingua l, int64_t m);
// Returns "km 12,200" (Italian) or "km 12.200" (English): three decimals.
std::string chilometri(lingua l, int64_t m);
// Returns `v` with `decimali` decimals and the language's decimal mark.
std::string decimale(lingua l, double v, int decimali);

// Returns the decoder's error as one sentence in `l` (no offset).
std::string descrivi(lingua l, const errore_decodifica& e);

}  // namespace compattatore::ispeziona
