// A test program for the window layer: shows the window as the one-shot
// program does, then ends through the error exit with 1251, the way a header
// guard ends the run (the built-in scenario never trips one).
//
//   prova_finestra [--tieni] [--libreria NOME]
//
// After the window is shown it writes "pronto" on standard output. With
// --tieni it then waits for a line (or the end) on standard input before the
// error exit, so that a test can look at the window first. --libreria makes
// the window layer load the X library from NOME.
#include <cstdio>
#include <cstring>

#include "app/finestra.h"

int main(int argc, char** argv) {
  bool tieni = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--tieni") == 0) {
      tieni = true;
    } else if (std::strcmp(argv[i], "--libreria") == 0 && i + 1 < argc) {
      compattatore::usa_libreria_x11(argv[++i]);
    } else {
      std::fprintf(stderr, "uso: prova_finestra [--tieni] [--libreria NOME]\n");
      return 64;
    }
  }
  compattatore::mostra_finestra();
  std::fputs("pronto\n", stdout);
  std::fflush(stdout);
  if (tieni) {
    char riga[16];
    if (!std::fgets(riga, sizeof riga, stdin)) {
      // End of input: go on all the same.
    }
  }
  compattatore::errore("1251");
}
