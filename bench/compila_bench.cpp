// Compiling scenarios in memory: both readers, finishing, and the three
// compiled files encoded to bytes, exactly the compile step of a run minus
// the disk.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "bench/scenario_sintetico.h"
#include "model/modello.h"
#include "pipeline/diagnosi.h"
#include "pipeline/fonte_sorgenti.h"
#include "pipeline/in_memoria.h"
#include "pipeline/memorizza_percorso.h"
#include "sources/testi.h"

namespace compattatore {
namespace {

struct esito {
  int32_t fermo = 0;   // 1250 / 1251, or 0
  std::string errore;  // the stored error in words, empty for none
  size_t byte = 0;     // bytes of the three compiled files
  std::array<int32_t, 256> celle_per_tipo{};  // route cells of each tipo
};

esito compila(const std::string& linea, const std::string& treno, int32_t j) {
  modello m;
  m.nome_linea = "Valmora_Tessa";
  m.nome_treno = "R7736";
  fonte_in_memoria f;
  f.testo_linea = linea;
  f.testo_treno = treno;
  destinazione_in_memoria d;
  esito e;
  raccolta_diagnostiche diagnostiche;
  e.fermo = numero(memorizza_percorso(m, j, f, d, diagnostiche));
  if (m.codice_errore != 0) e.errore = formatta(diagnosi_di(m, "linea", "treno"));
  e.byte = d.linea.byte.size() + d.tabella.byte.size() + d.percorso.byte.size();
  for (const cella& c : m.percorso) ++e.celle_per_tipo[c.tipo];
  benchmark::DoNotOptimize(d);
  return e;
}

// Compiles once outside the timing and stops the benchmark when the
// scenario does not compile cleanly: a figure of a failed compile measures
// the wrong thing.
bool compila_senza_errori(benchmark::State& state, const std::string& linea, const std::string& treno,
                          int32_t j, esito& e) {
  e = compila(linea, treno, j);
  if (e.fermo != 0) {
    state.SkipWithError(("stopped by " + std::to_string(e.fermo)).c_str());
    return false;
  }
  if (!e.errore.empty()) {
    state.SkipWithError(e.errore.c_str());
    return false;
  }
  return true;
}

// Argument: crea_linea (0 without the track plan, 1 with it).
void BM_scenario_incorporato(benchmark::State& state) {
  const int32_t j = static_cast<int32_t>(state.range(0));
  const std::string linea = dati_linea();
  const std::string treno = dati_treno();
  esito e;
  if (!compila_senza_errori(state, linea, treno, j, e)) return;
  for (auto _ : state) benchmark::DoNotOptimize(compila(linea, treno, j));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(e.byte));
}
BENCHMARK(BM_scenario_incorporato)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Argument: route length in km. The counter per_km is the time per route
// kilometre; it should stay flat as the route grows. Every route carries a
// run-out of 7 km past its end (the plan and the cells reach length + 7000 m),
// a fixed share that weighs most on short routes: per_km_esteso is the time
// per kilometre of the extended route.
void BM_scenario_sintetico(benchmark::State& state) {
  const int32_t km = static_cast<int32_t>(state.range(0));
  const scenario_sintetico sc = genera_scenario(km);
  esito e;
  if (!compila_senza_errori(state, sc.linea, sc.treno, 1, e)) return;
  // A record whose keyword the reader does not know is skipped without an
  // error code: check that every element landed, or the figure would
  // measure a smaller scenario.
  const std::pair<int, int32_t> attesi[] = {{1, sc.segnali},    {3, sc.rallentamenti}, {6, sc.indicatori},
                                            {10, sc.stazioni}, {14, sc.cartelli}};
  for (const auto& [tipo, quanti] : attesi) {
    if (e.celle_per_tipo[static_cast<size_t>(tipo)] != quanti) {
      state.SkipWithError(("cells of tipo " + std::to_string(tipo) + ": " +
                           std::to_string(e.celle_per_tipo[static_cast<size_t>(tipo)]) + ", expected " +
                           std::to_string(quanti))
                              .c_str());
      return;
    }
  }
  for (auto _ : state) benchmark::DoNotOptimize(compila(sc.linea, sc.treno, 1));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(e.byte));
  state.counters["per_km"] =
      benchmark::Counter(km, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["per_km_esteso"] = benchmark::Counter(
      (sc.lunghezza + 7000) / 1000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["record"] = sc.curve + sc.pendenze + sc.cartelli + sc.indicatori + sc.segnali + sc.stazioni +
                             sc.rallentamenti + sc.velocita;
}
BENCHMARK(BM_scenario_sintetico)->Arg(10)->Arg(100)->Arg(990)->Unit(benchmark::kMillisecond);

// A destination that takes the line file in pieces of `pezzo` bytes into
// one reused buffer, as the folder's destination writes it: the file's
// bytes are never whole in memory. Counts the bytes handed over.
struct destinazione_a_pezzi : destinazione_file {
  explicit destinazione_a_pezzi(size_t p) : buffer(p) {}
  void scrivi(file_compilato, const std::string&, std::string b) override {
    benchmark::DoNotOptimize(b);
    byte += b.size();
  }
  void scrivi_a_pezzi(file_compilato, const std::string&, size_t, const produttore_byte& produci) override {
    while (size_t n = produci(buffer.data(), buffer.size())) {
      benchmark::DoNotOptimize(buffer.data());
      benchmark::ClobberMemory();
      byte += n;
    }
  }
  std::vector<char> buffer;
  size_t byte = 0;
};

// The whole compile step, the line file handed over in pieces of `pezzo`
// bytes. Returns the bytes handed over.
size_t compila_a_pezzi(const std::string& linea, const std::string& treno, size_t pezzo) {
  modello m;
  m.nome_linea = "Valmora_Tessa";
  m.nome_treno = "R7736";
  fonte_in_memoria f;
  f.testo_linea = linea;
  f.testo_treno = treno;
  destinazione_a_pezzi d(pezzo);
  raccolta_diagnostiche diagnostiche;
  benchmark::DoNotOptimize(memorizza_percorso(m, 1, f, d, diagnostiche));
  return d.byte;
}

// Arguments: route length in km (0: the built-in scenario), piece size in
// bytes. Counters as in BM_scenario_sintetico.
void BM_compila_a_pezzi(benchmark::State& state) {
  const int32_t km = static_cast<int32_t>(state.range(0));
  const size_t pezzo = static_cast<size_t>(state.range(1));
  scenario_sintetico sc;
  if (km == 0) {
    sc.linea = dati_linea();
    sc.treno = dati_treno();
  } else {
    sc = genera_scenario(km);
  }
  esito e;
  if (!compila_senza_errori(state, sc.linea, sc.treno, 1, e)) return;
  if (compila_a_pezzi(sc.linea, sc.treno, pezzo) != e.byte) {
    state.SkipWithError("the pieces do not add up to the files' size");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(compila_a_pezzi(sc.linea, sc.treno, pezzo));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(e.byte));
  if (km == 0) return;
  state.counters["per_km"] =
      benchmark::Counter(km, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["per_km_esteso"] = benchmark::Counter(
      (sc.lunghezza + 7000) / 1000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_compila_a_pezzi)
    ->ArgsProduct({{0, 10, 100, 990}, {64 << 10}})
    ->Args({990, 16 << 10})
    ->Args({990, 256 << 10})
    ->Unit(benchmark::kMillisecond);

// A line source of nothing but route-length records (argument: how many),
// each 993001 m, with the plan: each record sizes the route and the plan
// anew, so only the last one's arrays may cost anything. The time must grow
// with the source's bytes, not with records times plan size (5000 records,
// 140 KB, once took 35 s).
void BM_lunghezze_ripetute(benchmark::State& state) {
  std::string linea = "[generale]\r\n";
  for (int64_t n = 0; n < state.range(0); ++n) linea += "lunghezza percorso,    993001\r\n";
  linea += "[fine]\r\n";
  const std::string treno = "[generale]\r\n[fine]\r\n";
  esito e;
  if (!compila_senza_errori(state, linea, treno, 1, e)) return;
  for (auto _ : state) benchmark::DoNotOptimize(compila(linea, treno, 1));
  state.counters["byte_sorgente"] = static_cast<double>(linea.size());
}
BENCHMARK(BM_lunghezze_ripetute)->Arg(1)->Arg(5000)->Unit(benchmark::kMillisecond);

// The five built-in texts, as the program writes them before compiling.
void BM_testi_incorporati(benchmark::State& state) {
  size_t byte = 0;
  for (auto _ : state) {
    std::string t[] = {dati_linea(), dati_treno(), dati_note(), dati_rallentamenti(), dati_scheda()};
    byte = 0;
    for (const std::string& s : t) byte += s.size();
    benchmark::DoNotOptimize(t);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(byte));
}
BENCHMARK(BM_testi_incorporati)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace compattatore
