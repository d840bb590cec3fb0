// Rounding as the whole system does it: to the nearest whole number, halves
// to the even neighbour (2.5 -> 2, 3.5 -> 4). Every fractional value that
// becomes a whole number goes through here, computed exactly on integers.
#pragma once

#include <cstdint>

namespace compattatore {

// Returns num / den rounded to the nearest whole number, halves to even.
// Requires den > 0.
constexpr int64_t arrotonda_frazione(int64_t num, int64_t den) {
  int64_t q = num / den;
  int64_t r = num % den;
  if (r < 0) {  // make r lie in [0, den) so that q is the floor
    r += den;
    q -= 1;
  }
  if (2 * r > den || (2 * r == den && (q % 2 != 0))) q += 1;
  return q;
}

// Cell of a position p: round(p / 50).
constexpr int64_t cella_di(int64_t p) { return arrotonda_frazione(p, 50); }

// Cell of a point element at position p: round(p / 50 + 1). Not the same
// as cella_di(p) + 1 on halves: 25 m lands in cell 2 (1.5 rounds to 2).
constexpr int64_t cella_punto(int64_t p) { return arrotonda_frazione(p + 50, 50); }

// Range test of a record at p: passes when (p + margine) / 50, taken
// exactly, is at most ultima_cella.
constexpr bool entro_percorso(int64_t p, int64_t ultima_cella, int64_t margine = 100) {
  return p + margine <= 50 * ultima_cella;
}

}  // namespace compattatore
