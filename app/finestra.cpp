#include "app/finestra.h"

#include <cstdio>
#include <cstdlib>

namespace compattatore {

void mostra_finestra() {
  std::fputs("Attendere\n", stdout);
  std::fflush(stdout);
}

std::string messaggio_errore(const std::string& a) { return " Errore n. " + a; }

void errore(const std::string& a) {
  std::string riga = messaggio_errore(a) + "\n";
  std::fputs(riga.c_str(), stderr);
  std::fflush(stdout);
  std::exit(2);
}

}  // namespace compattatore
