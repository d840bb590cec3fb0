// Ordering of the three kilometric references.
#pragma once

#include <cstdint>

#include "model/modello.h"

namespace compattatore {

// Puts tabella 81, 82 and 83 in falling order of their first value (or, when
// the first values add up to 0, by which second value is positive), then
// raises the second value by 100 where the third is 1.
void progressive_ordina(modello& m);

}  // namespace compattatore
