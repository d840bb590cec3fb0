// Ordering of the three kilometric references and the smaller of two values.
#pragma once

#include <cstdint>

#include "model/modello.h"

namespace compattatore {

// Puts tabella 81, 82 and 83 in falling order of their first value (or, when
// the first values add up to 0, by which second value is positive), then
// raises the second value by 100 where the third is 1.
void progressive_ordina(modello& m);

// Returns y when x > y, else x.
inline int32_t minimo(int32_t x, int32_t y) { return x > y ? y : x; }

}  // namespace compattatore
