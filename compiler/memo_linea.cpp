// The two recorders called by the line reader: montagna elements and
// maximum-speed indicators.
#include <algorithm>

#include "compiler/memo.h"
#include "model/arrotonda.h"

namespace compattatore {
namespace {

// Index of the last cell of the route, -1 when it was never sized.
int64_t ultima_cella_di(const modello& m) { return static_cast<int64_t>(m.percorso.size()) - 1; }

}  // namespace

codice memo_montagna(modello& m, int32_t inizio, int32_t fine, int32_t tipo_letto) {
  // The table holds elements 1 to 80. An 81st is refused as a whole, with
  // the code the indicators use for a refused record, before anything is
  // stored: the reader then stops at this record.
  if (m.n_montagne >= max_montagne) {
    return codice::cella_indicatori;
  }

  int64_t tipo = tipo_letto;
  bool segna = false;
  if (tipo > 10) {
    tipo -= 10;
    segna = true;
  }

  m.n_montagne += 1;
  const size_t n = static_cast<size_t>(m.n_montagne);
  m.inizio_montagna[n] = inizio;
  m.fine_montagna[n] = fine;

  // Compared with the element recorded just before, wherever it lies: a
  // start before the previous end also counts as close.
  if (n > 1 && int64_t{inizio} - m.fine_montagna[n - 1] <= 150) tipo = 3;

  const int64_t prima_del_tratto = cella_di(inizio);
  const int64_t ultima_del_tratto = arrotonda_frazione(int64_t{fine} - 50, 50);  // round(fine / 50 - 1)

  // Cells outside the route are skipped, but they still count as visited,
  // so the marks keep their 200 m spacing from the element's start.
  const int64_t da = std::max<int64_t>(prima_del_tratto, 0);
  const int64_t a = std::min(ultima_del_tratto, ultima_cella_di(m));
  for (int64_t c = da; c <= a; ++c) {
    cella& cl = m.percorso[static_cast<size_t>(c)];
    cl.montagna = static_cast<uint8_t>(tipo);
    const int64_t visitate = c - prima_del_tratto + 1;
    if (segna && visitate % 4 == 0 && di_tipo(cl, tipo_cella::vuota)) poni_tipo(cl, tipo_cella::segno_montagna);
  }
  return codice::nessuno;
}

codice memo_indicatori_v_max(modello& m, int32_t posizione, int32_t vas, int32_t vbs, int32_t vcs,
                           int32_t strisces, int32_t vad, int32_t vbd, int32_t vcd,
                           int32_t strisced) {
  const int64_t c = cella_punto(posizione);
  // A cell outside the route is as unusable as a taken one.
  if (!nel_percorso(m, c) || !libera(m.percorso[static_cast<size_t>(c)])) {
    return codice::cella_indicatori;
  }

  // round(vd / 5 + vs * 20) taken exactly as one fraction, (vd + 100 vs) / 5.
  // A result outside 16 bits keeps its low 16 bits, like every other value
  // computed into a 16-bit cell field.
  auto velocita = [](int32_t vs, int32_t vd) {
    return static_cast<int16_t>(arrotonda_frazione(int64_t{vd} + 100 * int64_t{vs}, 5));
  };
  cella& cl = m.percorso[static_cast<size_t>(c)];
  poni_tipo(cl, tipo_cella::indicatori_velocita);
  cl.dato1 = velocita(vas, vad);
  cl.dato2 = velocita(vbs, vbd);
  cl.dato3 = velocita(vcs, vcd);
  cl.dato4 = static_cast<int16_t>(int64_t{strisces} * 10 + strisced);
  return codice::nessuno;
}

}  // namespace compattatore
