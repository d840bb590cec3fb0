// Whether writing a compiled file would change one of the sources.
#pragma once

#include <string>

namespace compattatore {

// Returns true when replacing the directory entry `uscita` (as the safe
// write does: rename over the name, never following a link there) would
// replace or change the file read as `ingresso`: the entry is the input
// file itself or the very link the input was read through. Another name of
// the input (a hard link) counts too: replacing it would leave the input as
// it is, but a compiled file's name on a source is surely a mistake, and
// refusing keeps the source safe whichever name the author meant.
// Returns false when `uscita` does not exist.
bool scrittura_tocca(const std::string& ingresso, const std::string& uscita);

}  // namespace compattatore
