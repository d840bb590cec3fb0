// The built-in train source: 58 lines. Apart from the general records and the
// clock, every value stands right-aligned in a fixed width after its comma,
// so that the columns line up; a station line ends with a comma, a blank and
// the station's name.
#include "sources/impaginazione.h"
#include "sources/luoghi.h"
#include "sources/testi.h"

namespace compattatore {

std::string dati_treno() {
  using namespace luoghi;
  const std::string ultima = maiuscolo(ultima_stazione);
  std::vector<std::string> tabella = {
      "[generale]",
      "numero vetture,    6",
      "percentuale massa frenata,    120",
      "sabbia,    300",
      // Hours, minutes and seconds share one field; the line keeps its
      // trailing blank.
      "orologio,    15              28            20 ",
      "[aderenze]",
      "aderenza,       0,    75",
      "aderenza,   26200,    60",
      "[vel_limite]",
      "velocita,       0,    30",
      "velocita,     700,   100",
      "velocita,    1400,   150",
      "velocita,   16550,   120",
      "velocita,   18500,   150",
      "velocita,   31800,   135",
      "velocita,   39150,   120",
      "velocita,   41750,   135",
      "velocita,   52950,    75",
      "[stazioni]",
      "stazione,       0, 12, 1000,  1, 0, 0,  4,1,0,  2,1,1,    1,  15,29, 0, " +
          maiuscolo(unisci(prima_stazione, " / ")),
      "stazione,    1600, 27,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, " +
          ("Bivio " + unisci(bivio, "/")),
      "stazione,    7800, 24,  200,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, 0, " + unisci(selvana, " / "),
      "stazione,   11000, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, " + unisci(tovenara, " / "),
      "stazione,   16150, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,   30,  15,40, 0, " + unisci(lovo, " / "),
      "stazione,   21900, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, " + unisci(covela, " / "),
      // This one station is written with the blank after the slash only.
      "stazione,   25900, 24,  500,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, 0, " + unisci(ronde, "/ "),
      "stazione,   31300, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, " + unisci(pracena, " / "),
      "stazione,   38700, 12,  600,  0, 0, 0,  1,1,0,  4,1,1,   30,  15,53, 0, " + std::string(pieve_lunga),
      "stazione,   46000, 12,  500,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, " + std::string(lurna),
      "stazione,   53800, 11, 1400,  0, 0, 0,  1,1,0,  3,1,1,    0,   0, 0, 0, " + ultima + " SCALO",
      "stazione,   55500, 12,  700,  0, 0, 0,  1,1,0,  2,1,1,    0,  16, 6, 0, " + ultima,
      "[rallentamenti]",
      "rallentamento,   27900,    70,  350, 0,  1,  0",
      "[segnali]",
      "segnale,    1350,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
      "segnale,    5500,   1, 4, 0,  0, 0,    0,  3,0,0, 0",
      "segnale,    7100,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
      "segnale,    9450,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   10200,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   13000,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
      "segnale,   14150,   2, 5, 1,  0, 0,    2,  3,1,0, 0",
      "segnale,   15500,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   19900,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
      "segnale,   21250,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   24000,   1, 4, 0,  0, 0,    0,  3,0,0, 0",
      "segnale,   25350,   2, 4, 0,  0, 0,    0,  2,0,0, 0",
      "segnale,   29350,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
      "segnale,   30700,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   36750,   1, 5, 1,  0, 0,    1,  3,1,0, 0",
      "segnale,   38100,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   42150,   1, 4, 1,  0, 0,    1,  1,1,0, 0",
      "segnale,   43500,   2, 3, 1,  0, 0,    2,  3,1,0, 0",
      // The one signal that carries a time of its own.
      "segnale,   45400,   2, 4, 1,  0, 0,    2,  2,1,0, 240",
      "segnale,   50250,   1, 4, 1,  1, 0,    1,  3,1,1, 0",
      "segnale,   51600,   2, 4, 1,  1, 0,    2,  2,1,1, 0",
      "segnale,   52950,   2, 4, 1,  1, 0,    2,  2,1,1, 0",
      "[codici]",
      "[fine]",
      std::string(marcatore_fine),
  };
  return scrivi_righe(tabella);
}

}  // namespace compattatore
