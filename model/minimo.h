// The smaller of two values, as the ordering of the kilometric references
// and route finishing take it.
#pragma once

#include <cstdint>

namespace compattatore {

// Returns y when x > y, else x.
inline int32_t minimo(int32_t x, int32_t y) { return x > y ? y : x; }

}  // namespace compattatore
