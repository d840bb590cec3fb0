// Synthetic scenarios for the benchmarks: a line source and a train source
// for a route of any length, with records at the density of a real line, so
// that the cost per route kilometre can be compared from short to long
// routes.
#pragma once

#include <cstdint>
#include <string>

namespace compattatore {

struct scenario_sintetico {
  int32_t lunghezza = 0;  // route length, metres
  std::string linea;      // the line source text
  std::string treno;      // the train source text

  // How many records of each kind the texts hold.
  int32_t curve = 0, pendenze = 0, cartelli = 0, indicatori = 0;
  int32_t segnali = 0, stazioni = 0, rallentamenti = 0, velocita = 0;
};

// Returns the scenario of a route of `km` kilometres: a curve (200 m,
// alternately left and right) and a gradient every 500 m, a signal every
// 1.5 km, a sign every 2 km, a station every 5 km, a speed indicator and a
// speed change every 10 km and 5 km, a slow-down every 20 km.
//
// Stations and signs share 78 entries of the table, so on long routes they
// are spaced out: at most 30 stations and 45 signs, evenly spread (990 km:
// a station every 33 km, a sign every 22 km).
//
// Every point element is placed on a cell at least two cells away from any
// other element's cells, so the scenario compiles with no error code.
// Requires 10 <= km <= 990.
scenario_sintetico genera_scenario(int32_t km);

}  // namespace compattatore
