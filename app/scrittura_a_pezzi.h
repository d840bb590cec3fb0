// Writing a file handed over in pieces to an open descriptor, through one
// buffer of fixed size: the file's bytes never exist whole in memory.
#pragma once

#include <cstddef>
#include <string>

#include "output/file_a_pezzi.h"

namespace compattatore {

inline constexpr size_t pezzo_scrittura = 64 * 1024;

// Writes everything `produci` gives to `fd`, from where the descriptor
// stands, a buffer of `pezzo` bytes at a time; returns the bytes written.
// Throws errore_piattaforma naming `percorso` when a write fails (a short
// write is continued, an interrupted one retried).
// Requires pezzo > 0.
size_t scrivi_a_pezzi(int fd, const produttore_byte& produci, const std::string& percorso,
                      size_t pezzo = pezzo_scrittura);

}  // namespace compattatore
