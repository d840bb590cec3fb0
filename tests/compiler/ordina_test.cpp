#include "compiler/ordina.h"
#include "model/minimo.h"

#include <gtest/gtest.h>

#include <array>

namespace compattatore {
namespace {

struct terna {
  int32_t primo, secondo, terzo;
  bool operator==(const terna&) const = default;
};

std::ostream& operator<<(std::ostream& o, const terna& t) {
  return o << "(" << t.primo << ", " << t.secondo << ", " << t.terzo << ")";
}

// Entries 81, 82 and 83 before and after the call.
struct caso {
  const char* nome;
  std::array<terna, 3> prima;
  std::array<terna, 3> dopo;
};

TEST(ProgressiveOrdina, OrdersAndAdjustsTheThreeReferences) {
  const terna zero{0, 0, 0};
  const caso casi[] = {
      // Built-in scenario: only the "uno" line is there.
      {"built-in", {zero, zero, {0, 150300, 1}}, {terna{0, 150400, 1}, zero, zero}},
      // B is the largest; A and C tie at 0 and C, from the higher slot, goes
      // first, then gets its 100 m.
      {"tie in the lower slots",
       {terna{0, 1000, 0}, {20000, 40000, 0}, {0, 150300, 1}},
       {terna{20000, 40000, 0}, {0, 150400, 1}, {0, 1000, 0}}},
      {"already falling",
       {terna{30000, 100, 0}, {20000, 200, 0}, {10000, 300, 0}},
       {terna{30000, 100, 0}, {20000, 200, 0}, {10000, 300, 0}}},
      {"rising comes out reversed",
       {terna{10000, 100, 0}, {20000, 200, 0}, {30000, 300, 0}},
       {terna{30000, 300, 0}, {20000, 200, 0}, {10000, 100, 0}}},
      {"A largest, C above B",
       {terna{30000, 100, 0}, {10000, 200, 0}, {20000, 300, 0}},
       {terna{30000, 100, 0}, {20000, 300, 0}, {10000, 200, 0}}},
      {"C largest, A above B",
       {terna{20000, 100, 0}, {10000, 200, 0}, {30000, 300, 0}},
       {terna{30000, 300, 0}, {20000, 100, 0}, {10000, 200, 0}}},
      // Comparisons are signed: -100 is below 0.
      {"negative first value",
       {terna{-100, 100, 0}, {50, 200, 0}, {0, 300, 0}},
       {terna{50, 200, 0}, {0, 300, 0}, {-100, 100, 0}}},
      {"all zero", {zero, zero, zero}, {zero, zero, zero}},
      // First values add up to 0: by positive second value.
      {"sum 0, no positive second: cleared, third values too",
       {terna{-100, 0, 1}, {100, -50, 1}, {0, 0, 7}},
       {zero, zero, zero}},
      {"sum 0, only A positive: unchanged",
       {terna{-50, 100, 0}, {50, 0, 0}, {0, 0, 0}},
       {terna{-50, 100, 0}, {50, 0, 0}, {0, 0, 0}}},
      {"sum 0, A and B positive: B's rule wins",
       {terna{0, 100, 0}, {0, 200, 0}, {0, 0, 3}},
       {terna{0, 200, 0}, {0, 100, 0}, {0, 0, 3}}},
      {"sum 0, all positive: C's rule wins",
       {terna{0, 100, 0}, {0, 200, 0}, {0, 300, 0}},
       {terna{0, 300, 0}, {0, 200, 0}, {0, 100, 0}}},
      // The 100 m adjustment, wherever the triple ends.
      {"5000, 0, 1 gets 100", {terna{5000, 0, 1}, zero, zero}, {terna{5000, 100, 1}, zero, zero}},
      {"every slot adjusted once",
       {terna{30000, 100, 1}, {20000, 200, 1}, {10000, 300, 1}},
       {terna{30000, 200, 1}, {20000, 300, 1}, {10000, 400, 1}}},
      {"third value other than 1: no adjustment",
       {terna{30000, 100, 2}, {20000, 200, 0}, {10000, 300, -1}},
       {terna{30000, 100, 2}, {20000, 200, 0}, {10000, 300, -1}}},
      // Largest first value shared (our decision, compiler/ordina.cpp):
      // falling first value, equals from the higher slot first, nothing lost.
      {"A and B share the maximum",
       {terna{20000, 100, 0}, {20000, 200, 0}, {10000, 300, 0}},
       {terna{20000, 200, 0}, {20000, 100, 0}, {10000, 300, 0}}},
      {"A and C share the maximum",
       {terna{30000, 100, 0}, {0, 200, 0}, {30000, 300, 1}},
       {terna{30000, 400, 1}, {30000, 100, 0}, {0, 200, 0}}},
      {"B and C share the maximum",
       {terna{10000, 100, 0}, {20000, 200, 0}, {20000, 300, 0}},
       {terna{20000, 300, 0}, {20000, 200, 0}, {10000, 100, 0}}},
      {"all three share the maximum",
       {terna{500, 100, 0}, {500, 200, 0}, {500, 300, 0}},
       {terna{500, 300, 0}, {500, 200, 0}, {500, 100, 0}}},
  };
  for (const caso& c : casi) {
    modello m;
    for (int s = 0; s < 3; ++s) {
      m.tabella[81 + s].inizio = c.prima[s].primo;
      m.tabella[81 + s].fine = c.prima[s].secondo;
      m.tabella[81 + s].posizione = c.prima[s].terzo;
      m.tabella[81 + s].nome = "voce " + std::to_string(81 + s);
      m.tabella[81 + s].orario = 81 + s;
    }
    progressive_ordina(m);
    for (int s = 0; s < 3; ++s) {
      const voce& v = m.tabella[81 + s];
      EXPECT_EQ((terna{v.inizio, v.fine, v.posizione}), c.dopo[s]) << c.nome << ", slot " << 81 + s;
      // Only the three values move; every other field stays with its slot.
      EXPECT_EQ(v.nome, "voce " + std::to_string(81 + s)) << c.nome;
      EXPECT_EQ(v.orario, 81 + s) << c.nome;
    }
    // The neighbours are not touched.
    EXPECT_EQ(m.tabella[80].fine, 0) << c.nome;
    EXPECT_EQ(m.tabella[84].fine, 0) << c.nome;
  }
}

TEST(Minimo, GivesTheSmallerAndXOnEqualValues) {
  struct caso {
    int32_t x, y, atteso;
  } casi[] = {{180, 200, 180}, {180, 90, 90}, {180, 180, 180}, {180, -5, -5}, {-180, 0, -180}};
  for (const caso& c : casi) EXPECT_EQ(minimo(c.x, c.y), c.atteso) << c.x << ", " << c.y;
}

}  // namespace
}  // namespace compattatore
