// The window layer. This machine has no window system, so the window and the
// message box are the console: the window's label goes to standard output,
// the message box to standard error. Nobody is there to press OK, so the
// error exit does not wait.
#pragma once

#include <string>

namespace compattatore {

// Shows the window with its one label, "Attendere".
void mostra_finestra();

// Shows " Errore n. " followed by `a` (the number as decimal digits) and ends
// the program at once with exit status 2.
[[noreturn]] void errore(const std::string& a);

// Returns the message errore shows: " Errore n. " followed by `a`.
std::string messaggio_errore(const std::string& a);

}  // namespace compattatore
