// The timetable sheet of train 7736: 48 lines. A title block, a block with
// the classification and the blocked mass, and the timetable, a table of
// seven columns of inner widths 5, 5, 10, 5, 28, 16 and 5, so that every line
// of the title block and of the timetable is 83 characters long.
#include "sources/impaginazione.h"
#include "sources/luoghi.h"
#include "sources/testi.h"

namespace compattatore {
namespace {

// One row of the timetable; an empty text leaves its cell blank.
struct riga_orario {
  std::string_view velocita_limite;
  std::string_view chilometro;
  std::string_view rs;
  std::string localita;
  std::string_view arrivo;    // left slot of the time cell
  std::string_view transito;  // middle slot
  std::string_view partenza;  // right slot
  std::string_view recupero;
};

// Returns the 16-character time cell: the slots begin at its characters 1, 5
// and 10, counted from 0.
std::string cella_orario(const riga_orario& r) {
  std::string cella(16, ' ');
  cella.replace(1, r.arrivo.size(), r.arrivo);
  cella.replace(5, r.transito.size(), r.transito);
  cella.replace(10, r.partenza.size(), r.partenza);
  return cella;
}

// Returns a 5-character cell holding a number right-aligned in its first 4.
std::string cella_numero(std::string_view numero) { return a_destra(numero, 4) + " "; }

std::string componi(const riga_orario& r) {
  const std::string recupero = r.recupero.empty() ? "     " : " " + std::string(r.recupero) + " ";
  return " |" + cella_numero(r.velocita_limite) + "|     |" + a_destra(r.chilometro, 8) + "  |" +
         cella_numero(r.rs) + "|  " + a_sinistra(r.localita, 26) + "|" + cella_orario(r) + "|" + recupero + "|";
}

std::string stazione(const luoghi::nome_bilingue& n) { return maiuscolo(unisci(n, "/")); }

}  // namespace

std::string dati_scheda() {
  using namespace luoghi;
  const std::string ultima = maiuscolo(ultima_stazione);
  const std::string scalo = ultima + " scalo";
  const std::string deviatoio = "deviatoio di uscita";
  const std::string riga_vuota =
      " |     |     |          |     |                            |                |     |";
  const std::string chiusura =
      " |_____|_____|__________|_____|____________________________|________________|_____|";

  const riga_orario orario[] = {
      {"30", "150.200", "30", stazione(prima_stazione), "", "", "15.29", ""},
      {"100", "149.550", "100", deviatoio, "", "15.30", "", ""},
      {"150", "148.900", "130", "Km 148.900", "", "15.30+", "", ""},
      {"", "142.500", "", stazione(selvana), "", "15.34", "", ""},
      {"", "139.300", "", stazione(tovenara), "", "15.36", "", ""},
      {"", "134.150", "", stazione(lovo), "15.39+", "", "15.40", "1.0"},
      {"120", "133.750", "120", deviatoio, "", "15.40+", "", ""},
      {"150", "131.800", "130", "Km 131.800", "", "15.42", "", ""},
      {"", "128.400", "", stazione(covela), "", "15.43", "", ""},
      {"", "124.400", "", stazione(ronde), "", "15.46", "", ""},
      {"", "119.000", "", stazione(pracena), "", "15.47", "", "1.0"},
      {"135", "118.500", "", deviatoio, "", "15.47+", "", ""},
      {"", "111.600", "", maiuscolo(pieve_lunga), "15.52+", "", "15.53", "0.5"},
      {"120", "111.150", "120", deviatoio, "", "15.53+", "", ""},
      {"135", "108.550", "130", "Km.108.550", "", "15.55", "", ""},
      {"", "105.300", "", maiuscolo(lurna), "", "15.57", "", ""},
      {"75", "97.350", "75", "segn. prot. " + scalo, "", "16.01", "", ""},
      {"", "95.350", "", scalo, "", "16.03", "", ""},
      {"", "94.800", "", ultima, "16.06", "", "", ""},
  };

  std::vector<std::string> tabella = {
      "",
      "",
      " ",
      "  ___________________                                               ______________",
      " |                   |                    SCHEDA                   |              |",
      // "da:" and "a:" put their colons in the same column.
      " |   TRENO n.7736    |" + a_sinistra(std::string(19, ' ') + "da: " + stazione(prima_stazione), 45) +
          "|    V160 B    |",
      " |___________________|" + a_sinistra(std::string(20, ' ') + "a: " + maiuscolo(destinazione_breve), 45) +
          "|     120%     |",
      "                                                                   |______________|",
      "  ___________________                ___________________",
      " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
      " |   DIRETTO         |              |      400T         |",
      " |___________________|              |___________________|",
      "",
      "  " + std::string(80, '_'),
      " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
      " | Lim.|Marc.|          |  Rs |                            |                |     |",
      chiusura,
      riga_vuota,
  };
  for (const riga_orario& r : orario) tabella.push_back(componi(r));
  tabella.push_back(riga_vuota);
  tabella.push_back(riga_vuota);
  tabella.push_back(" |     |" +
                    a_sinistra("   SEGUONO INFORMAZIONI TRATTO " + ultima + " - " + maiuscolo(destinazione), 68) +
                    "|     |");
  for (int i = 0; i < 6; ++i) tabella.push_back(riga_vuota);
  tabella.push_back(chiusura);
  tabella.push_back("");
  tabella.push_back(std::string(marcatore_fine));
  return scrivi_righe(tabella);
}

}  // namespace compattatore
