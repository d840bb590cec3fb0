// The places of the built-in scenario. The two sources and the three driver
// documents all take their place names from here, so that a station, a river
// or the province reads the same in every text. Names are in mixed case,
// code page 1252; each text derives the upper-case form it prints.
//
// The region is bilingual (Italian and German) up to the provincial border
// at 33600 m; the stations beyond it have one name. The route key
// "Valmora_Tessa" names the first station and the town the train runs to.
#pragma once

#include <string>
#include <string_view>

namespace compattatore::luoghi {

struct nome_bilingue {
  std::string_view italiano;
  std::string_view tedesco;
};

// Returns the two names joined by `separatore` ("/", " / " or "/ ").
inline std::string unisci(const nome_bilingue& n, std::string_view separatore) {
  std::string testo(n.italiano);
  testo += separatore;
  testo += n.tedesco;
  return testo;
}

// Stations of the route, in order of position.
inline constexpr nome_bilingue prima_stazione{"Valmora", "Almau"};  // 0 m
inline constexpr nome_bilingue bivio{"Lesta", "Lesten"};            // 1600 m, junction
inline constexpr nome_bilingue selvana{"Selvana", "Selwan"};        // 7800 m
inline constexpr nome_bilingue tovenara{"Tovenara", "Tofenhof"};    // 11000 m
inline constexpr nome_bilingue lovo{"Lovo", "Lof"};                 // 16150 m, first stop
inline constexpr nome_bilingue covela{"Covela", "Kofeln"};          // 21900 m
inline constexpr nome_bilingue ronde{"Rond\xE8", "Rundach"};        // 25900 m
inline constexpr nome_bilingue pracena{"Pracena", "Prazen"};        // 31300 m
inline constexpr std::string_view pieve_lunga = "Pieve Lunga";      // 38700 m, second stop
inline constexpr std::string_view lurna = "Lurna";                  // 46000 m
// The last station (55500 m, its goods yard at 53800 m) and its province.
inline constexpr std::string_view ultima_stazione = "Merisa";

// Where the train runs to, beyond the simulated route, in full and as the
// timetable sheet abbreviates it.
inline constexpr std::string_view destinazione = "Tessa Porta Grande";
inline constexpr std::string_view destinazione_breve = "Tessa P.Gr.";

// The town the railway line is named after at its far end from Tessa.
inline constexpr nome_bilingue origine_linea{"Solvena", "Solbenau"};

// Rivers and bridges named by the sign boards.
inline constexpr std::string_view fiume_valmora = "Ardesa";  // bridge at 450 m
inline constexpr std::string_view fiume_ponti = "Talva";     // bridges 1 (17200 m) and 2 (40400 m)
inline constexpr std::string_view ponte_dei = "Gufi";        // bridge at 48300 m, "dei Gufi"
inline constexpr std::string_view fiume_gufi = "Vidora";     // its river

// The key of the first scenario of the series, named by the notes.
inline constexpr std::string_view chiave_primo_scenario = "Solvena_Valmora_R21803";

}  // namespace compattatore::luoghi
