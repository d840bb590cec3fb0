#include "compiler/diagnostica.h"

#include "compiler/lettore_linea_piano.h"
#include "compiler/testo_sicuro.h"

namespace compattatore {

bool codice_noto(int32_t codice) {
  return (codice >= 0 && codice <= 13) || (codice >= 15 && codice <= 22) || codice == 24 ||
         codice == 25 || codice == 101 || codice == 102 || codice == 103 || codice == 1250 ||
         codice == 1251;
}

namespace {

std::string motivo_in_parole(motivo_fallimento motivo) {
  switch (motivo) {
    case motivo_fallimento::testo_finito: return "il testo finisce dentro un record";
    case motivo_fallimento::non_numero: return "un valore non e' un numero intero";
    case motivo_fallimento::fuori_32_bit: return "un valore non sta in 32 bit";
    case motivo_fallimento::fuori_16_bit: return "un valore non sta in 16 bit";
    case motivo_fallimento::fuori_byte: return "un valore non sta in un byte (da 0 a 255)";
    case motivo_fallimento::velocita_fuori_byte:
      return "una velocita' divisa per 5 non sta in un byte (da 0 a 1277)";
    case motivo_fallimento::percorso_mancante:
      return "manca la lunghezza del percorso prima degli elementi della linea";
    case motivo_fallimento::sorgente_illeggibile: return "la sorgente non si puo' leggere";
    case motivo_fallimento::testo_troppo_lungo: return "un nome supera 65535 caratteri";
    case motivo_fallimento::piano_al_limite:
    case motivo_fallimento::nessuno: break;
  }
  return "errore imprevisto di lettura";
}

}  // namespace

std::string significato(int32_t codice, motivo_fallimento motivo) {
  switch (codice) {
    case 1: return "lunghezza del percorso fuori da -7000 a 1000000 m";
    case 2: return "progressiva chilometrica non multipla di 50";
    case 3: return "inizio della ripetizione segnali non multiplo di 50";
    case 4: return "fine della ripetizione segnali non multipla di 50";
    case 5: return "la ripetizione segnali non indica 4 o 9 codici";
    case 6: return "la cella del cartello e' occupata";
    case 7: return "la cella dell'abbattimento e' occupata o fuori dal percorso";
    case 8: return "posizione della stazione non multipla di 50";
    case 9: return "lunghezza della stazione non multipla di 100";
    case 10: return "stazioni e cartelli superano i posti della tabella";
    case 11: return "nessuna cella libera per l'abbattimento davanti al segnale che precede un avviso di rallentamento";
    case 12: return "nessuna cella libera per l'abbattimento prima dell'inizio del rallentamento";
    case 13: return "nessuna cella libera per l'abbattimento lungo il rallentamento o davanti al segnale che lo segue";
    case 15: return "elemento oltre la fine del percorso esteso";
    case 16: return "la cella del segnale e' occupata o fuori dal percorso";
    case 17: return "la cella dell'avviso di rallentamento e' occupata";
    case 18: return "la cella d'inizio del rallentamento e' occupata o fuori dal percorso";
    case 19: return "la cella di fine del rallentamento e' occupata o fuori dal percorso";
    case 20: return "una cella d'approccio del rallentamento e' occupata";
    case 21: return "la cella degli indicatori di velocita' e' occupata, o gli elementi montagna sono piu' di 80";
    case 22: return "stazione a meno di 350 m dalla fine della precedente";
    case 24: return "la stazione finisce nella cella 1 o prima";
    case 25: return motivo_in_parole(motivo);
    case 101: return "manca la sorgente della linea";
    case 102: return "manca la sezione [generale]";
    case 103:
      if (motivo == motivo_fallimento::piano_al_limite)
        return "il percorso esteso supera l'ultimo punto che la planimetria puo' contenere (metro " +
               std::to_string(ultimo_punto_piano) + ")";
      return "curva senza classe (cifra da 1 a 6) o oltre la fine della planimetria";
    case 1250: return "il primo valore della cella d'intestazione (cella 1) e' gia' occupato";
    case 1251: return "il secondo valore della cella d'intestazione (cella 1) e' gia' occupato";
    default: return "errore sconosciuto";
  }
}

diagnosi diagnosi_di(const modello& m, const std::string& file_linea, const std::string& file_treno) {
  diagnosi d;
  d.codice = m.codice_errore;
  if (d.codice == 0) return d;
  if (m.posizione_valida) d.posizione = m.posizione_errore;
  if (m.sorgente_errore == sorgente::linea) d.dove.file = file_linea;
  if (m.sorgente_errore == sorgente::treno) d.dove.file = file_treno;
  if (!d.dove.file.empty()) d.dove.riga = m.riga_errore;
  d.messaggio = significato(d.codice, m.motivo_errore);
  return d;
}

std::string formatta(const diagnosi& d) {
  // A file name or a message may hold a line end or other control bytes
  // (a name, a key): escaped, they cannot forge a line of their own.
  std::string s;
  if (!d.dove.file.empty()) {
    s += testo_sicuro(d.dove.file);
    if (d.dove.riga > 0) s += ":" + std::to_string(d.dove.riga);
    s += ": ";
  }
  s += "errore " + std::to_string(d.codice) + ": " + testo_sicuro(d.messaggio);
  if (d.posizione) s += " (posizione " + std::to_string(*d.posizione) + " m)";
  return s;
}

}  // namespace compattatore
