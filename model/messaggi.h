// Every message of both programs and of the tools, by name. A diagnostic
// carries one of these ids and its arguments, never words: the words, in
// each language, are in the catalogue (pipeline/catalogo.h) and are chosen
// only where a message is shown.
#pragma once

#include <cstdint>

namespace compattatore {

enum class id_messaggio : uint16_t {
  nessuno = 0,  // no message (the value of an empty diagnostic)

  // What each error code means (model/codici.h maps code -> id).
  codice_sconosciuto,
  codice_lunghezza_percorso,
  codice_progressiva_non_multipla,
  codice_inizio_ripetizione,
  codice_fine_ripetizione,
  codice_codici_ripetizione,
  codice_cella_cartello,
  codice_cella_abbattimento,
  codice_posizione_stazione,
  codice_lunghezza_stazione,
  codice_tabella_piena,
  codice_abbattimento_segnale,
  codice_abbattimento_inizio,
  codice_abbattimento_rallentamento,
  codice_oltre_percorso,
  codice_cella_segnale,
  codice_cella_avviso,
  codice_cella_inizio_rallentamento,
  codice_cella_fine_rallentamento,
  codice_cella_approccio,
  codice_cella_indicatori,
  codice_stazione_vicina,
  codice_stazione_in_cella_1,
  codice_linea_mancante,
  codice_generale_mancante,
  codice_curva_senza_classe,
  codice_intestazione_primo,
  codice_intestazione_secondo,

  // Why a read failed (code 25).
  motivo_imprevisto,
  motivo_testo_finito,
  motivo_non_numero,
  motivo_fuori_32_bit,
  motivo_fuori_16_bit,
  motivo_fuori_byte,
  motivo_velocita_fuori_byte,
  motivo_percorso_mancante,
  motivo_sorgente_illeggibile,
  motivo_testo_troppo_lungo,
  // Code 103 when the extended route passes the plan's last point.
  motivo_piano_al_limite,

  // Failures of the platform ({1}: the system's reason, where one is given).
  piattaforma_cartella_programma,
  piattaforma_crea_file,
  piattaforma_file_temporaneo,
  piattaforma_scrittura,
  piattaforma_sostituisci,
  piattaforma_apri,
  piattaforma_lettura,
  piattaforma_cartella_non_file,
  piattaforma_elimina,
  piattaforma_su_file,  // {1}: the file, {2}: the failure
  piattaforma_apri_cartella,
  piattaforma_blocca_cartella,
  piattaforma_proprietario,
  piattaforma_permessi,
  piattaforma_nome_lungo,      // {1}: the name's bytes, {2}: the most the folder takes
  piattaforma_non_regolare,    // {1}: what it is (one of genere_*)
  piattaforma_troppo_grande,   // {1}: the limit in MiB
  genere_cartella,
  genere_fifo,
  genere_dispositivo_caratteri,
  genere_dispositivo_blocchi,
  genere_socket,
  genere_speciale,
  memoria_esaurita,
  uscita_standard_fallita,

  // The command line of compila.
  uso_testo,
  uso_rimando_aiuto,
  uso_opzione_ripetuta,
  uso_manca_valore,
  uso_valore_vuoto,
  uso_opzione_sconosciuta,
  uso_opzione_senza_valore,
  uso_mancano_sorgenti,
  uso_manca_sorgente_treno,
  uso_troppi_file,
  uso_chiave_percorso_vuota,
  uso_chiave_treno_vuota,
  uso_chiave_percorso_lunga,
  uso_chiave_treno_lunga,
  uso_chiave_percorso_barra,
  uso_chiave_treno_barra,
  uso_chiave_percorso_controllo,
  uso_chiave_treno_controllo,
  uso_nome_sorgente_linea,
  uso_nome_sorgente_treno,
  compila_sovrascrive_sorgente,
  compila_nomi_uguali,  // {1}: the file, {2} and {3}: the roles
  ruolo_file_linea,
  ruolo_file_tabella,
  ruolo_file_percorso,
  compila_errore_interno,

  // Warnings and notes of the check pass
};

}  // namespace compattatore
