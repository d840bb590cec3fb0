#include "app/finestra.h"

#include <cstdio>
#include <cstdlib>

#include "app/finestra_x11.h"

namespace compattatore {

namespace {

// The X library is the system's own; test programs may name another.
const char* libreria_x11 = "libX11.so.6";

}  // namespace

void usa_libreria_x11(const char* nome) { libreria_x11 = nome; }

void mostra_finestra() {
  if (mostra_finestra_x11(libreria_x11)) return;
  std::fputs("Attendere\n", stdout);
  std::fflush(stdout);
}

std::string messaggio_errore(const std::string& a) { return " Errore n. " + a; }

void errore(const std::string& a) {
  const std::string messaggio = messaggio_errore(a);
  // The box first, where there is a display; the line on standard error in
  // every case, so that whoever started the program also reads why it ended
  // with status 2.
  mostra_messaggio_x11(libreria_x11, messaggio.c_str());
  std::string riga = messaggio + "\n";
  std::fputs(riga.c_str(), stderr);
  std::fflush(stdout);
  std::exit(2);
}

}  // namespace compattatore
