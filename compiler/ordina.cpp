#include "compiler/ordina.h"

#include <array>

namespace compattatore {
namespace {

struct terna {
  int32_t primo = 0, secondo = 0, terzo = 0;
};

terna leggi(const voce& v) { return {v.inizio, v.fine, v.posizione}; }

}  // namespace

void progressive_ordina(modello& m) {
  const terna a = leggi(m.tabella[voce_progressiva_a]);
  const terna b = leggi(m.tabella[voce_progressiva_b]);
  const terna c = leggi(m.tabella[voce_progressiva_c]);
  std::array<terna, 3> nuovi{};

  // The sum is taken in 64 bits: three 32-bit values cannot overflow it.
  if (int64_t{a.primo} + b.primo + c.primo != 0) {
    if (a.primo > b.primo && a.primo > c.primo) {
      nuovi = b.primo > c.primo ? std::array{a, b, c} : std::array{a, c, b};
    } else if (b.primo > a.primo && b.primo > c.primo) {
      nuovi = a.primo > c.primo ? std::array{b, a, c} : std::array{b, c, a};
    } else if (c.primo > a.primo && c.primo > b.primo) {
      nuovi = a.primo > b.primo ? std::array{c, a, b} : std::array{c, b, a};
    } else {
      // The largest first value is shared by two or three entries. We order
      // them the same way as the rules above do for ties in the lower slots:
      // falling first value, and among equals the entry from the higher slot
      // (C before B before A) first. No entry is lost.
      nuovi = {c, b, a};
      auto prima = [](const terna& x, const terna& y) { return x.primo > y.primo; };
      for (int i = 1; i < 3; ++i)
        for (int j = i; j > 0 && prima(nuovi[j], nuovi[j - 1]); --j) std::swap(nuovi[j], nuovi[j - 1]);
    }
  } else {
    if (a.secondo > 0) nuovi = {a, b, c};
    if (b.secondo > 0) nuovi = {b, a, c};
    if (c.secondo > 0) nuovi = {c, b, a};
  }

  for (int s = 0; s < 3; ++s) {
    voce& v = m.tabella[voce_progressiva_a + static_cast<size_t>(s)];
    v.inizio = nuovi[s].primo;
    v.fine = nuovi[s].secondo;
    v.posizione = nuovi[s].terzo;
    if (v.posizione == 1) v.fine = static_cast<int32_t>(static_cast<uint32_t>(v.fine) + 100u);
  }
}

}  // namespace compattatore
