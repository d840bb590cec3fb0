// Named temporary files of the platform layer: their one naming pattern,
// the removal of a run's own temporary files when SIGINT, SIGTERM or SIGHUP
// ends it, and the removal of leftovers of killed runs.
//
// A temporary name is ".compattatore-" + 12 hex digits + ".tmp": 30 bytes
// whatever the final name, so a final name the file system accepts never
// fails for its temporary name. Both programs use the same pattern and
// remove leftovers only in a folder they hold locked, so they never remove
// a file another run is still writing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace compattatore {

inline constexpr size_t lunghezza_nome_temporaneo = 30;

// Returns a fresh random temporary name (no folder part).
std::string nome_temporaneo_nuovo();

// Returns true when `nome` has the pattern of a temporary name.
bool e_nome_temporaneo(std::string_view nome);

// Records that the temporary file `nome` (a temporary name) in the folder
// open as `cartella_fd` exists or is about to: a signal that ends the run
// removes it. Returns the slot to give back to dimentica_temporaneo, or -1
// when every slot is taken (the file is then left to a later run's cleanup).
int ricorda_temporaneo(int cartella_fd, std::string_view nome);

// The temporary file of `slot` was renamed or removed. -1 does nothing.
void dimentica_temporaneo(int slot);

// Installs the handlers for SIGINT, SIGTERM and SIGHUP: each removes the
// temporary files recorded above, then ends the process by the same signal
// with its default action. The handlers call only async-signal-safe
// functions.
void installa_pulizia_segnali();

// Removes every file with the temporary pattern in the folder open as
// `cartella_fd`. Requires the folder locked by this run. Files it cannot
// remove are left.
void rimuovi_avanzi(int cartella_fd);

}  // namespace compattatore
