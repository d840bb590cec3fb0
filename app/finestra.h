// The window layer. Where there is a display (DISPLAY set and libX11 found at
// run time), the window is a real one and the error exit shows a modal
// message box (finestra_x11.h). Where there is none, the window and the box
// are the console: the window's label goes to standard output, the message
// to standard error, and nobody is there to press OK, so the error exit does
// not wait. A server lost during the run also falls back to the console.
#pragma once

#include <string>

namespace compattatore {

// Shows the window with its one label, "Attendere", and returns at once with
// the label painted.
void mostra_finestra();

// Shows " Errore n. " followed by `a` (the number as decimal digits), waits
// for OK where there is a display, writes the same message as one line on
// standard error and ends the program with exit status 2.
[[noreturn]] void errore(const std::string& a);

// Returns the message errore shows: " Errore n. " followed by `a`.
std::string messaggio_errore(const std::string& a);

// Makes the window layer load the X library from `nome` instead of the
// system's libX11. For test programs, to run as on a machine without it;
// call it before anything is shown. `nome` must outlive the run.
void usa_libreria_x11(const char* nome);

}  // namespace compattatore
