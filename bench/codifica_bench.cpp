// Encoding the three compiled files alone, on a model compiled once: the
// built-in scenario (argument 0) or a synthetic route of that many km.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/scenario_sintetico.h"
#include "pipeline/in_memoria.h"
#include "model/modello.h"
#include "output/file_compilati.h"
#include "pipeline/memorizza_percorso.h"
#include "sources/testi.h"

namespace compattatore {
namespace {

// Returns the model of a scenario compiled with the track plan, or null when
// it did not compile cleanly.
std::unique_ptr<modello> modello_compilato(int32_t km) {
  auto m = std::make_unique<modello>();
  m->nome_linea = "Valmora_Tessa";
  m->nome_treno = "R7736";
  fonte_in_memoria f;
  if (km == 0) {
    f.testo_linea = dati_linea();
    f.testo_treno = dati_treno();
  } else {
    scenario_sintetico sc = genera_scenario(km);
    f.testo_linea = std::move(sc.linea);
    f.testo_treno = std::move(sc.treno);
  }
  destinazione_in_memoria d;
  raccolta_diagnostiche diagnostiche;
  if (memorizza_percorso(*m, 1, f, d, diagnostiche) != codice::nessuno || m->codice_errore != 0) return nullptr;
  return m;
}

template <typename Codifica>
void misura(benchmark::State& state, Codifica codifica) {
  std::unique_ptr<modello> m = modello_compilato(static_cast<int32_t>(state.range(0)));
  if (!m) {
    state.SkipWithError("the scenario does not compile cleanly");
    return;
  }
  size_t byte = 0;
  for (auto _ : state) {
    std::string b = codifica(*m);
    byte = b.size();
    benchmark::DoNotOptimize(b);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(byte));
}

void BM_codifica_linea(benchmark::State& state) {
  misura(state, [](const modello& m) { return codifica_linea(m.plan); });
}
void BM_codifica_tabella(benchmark::State& state) {
  misura(state, [](const modello& m) { return codifica_tabella(m.tabella); });
}
void BM_codifica_percorso(benchmark::State& state) {
  misura(state, [](const modello& m) { return codifica_percorso(m.percorso); });
}
BENCHMARK(BM_codifica_linea)->Arg(0)->Arg(990)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_codifica_tabella)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_codifica_percorso)->Arg(0)->Arg(990)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace compattatore
