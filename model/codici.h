// The error codes of the system, by name, and the one table that gives each
// code the message that says what it means. Codes travel as plain int32_t in
// the model (`codice_errore`), so the enum converts with `numero()`.
#pragma once

#include <cstdint>
#include <optional>

#include "model/messaggi.h"
#include "model/modello.h"

namespace compattatore {

enum class codice : int32_t {
  nessuno = 0,
  lunghezza_percorso = 1,          // route length outside 0 to 1000000 m
  progressiva_non_multipla = 2,    // kilometric reference not a multiple of 50
  inizio_ripetizione = 3,          // signal repetition start not a multiple of 50
  fine_ripetizione = 4,            // signal repetition end not a multiple of 50
  codici_ripetizione = 5,          // signal repetition with neither 4 nor 9 codes
  cella_cartello = 6,              // sign board cell taken
  cella_abbattimento = 7,          // abbattimento cell taken or outside the route
  posizione_stazione = 8,          // station position not a multiple of 50
  lunghezza_stazione = 9,          // station length not a multiple of 100
  tabella_piena = 10,              // stations and sign texts overrun the table
  abbattimento_segnale = 11,       // finishing: no free cell before the signal
  abbattimento_inizio = 12,        // finishing: no free cell before the slow-down start
  abbattimento_rallentamento = 13, // finishing: no free cell along the slow-down
  oltre_percorso = 15,             // element beyond the extended route
  cella_segnale = 16,              // recorders: signal cell taken or outside
  cella_avviso = 17,               // slow-down warning cell taken
  cella_inizio_rallentamento = 18, // slow-down start cell taken or outside
  cella_fine_rallentamento = 19,   // slow-down end cell taken or outside
  cella_approccio = 20,            // slow-down approach cell taken
  cella_indicatori = 21,           // speed indicator cell taken, or too many montagna
  stazione_vicina = 22,            // station closer than 350 m to the previous one
  stazione_in_cella_1 = 24,        // station ending in cell 1 or before
  lettura_fallita = 25,            // a read failed; the reason is motivo_fallimento
  linea_mancante = 101,            // no line source
  generale_mancante = 102,         // no [generale] section
  curva_senza_classe = 103,        // curve without class, or beyond the plan
  intestazione_primo = 1250,       // header guard: cell 1 first value taken
  intestazione_secondo = 1251,     // header guard: cell 1 second value taken
};

constexpr int32_t numero(codice c) { return static_cast<int32_t>(c); }

// The one table of the codes the system uses, each with its meaning.
struct voce_codice {
  codice c;
  id_messaggio significato;
};

inline constexpr voce_codice tabella_codici[] = {
    {codice::nessuno, id_messaggio::nessuno},
    {codice::lunghezza_percorso, id_messaggio::codice_lunghezza_percorso},
    {codice::progressiva_non_multipla, id_messaggio::codice_progressiva_non_multipla},
    {codice::inizio_ripetizione, id_messaggio::codice_inizio_ripetizione},
    {codice::fine_ripetizione, id_messaggio::codice_fine_ripetizione},
    {codice::codici_ripetizione, id_messaggio::codice_codici_ripetizione},
    {codice::cella_cartello, id_messaggio::codice_cella_cartello},
    {codice::cella_abbattimento, id_messaggio::codice_cella_abbattimento},
    {codice::posizione_stazione, id_messaggio::codice_posizione_stazione},
    {codice::lunghezza_stazione, id_messaggio::codice_lunghezza_stazione},
    {codice::tabella_piena, id_messaggio::codice_tabella_piena},
    {codice::abbattimento_segnale, id_messaggio::codice_abbattimento_segnale},
    {codice::abbattimento_inizio, id_messaggio::codice_abbattimento_inizio},
    {codice::abbattimento_rallentamento, id_messaggio::codice_abbattimento_rallentamento},
    {codice::oltre_percorso, id_messaggio::codice_oltre_percorso},
    {codice::cella_segnale, id_messaggio::codice_cella_segnale},
    {codice::cella_avviso, id_messaggio::codice_cella_avviso},
    {codice::cella_inizio_rallentamento, id_messaggio::codice_cella_inizio_rallentamento},
    {codice::cella_fine_rallentamento, id_messaggio::codice_cella_fine_rallentamento},
    {codice::cella_approccio, id_messaggio::codice_cella_approccio},
    {codice::cella_indicatori, id_messaggio::codice_cella_indicatori},
    {codice::stazione_vicina, id_messaggio::codice_stazione_vicina},
    {codice::stazione_in_cella_1, id_messaggio::codice_stazione_in_cella_1},
    // Code 25 means what its reason says: see significato_di.
    {codice::lettura_fallita, id_messaggio::motivo_imprevisto},
    {codice::linea_mancante, id_messaggio::codice_linea_mancante},
    {codice::generale_mancante, id_messaggio::codice_generale_mancante},
    {codice::curva_senza_classe, id_messaggio::codice_curva_senza_classe},
    {codice::intestazione_primo, id_messaggio::codice_intestazione_primo},
    {codice::intestazione_secondo, id_messaggio::codice_intestazione_secondo},
};

// Returns the code named `n` in the table, or nothing for a number the
// system does not use.
constexpr std::optional<codice> codice_da_numero(int32_t n) {
  for (const voce_codice& v : tabella_codici)
    if (numero(v.c) == n) return v.c;
  return std::nullopt;
}

// Returns true for the numbers the system uses: 0, 1 to 13, 15 to 22, 24,
// 25, 101, 102, 103, 1250, 1251.
constexpr bool codice_noto(int32_t n) { return codice_da_numero(n).has_value(); }

// Returns the message of a failed read (code 25) for its reason.
constexpr id_messaggio significato_motivo(motivo_fallimento motivo) {
  switch (motivo) {
    case motivo_fallimento::testo_finito: return id_messaggio::motivo_testo_finito;
    case motivo_fallimento::non_numero: return id_messaggio::motivo_non_numero;
    case motivo_fallimento::fuori_32_bit: return id_messaggio::motivo_fuori_32_bit;
    case motivo_fallimento::fuori_16_bit: return id_messaggio::motivo_fuori_16_bit;
    case motivo_fallimento::fuori_byte: return id_messaggio::motivo_fuori_byte;
    case motivo_fallimento::velocita_fuori_byte: return id_messaggio::motivo_velocita_fuori_byte;
    case motivo_fallimento::percorso_mancante: return id_messaggio::motivo_percorso_mancante;
    case motivo_fallimento::sorgente_illeggibile: return id_messaggio::motivo_sorgente_illeggibile;
    case motivo_fallimento::testo_troppo_lungo: return id_messaggio::motivo_testo_troppo_lungo;
    case motivo_fallimento::nessuno: break;
  }
  return id_messaggio::motivo_imprevisto;
}

// Returns the message that says what code number `n` means (for 25, what
// `motivo` means); codice_sconosciuto for a number the system does not use.
constexpr id_messaggio significato_di(int32_t n, motivo_fallimento motivo = motivo_fallimento::nessuno) {
  if (n == numero(codice::lettura_fallita)) return significato_motivo(motivo);
  for (const voce_codice& v : tabella_codici)
    if (numero(v.c) == n && n != 0) return v.significato;
  return id_messaggio::codice_sconosciuto;
}

}  // namespace compattatore
