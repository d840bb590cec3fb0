// The slow-down order (form "Modulo M. 3"): 46 lines addressed to the driver
// of train 7736. Its table has six columns, inner widths 3, 28, 12, 10, 9 and
// 12, so every table line is 82 characters long; the one entry restates the
// train source's slow-down (70 km/h over 350 m, after kilometre post 123).
#include "sources/impaginazione.h"
#include "sources/luoghi.h"
#include "sources/testi.h"

namespace compattatore {
namespace {

// Returns the 28-character cell naming the two stations the slow-down lies
// between: the first name padded to 9, a dash, two blanks, the second name.
std::string fra_le_stazioni(std::string_view prima, std::string_view seconda) {
  return a_sinistra(a_sinistra(maiuscolo(prima), 9) + "-  " + maiuscolo(seconda), 28);
}

}  // namespace

std::string dati_rallentamenti() {
  using namespace luoghi;
  const std::string riga_vuota = " |   |                            |            |          |         |            |";
  const std::string chiusura = " |___|____________________________|____________|__________|_________|____________|";
  std::vector<std::string> tabella = {
      "",
      "                               Modulo M. 3",
      "                           ORDINE DI RALLENTAMENTO",
      " " + std::string(80, '_'),
      "  Linea  " + maiuscolo(unisci(origine_linea, "/")) + " - " + maiuscolo(destinazione),
      "",
      "  Si ordina al macchinista del treno 7736  di effettuare i seguenti rallentamenti",
      "  " + std::string(79, '_'),
      " |   |                            |Inizio dopo |          |         |            |",
      " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
      " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
      chiusura,
      riga_vuota,
      // The first line names the stations in Italian, the second in German.
      " | 1 |" + fra_le_stazioni(ronde.italiano, pracena.italiano) +
          "|    123     |    70    |   350   |    ---     |",
      " |   |" + fra_le_stazioni(ronde.tedesco, pracena.tedesco) +
          "|            |          |         |            |",
  };
  for (int i = 0; i < 23; ++i) tabella.push_back(riga_vuota);
  const std::vector<std::string> coda = {
      chiusura,
      "",
      "              Prescrizioni specifiche",
      " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
      " B - Interessa anche la stazione di.......",
      // The legend keeps this order, D before C, and the form's own
      // spelling of its D line.
      " D - Rallentamneto N. ... e N. ...  sono contigui",
      " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
      "     i giorni esclusi i seguenti:.........",
      std::string(marcatore_fine),
  };
  tabella.insert(tabella.end(), coda.begin(), coda.end());
  return scrivi_righe(tabella);
}

}  // namespace compattatore
