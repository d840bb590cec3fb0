// The track plan as the line reader draws it: one point per metre, each
// computed from the two before it, only ever forward.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/modello.h"

namespace compattatore {

// The point index that a step may not pass: a step that leaves the index
// above this value ends the reading with code 103.
inline constexpr int32_t limite_punti_piano = 1000000;

// The last point a plan can hold: computing point limite_punti_piano takes
// the index past the bound. So a plan drawn to its end (lunghezza_estesa - 2)
// holds a route length of at most 993001 m.
inline constexpr int32_t ultimo_punto_piano = limite_punti_piano - 1;

// Returns a plan of metres 0 to `ultimo` with every point empty.
planimetria piano_vuoto(int32_t ultimo);

// Sets points 0 and 1 to the whole numbers (0, 0) and (0, 1): the plan
// starts at the origin heading along +y. The next point to compute is 2.
// A plan of one point (`ultimo` 0, a route length of -7000 m) gets point 0
// only. Requires a sized plan.
void piano_origine(planimetria& p);

// Returns the curvature (radians per metre) of a curve keyword field: 0.0001,
// 0.0002, 0.0004, 0.001, 0.002 or 0.003 for the first of the digits "1" to
// "6" found in it (tested in that order), negated when it holds an "s" in
// either case. Returns nothing when it holds none of the six digits.
std::optional<double> curvatura_di(std::string_view riga);

// Computes points from p.calcolati while p.calcolati <= `fino`, each one step
// of curvature `k` from the two points before it:
//   dx = x(i-1) - x(i-2); dy = y(i-1) - y(i-2);
//   x(i) = x(i-1) + dx + k*dy; y(i) = y(i-1) + dy - k*dx
// Returns false as soon as the index of the next point exceeds
// limite_punti_piano (the point that took it there is written).
// Requires piano_origine done and `fino` <= p.ultimo.
bool traccia_fino_a(planimetria& p, int64_t fino, double k);

}  // namespace compattatore
