// The two recorders the train reader calls: signals and slow-downs.
//
// A target cell outside `percorso` counts as taken: the element is refused
// with the same code as for an occupied cell, so nothing is ever written
// outside the route. Marks that need no free test (the signal's approach
// `marca`) are simply skipped where they would fall before cell 0.
#include <cstdint>

#include "compiler/memo.h"
#include "model/arrotonda.h"

namespace compattatore {
namespace {

// A cell that can take an element: inside the route and free.
bool disponibile(const cella* c) { return c != nullptr && libera(*c); }

// The low 16 / 8 bits of a whole-number result, as the narrow cell fields
// keep it: no overflow is ever reported.
int16_t basso16(int64_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v & 0xFFFF)); }
uint8_t basso8(int64_t v) { return static_cast<uint8_t>(v & 0xFF); }

}  // namespace

codice memo_segnale(modello& m, int32_t posizione, int32_t sx, int32_t s1, int32_t s2,
                  int32_t s3, int32_t rapp, int32_t dx, int32_t d1, int32_t d2, int32_t d3,
                  int32_t tempo) {
  const int64_t c = cella_punto(posizione);
  cella* segnale = cella_a(m, c);
  if (!disponibile(segnale)) {
    return codice::cella_segnale;
  }

  poni_tipo(*segnale, tipo_cella::segnale);
  segnale->dato4 = basso16(int64_t{rapp} * 10 + int64_t{sx} * 3 + dx);
  segnale->dato1 = basso16(int64_t{s1} * 10 + d1);
  segnale->dato2 = basso16(int64_t{s2} * 10 + d2);
  segnale->dato3 = basso16(int64_t{s3} * 10 + d3);

  // A short wait (1 to 100) is always stored as 101; the simulator reads
  // the field only on signals with sx = 2.
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  segnale->tempo = sx == 2 ? basso8(tempo) : 0;

  // Approach marks 100, 200, 300 and 400 m before the signal, nearest first,
  // written over whatever marca was there. Below 325 m some of them would
  // fall before cell 0: those are left out.
  for (int64_t b = 1; b <= 4; ++b) {
    if (cella* avvicinamento = cella_a(m, c - 2 * b))
      avvicinamento->marca = basso8(int64_t{sx} * 30 + int64_t{dx} * 10 + b);
  }
  return codice::nessuno;
}

codice memo_rallentamento(modello& m, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                        int32_t f_ta, int32_t d_v) {
  const int64_t w = cella_punto(int64_t{x} - 1200);  // warning, 1200 m before the start
  const int64_t s = cella_punto(x);                   // start
  const int64_t e = cella_punto(int64_t{x} + l);      // end
  const int64_t k = cella_di(int64_t{x} - 1200);      // nearest approach cell

  // Within the first 1500 m there is no room for a warning: neither it nor
  // the approach cells are placed.
  const bool con_avviso = x > 1500;
  if (!con_avviso) f_ta = 0;

  // Every check comes before any write, so a refusal here leaves nothing.
  if (con_avviso && !disponibile(cella_a(m, w))) {
    return codice::cella_avviso;
  }
  if (!disponibile(cella_a(m, s))) {
    return codice::cella_inizio_rallentamento;
  }
  if (!disponibile(cella_a(m, e))) {
    return codice::cella_fine_rallentamento;
  }

  cella& fine = *cella_a(m, e);
  cella& inizio = *cella_a(m, s);
  // End first, then start: a slow-down so short that both fall in one cell
  // leaves that cell a start.
  poni_tipo(fine, tipo_cella::fine_rallentamento);
  if (d_v != 0) fine.dato2 = basso16(d_v);
  poni_tipo(inizio, tipo_cella::inizio_rallentamento);
  if (d_v != 0) inizio.dato2 = basso16(d_v);
  if (con_avviso) {
    cella& avviso = *cella_a(m, w);
    poni_tipo(avviso, tipo_cella::avviso_rallentamento);
    if (d_v != 0) avviso.dato2 = basso16(d_v);
    avviso.dato1 = basso16(v);
  }
  for (cella* c : {&inizio, &fine}) {
    c->dato1 = basso16(v);
    c->dato3 = basso16(f_tt);
  }

  if (f_ta == 0) return codice::nessuno;
  // The approach cells are checked only now: a refusal (20) leaves the end,
  // start and warning already written.
  for (int64_t d = 0; d <= 3; ++d) {
    if (!disponibile(cella_a(m, k - d))) {
      return codice::cella_approccio;
    }
  }
  for (int64_t d = 0; d <= 3; ++d) {
    cella& avvicinamento = *cella_a(m, k - d);
    poni_tipo(avvicinamento, tipo_cella::approccio_rallentamento);
    avvicinamento.dato1 = basso16(d + 1);
    if (d_v != 0) avvicinamento.dato2 = basso16(d + 1);
  }
  return codice::nessuno;
}

}  // namespace compattatore
