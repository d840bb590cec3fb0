// The finishing pass. It walks the route once, from cell 1 to the third
// last, and places abbattimento points (tipo 12, dato1 180) before signals
// that stand ahead of a slow-down warning and around slow-down starts. It
// reads and changes `percorso` in place: a cell marked at one step is taken
// for every later one.
//
// Every scan is bounded by the last cell of the route: the forward scans
// rely on a slow-down end (tipo 2) after each start, which a damaged route
// may lack (a slow-down so short that its start overwrote its end).
#include "output/finitura.h"

#include <cstdint>

#include "model/minimo.h"
#include "model/errori.h"

namespace compattatore {
namespace {

constexpr int16_t valore_abbattimento = 180;

struct passata {
  modello& m;
  raccolta_diagnostiche& diagnostiche;
  int64_t ultima;  // last cell of the route

  cella& at(int64_t c) { return m.percorso[static_cast<size_t>(c)]; }
  bool dentro(int64_t c) const { return c >= 0 && c <= ultima; }
  // A cell outside the route is never free: no mark can go there.
  bool libera_in(int64_t c) { return dentro(c) && libera(at(c)); }

  void marca(int64_t c) {
    poni_tipo(at(c), tipo_cella::abbattimento_valore);
    at(c).dato1 = valore_abbattimento;
  }

  void errore(codice c, int64_t cella) {
    registra_errore(m, diagnostiche, c, sorgente::nessuna, {}, static_cast<int32_t>(cella * 50));
  }

  // Marks the first free cell of the three; returns false when none is free.
  bool marca_prima_libera(int64_t a, int64_t b, int64_t c) {
    for (int64_t candidata : {a, b, c}) {
      if (libera_in(candidata)) {
        marca(candidata);
        return true;
      }
    }
    return false;
  }

  // Step A: every signal among the 20 cells before the warning at `i`
  // (never looking below cell 3) gets an abbattimento point one or two
  // cells before it, or has an existing one there capped at 180.
  void davanti_ai_segnali(int64_t i) {
    for (int64_t n = 1; n <= 20 && i - n >= 3; ++n) {
      if (!di_tipo(at(i - n), tipo_cella::segnale)) continue;
      const int64_t a = i - n - 1;
      const int64_t b = i - n - 2;
      if (libera(at(a))) {
        marca(a);
      } else if (libera(at(b))) {
        marca(b);
      } else if (di_tipo(at(a), tipo_cella::abbattimento_valore)) {
        at(a).dato1 = static_cast<int16_t>(minimo(valore_abbattimento, at(a).dato1));
      } else if (di_tipo(at(b), tipo_cella::abbattimento_valore)) {
        at(b).dato1 = static_cast<int16_t>(minimo(valore_abbattimento, at(b).dato1));
      } else {
        errore(codice::abbattimento_segnale, i - n);
      }
    }
  }

  // Steps B1 to B3: one point in each of the three stretches 5-7, 11-13 and
  // 18-20 cells before the slow-down start at `i`, where the route reaches.
  void prima_dell_inizio(int64_t i) {
    static constexpr struct {
      int64_t da;  // the start must be at least this far into the route
      int64_t primo;
    } tratti[] = {{8, 5}, {14, 11}, {21, 18}};
    for (const auto& t : tratti) {
      if (i < t.da) continue;
      if (!marca_prima_libera(i - t.primo, i - t.primo - 1, i - t.primo - 2)) errore(codice::abbattimento_inizio, i);
    }
  }

  // Step B4: a point every 8 cells (400 m) from the start at `i` up to the
  // slow-down end. Returns the cell where the pass stopped: the end, or the
  // last cell of the route when no end follows.
  int64_t lungo_il_rallentamento(int64_t i) {
    int64_t conta = 0;
    int64_t n = i;
    do {
      ++n;
      ++conta;
      if (conta == 8) {
        // The counter is set so that the next point falls 8 cells after
        // this one, whichever of the three cells took it.
        if (libera_in(n)) {
          marca(n);
          conta = 0;
        } else if (libera_in(n - 1)) {
          marca(n - 1);
          conta = 1;
        } else if (libera_in(n + 1)) {
          marca(n + 1);
          conta = -1;
        } else {
          errore(codice::abbattimento_rallentamento, n);  // conta stays 8: no further point in this stretch
        }
      }
    } while (!di_tipo(at(n), tipo_cella::fine_rallentamento) && n < ultima);
    return n;
  }

  // The slow-down end that follows the start at `i`, found without marking
  // anything: the last cell of the route when none follows. Used in place of
  // step B4's own stop when B4 does not run.
  int64_t fine_rallentamento(int64_t i) {
    int64_t n = i;
    do ++n;
    while (!di_tipo(at(n), tipo_cella::fine_rallentamento) && n < ultima);
    return n;
  }

  // Step B5: the first signal within 12 cells after `n` gets a point just
  // before it (or two before).
  void davanti_al_segnale_successivo(int64_t n) {
    int64_t conta = 0;
    const int64_t fino_a = n + 12 < ultima ? n + 12 : ultima;
    for (int64_t k = n; k <= fino_a; ++k) {
      if (di_tipo(at(k), tipo_cella::segnale)) {
        conta = k - 1;
        break;
      }
    }
    if (conta <= 0) return;
    if (libera(at(conta))) {
      marca(conta);
    } else if (libera(at(conta - 1))) {
      marca(conta - 1);
    } else {
      errore(codice::abbattimento_rallentamento, n);
    }
  }

  void esegui() {
    for (int64_t i = 1; i <= ultima - 2; ++i) {
      if (di_tipo(at(i), tipo_cella::avviso_rallentamento)) davanti_ai_segnali(i);
      if (!di_tipo(at(i), tipo_cella::inizio_rallentamento)) continue;
      prima_dell_inizio(i);
      // Fast slow-downs (110 and above) get no points along their length.
      // The look-ahead for a signal then starts from this slow-down's own
      // end, as it does after the every-8 pass, rather than from wherever
      // an earlier step happened to leave its scan.
      const int64_t n = at(i).dato1 < 110 ? lungo_il_rallentamento(i) : fine_rallentamento(i);
      davanti_al_segnale_successivo(n);
    }
  }
};

}  // namespace

void finisci_percorso(modello& m, raccolta_diagnostiche& d) {
  // A route never sized (the reader stopped before the route length) has
  // nothing to finish.
  if (m.percorso.empty()) return;
  passata p{m, d, static_cast<int64_t>(m.percorso.size()) - 1};
  p.esegui();
}

}  // namespace compattatore
