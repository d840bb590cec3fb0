// The notes for the driver: 22 lines of Italian prose. They are the only text
// with letters outside ASCII: "\xE8" and "\xE0" (e grave, a grave) in code
// page 1252, one byte each, on line 8 and "\xE8" on lines 17 to 19.
#include "sources/luoghi.h"
#include "sources/testi.h"

namespace compattatore {

std::string dati_note() {
  using namespace luoghi;
  const std::string partenza(prima_stazione.italiano);
  std::vector<std::string> tabella = {
      "AUTORE: Ottorino Valdemarca",
      "INDIRIZZO EMAIL: otv@example.org",
      "NUMERO PROGRESSIVO SCENARIO: 2",
      "DATA REALIZZAZIONE SCENARIO: 25.03.2001",
      "",
      "",
      "I dati planimetrici della linea (le caratteristiche delle curve, la posizione dei tratti in",
      "pendenza e dei segnali) non sono del tutto fedeli alla realt\xE0: la linea \xE8 stata ricostruita a",
      // This line keeps its trailing blank.
      "memoria, dopo molti anni passati a percorrere questa tratta come viaggiatore; ritengo ",
      "comunque che questi dati si possano considerare sufficientemente attendibili.",
      "Sono invece esatte, nei limiti consentiti dal simulatore di guida, le posizioni delle",
      "stazioni e dei dieci passaggi a livello ancora in esercizio; una ventina di altri passaggi",
      "a livello presenti sulla tratta sono stati soppressi fra il 1990 e il 1995, e per questo",
      "non compaiono nello scenario.",
      "Il treno scelto per questo scenario, un diretto, corre da " + partenza + " a " +
          std::string(destinazione) + ", ma",
      "nella simulazione lo si vede soltanto sul tratto di linea " + partenza + " - " +
          std::string(ultima_stazione) + "; fra le due stazioni",
      "sono previste due fermate intermedie; il segnale di protezione di un passaggio a livello \xE8",
      "momentaneamente disposto a via impedita ed \xE8 in vigore una prescrizione di rallentamento;",
      "l'aderenza, discreta alla partenza, \xE8 destinata in seguito a peggiorare.",
      "Anche in questo scenario, come nel primo (" + std::string(chiave_primo_scenario) +
          "), i toponimi della valle sono",
      "bilingui.",
      "",
      std::string(marcatore_fine),
  };
  return scrivi_righe(tabella);
}

}  // namespace compattatore
