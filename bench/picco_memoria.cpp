// Peak memory of compiling a synthetic route with the track plan and writing
// its line file, for /usr/bin/time -v (bench/misura_memoria.sh runs it).
//
// Usage: picco_memoria KM MODO FILE
//   KM     route length in km, 10 to 990; 0 does nothing at all, so that the
//          process's own baseline can be measured the same way;
//   MODO   "intero": the compile step as the programs run it today, the line
//          file encoded whole and then written;
//          "pezzi": the line file encoded in pieces of 64 KiB into one
//          buffer, each written as soon as it is full;
//   FILE   where the line file goes (replaced).
// Prints the size of the plan's own arrays (x and y, 8 bytes a metre each)
// in kB. Exit status 1 on a failed compile or write, 2 on bad arguments.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "bench/scenario_sintetico.h"
#include "model/diagnostica.h"
#include "model/modello.h"
#include "pipeline/in_memoria.h"
#include "pipeline/memorizza_percorso.h"

namespace compattatore {
namespace {

bool scrivi_tutto(int fd, std::string_view b) {
  while (!b.empty()) {
    ssize_t n = ::write(fd, b.data(), b.size());
    if (n <= 0) return false;
    b.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Writes the line file as it is handed over; the other two are dropped.
// Whole (`a_pezzi` false) it takes the line file collected into one string,
// as a destination that keeps files whole does; in pieces it writes it
// through one 64 KiB buffer, as the folder's destination does.
struct destinazione_fd : destinazione_file {
  int fd;
  bool a_pezzi;
  bool riuscito = true;
  destinazione_fd(int f, bool p) : fd(f), a_pezzi(p) {}
  void scrivi(file_compilato quale, const std::string&, std::string byte) override {
    if (quale == file_compilato::linea) riuscito = scrivi_tutto(fd, byte) && riuscito;
  }
  void scrivi_a_pezzi(file_compilato quale, const std::string& nome, size_t totale,
                      const produttore_byte& produci) override {
    if (!a_pezzi) return destinazione_file::scrivi_a_pezzi(quale, nome, totale, produci);
    std::vector<char> buffer(64 << 10);
    while (size_t n = produci(buffer.data(), buffer.size()))
      riuscito = scrivi_tutto(fd, {buffer.data(), n}) && riuscito;
  }
};

int esegui(int32_t km, std::string_view modo, const char* file) {
  scenario_sintetico sc = genera_scenario(km);
  modello m;
  m.nome_linea = "Valmora_Tessa";
  m.nome_treno = "R7736";
  fonte_in_memoria f;
  f.testo_linea = std::move(sc.linea);
  f.testo_treno = std::move(sc.treno);
  const int fd = ::open(file, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return 1;
  raccolta_diagnostiche diagnostiche;
  destinazione_fd d(fd, modo != "intero");
  bool riuscito = memorizza_percorso(m, 1, f, d, diagnostiche) == codice::nessuno && d.riuscito;
  riuscito = ::close(fd) == 0 && riuscito && m.codice_errore == 0;
  std::printf("%zu\n", (m.plan.x.capacity() + m.plan.y.capacity()) * sizeof(double) / 1024);
  return riuscito ? 0 : 1;
}

}  // namespace
}  // namespace compattatore

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: picco_memoria KM intero|pezzi FILE\n", stderr);
    return 2;
  }
  const int32_t km = std::atoi(argv[1]);
  const std::string_view modo = argv[2];
  if (km == 0) return 0;
  if (km < 10 || km > 990 || (modo != "intero" && modo != "pezzi")) {
    std::fputs("picco_memoria: KM from 10 to 990, MODO intero or pezzi\n", stderr);
    return 2;
  }
  return compattatore::esegui(km, modo, argv[3]);
}
