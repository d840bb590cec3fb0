// A compiled file handed over in pieces: what a destination needs to write a
// file whose bytes never exist whole in memory. The line file, 20 bytes a
// metre of the plan, is the one that needs it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "model/modello.h"

namespace compattatore {

// Gives a file's next bytes: writes up to `n` of them at `b` and returns how
// many; returns 0 once the whole file has been given. Each call continues
// where the last one stopped, whatever sizes were asked for.
using produttore_byte = std::function<size_t(char* b, size_t n)>;

// Returns a producer of the line file of `p`, exactly codifica_linea(p) when
// joined. Requires `p` to outlive the producer, unchanged while it is used.
produttore_byte produttore_linea(const planimetria& p);

// Returns all the bytes `produci` still gives, in one string: what a
// destination that keeps files whole does with a file in pieces.
// `totale`, the bytes expected, sizes the string at once; a producer that
// gives more or fewer still yields exactly what it gave.
std::string raccogli(const produttore_byte& produci, size_t totale);

}  // namespace compattatore
