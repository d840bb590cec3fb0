// Writes the built-in scenario's two sources to standard output as one input
// of the fuzz target (flags byte 0x01: with the track plan), for the seed
// corpus. See rigenera_semi.sh.
#include <cstdio>
#include <string>

#include "sources/testi.h"

int main() {
  std::string seme = "\x01" + compattatore::dati_linea();
  seme.push_back('\0');
  seme += compattatore::dati_treno();
  return std::fwrite(seme.data(), 1, seme.size(), stdout) == seme.size() && std::fflush(stdout) == 0 ? 0 : 1;
}
