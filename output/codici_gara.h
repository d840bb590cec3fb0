// The two competition codes that tie a compiled scenario to its keys. Both
// are sums over the first 25 characters of W = lower case(train key + route
// key) + "aabbccddeeffgghhiillmmnnoo", read from tabella 86 and 85.
#pragma once

#include <cstdint>

#include "model/modello.h"

namespace compattatore {

// Returns c(1) + c(2) + ... + c(25), the code of the route file.
int16_t codice_gara_og(const modello& m);

// Returns 1 x c(1) + 2 x c(2) + ... + 25 x c(25), the code of the table file.
int32_t codice_gara_st(const modello& m);

}  // namespace compattatore
