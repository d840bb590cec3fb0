#include "tools/ispeziona/parole.h"

#include <cmath>
#include <cstdio>

namespace compattatore::ispeziona {
namespace {

using enum id_messaggio;

// Returns the name of a kind of cell and the labels of its values; `nessuno`
// marks a value the kind does not use (its label stays empty).
etichette_tipo tipo_di(lingua l, id_messaggio nome, const id_messaggio (&dato)[4]) {
  etichette_tipo e;
  e.nome = testo_catalogo(nome, l);
  for (int i = 0; i < 4; ++i) {
    if (dato[i] != nessuno) e.dato[i] = testo_catalogo(dato[i], l);
  }
  return e;
}

// The catalogue's texts live as long as the program, so the views stay valid.
testi testi_in(lingua l) {
  auto p = [l](id_messaggio id) { return testo_catalogo(id, l); };
  testi t;
  t.tipi[1] = tipo_di(l, ispeziona_tipo_1,
                    {ispeziona_tipo_1_dato1, ispeziona_tipo_1_dato2,
                     ispeziona_tipo_1_dato3, ispeziona_tipo_1_dato4});
  t.tipi[2] = tipo_di(l, ispeziona_tipo_2,
                    {ispeziona_tipo_2_dato1, ispeziona_tipo_2_dato2,
                     ispeziona_tipo_2_dato3, nessuno});
  t.tipi[3] = tipo_di(l, ispeziona_tipo_3,
                    {ispeziona_tipo_3_dato1, ispeziona_tipo_3_dato2,
                     ispeziona_tipo_3_dato3, nessuno});
  t.tipi[4] = tipo_di(l, ispeziona_tipo_4, {ispeziona_tipo_4_dato1, ispeziona_tipo_4_dato2, nessuno, nessuno});
  t.tipi[5] = tipo_di(l, ispeziona_tipo_5, {ispeziona_tipo_5_dato1, ispeziona_tipo_5_dato2, nessuno, nessuno});
  t.tipi[6] = tipo_di(l, ispeziona_tipo_6,
                    {ispeziona_tipo_6_dato1, ispeziona_tipo_6_dato2,
                     ispeziona_tipo_6_dato3, ispeziona_tipo_6_dato4});
  t.tipi[10] = tipo_di(l, ispeziona_tipo_10, {ispeziona_tipo_10_dato1, nessuno, nessuno, nessuno});
  t.tipi[11] = tipo_di(l, ispeziona_tipo_11, {nessuno, nessuno, nessuno, nessuno});
  t.tipi[12] = tipo_di(l, ispeziona_tipo_12, {ispeziona_tipo_12_dato1, nessuno, nessuno, nessuno});
  t.tipi[13] = tipo_di(l, ispeziona_tipo_13, {nessuno, nessuno, nessuno, nessuno});
  t.tipi[14] = tipo_di(l, ispeziona_tipo_14, {ispeziona_tipo_14_dato1, nessuno, nessuno, nessuno});
  t.sconosciuto = tipo_di(l, ispeziona_tipo_sconosciuto,
                    {ispeziona_tipo_sconosciuto_dato1, ispeziona_tipo_sconosciuto_dato2,
                     ispeziona_tipo_sconosciuto_dato3, ispeziona_tipo_sconosciuto_dato4});
  t.tempo = p(ispeziona_tempo);
  t.file_percorso = p(ispeziona_file_percorso);
  t.file_tabella = p(ispeziona_file_tabella);
  t.file_linea = p(ispeziona_file_linea);
  t.celle = p(ispeziona_celle);
  t.intestazione = p(ispeziona_intestazione);
  t.valore_intestazione = p(ispeziona_valore_intestazione);
  t.codice_gara = p(ispeziona_codice_gara);
  t.elementi = p(ispeziona_elementi);
  t.nessun_elemento = p(ispeziona_nessun_elemento);
  t.velocita = p(ispeziona_velocita);
  t.pendenza = p(ispeziona_pendenza);
  t.aderenza = p(ispeziona_aderenza);
  t.montagna = p(ispeziona_montagna);
  t.da = p(ispeziona_da);
  t.stazioni = p(ispeziona_stazioni);
  t.cartelli = p(ispeziona_cartelli);
  t.voci_intestazione = p(ispeziona_voci_intestazione);
  t.nessuna = p(ispeziona_nessuna);
  t.stazione = p(ispeziona_stazione);
  t.area = p(ispeziona_area);
  t.tipo = p(ispeziona_tipo);
  t.orario = p(ispeziona_orario);
  t.altri_valori = p(ispeziona_altri_valori);
  t.voce_81_83 = p(ispeziona_voce_81_83);
  t.voce_84 = p(ispeziona_voce_84);
  t.voce_85 = p(ispeziona_voce_85);
  t.voce_86 = p(ispeziona_voce_86);
  t.riferimento = p(ispeziona_riferimento);
  t.posizione_percorso = p(ispeziona_posizione_percorso);
  t.progressiva = p(ispeziona_progressiva);
  t.segnale_aggiunta = p(ispeziona_segnale_aggiunta);
  t.massa_frenata = p(ispeziona_massa_frenata);
  t.lunghezza = p(ispeziona_lunghezza);
  t.vetture = p(ispeziona_vetture);
  t.sfondo_uno = p(ispeziona_sfondo_uno);
  t.sfondo_due = p(ispeziona_sfondo_due);
  t.sfondo_tre = p(ispeziona_sfondo_tre);
  t.chiave_linea = p(ispeziona_chiave_linea);
  t.valore_fisso = p(ispeziona_valore_fisso);
  t.codice_st = p(ispeziona_codice_st);
  t.ripetizione_da = p(ispeziona_ripetizione_da);
  t.ripetizione_a = p(ispeziona_ripetizione_a);
  t.codici = p(ispeziona_codici);
  t.chiave_treno = p(ispeziona_chiave_treno);
  t.sabbia = p(ispeziona_sabbia);
  t.orologio = p(ispeziona_orologio);
  t.punti = p(ispeziona_punti);
  t.estensione = p(ispeziona_estensione);
  t.cambi_curvatura = p(ispeziona_cambi_curvatura);
  t.rettilineo = p(ispeziona_rettilineo);
  t.curva_destra = p(ispeziona_curva_destra);
  t.curva_sinistra = p(ispeziona_curva_sinistra);
  t.raggio = p(ispeziona_raggio);
  t.piano_non_dimensionato = p(ispeziona_piano_non_dimensionato);
  t.punti_fuori_schema = p(ispeziona_punti_fuori_schema);
  t.titolo_pagina = p(ispeziona_titolo_pagina);
  t.pianta = p(ispeziona_pianta);
  t.profilo_pendenza = p(ispeziona_profilo_pendenza);
  t.profilo_velocita = p(ispeziona_profilo_velocita);
  t.profilo_aderenza = p(ispeziona_profilo_aderenza);
  t.tabella_elementi = p(ispeziona_tabella_elementi);
  t.binario = p(ispeziona_binario);
  t.segnali = p(ispeziona_segnali);
  t.legenda_stazione = p(ispeziona_legenda_stazione);
  t.legenda_segnale = p(ispeziona_legenda_segnale);
  t.legenda_cartello = p(ispeziona_legenda_cartello);
  t.legenda_inizio = p(ispeziona_legenda_inizio);
  t.velocita_linea = p(ispeziona_velocita_linea);
  t.rallentamento = p(ispeziona_rallentamento);
  t.asse_km = p(ispeziona_asse_km);
  t.per_mille = p(ispeziona_per_mille);
  t.km_h = p(ispeziona_km_h);
  t.senza_piano = p(ispeziona_senza_piano);
  t.senza_percorso = p(ispeziona_senza_percorso);
  t.posizione = p(ispeziona_posizione);
  t.cella = p(ispeziona_cella);
  t.valori = p(ispeziona_valori);
  t.file_letti = p(ispeziona_file_letti);
  t.uso = p(ispeziona_uso);
  t.descrizione = p(ispeziona_descrizione);
  t.opzione_json = p(ispeziona_opzione_json);
  t.opzione_html = p(ispeziona_opzione_html);
  t.opzione_ruolo = p(ispeziona_opzione_ruolo);
  t.opzione_versione = p(ispeziona_opzione_versione);
  t.opzione_aiuto = p(ispeziona_opzione_aiuto);
  t.file_compilati = p(ispeziona_file_compilati);
  t.ruoli = p(ispeziona_ruoli);
  t.errore_uso_prefisso = p(ispeziona_errore_uso_prefisso);
  t.vedi_aiuto = p(ispeziona_vedi_aiuto);
  t.ruolo_sconosciuto = p(ispeziona_ruolo_sconosciuto);
  t.nessun_file = p(ispeziona_nessun_file);
  t.nome_senza_ruolo = p(ispeziona_nome_senza_ruolo);
  t.troppi_file_stesso_ruolo = p(ispeziona_troppi_file_stesso_ruolo);
  return t;
}

// The decoder's sentences keep its named placeholders ({campo}, {indice},
// ...), which it fills itself.
frasi_decodifica frasi_in(lingua l) {
  auto p = [l](id_messaggio id) { return testo_catalogo(id, l); };
  frasi_decodifica f;
  f.campo_cella = p(ispeziona_decodifica_campo_cella);
  f.campo_voce = p(ispeziona_decodifica_campo_voce);
  f.campo_punto = p(ispeziona_decodifica_campo_punto);
  f.fine_tabella = p(ispeziona_decodifica_fine_tabella);
  f.fine_file = p(ispeziona_decodifica_fine_file);
  f.tipo_noto = p(ispeziona_decodifica_tipo_noto);
  f.punto_y = p(ispeziona_decodifica_punto_y);
  f.tipo_uguale = p(ispeziona_decodifica_tipo_uguale);
  f.tipo_calcolato_o_vuoto = p(ispeziona_decodifica_tipo_calcolato_o_vuoto);
  f.tipo_vuoto = p(ispeziona_decodifica_tipo_vuoto);
  f.valore_origine = p(ispeziona_decodifica_valore_origine);
  return f;
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

const testi& testi_di(lingua l) {
  static const testi it = testi_in(lingua::italiano);
  static const testi en = testi_in(lingua::inglese);
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
  static const frasi_decodifica it = frasi_in(lingua::italiano);
  static const frasi_decodifica en = frasi_in(lingua::inglese);
  return descrivi_errore(e, l == lingua::inglese ? en : it);
}

}  // namespace compattatore::ispeziona
