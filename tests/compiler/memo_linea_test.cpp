#include <gtest/gtest.h>

#include <vector>

#include "compiler/memo.h"
#include "model/modello.h"
#include "tests/supporto/modello_prova.h"

namespace compattatore {
namespace {

// Returns the indices of the cells whose `tipo` is `tipo`.
std::vector<int> celle_di_tipo(const modello& m, uint8_t tipo) {
  std::vector<int> v;
  for (size_t c = 0; c < m.percorso.size(); ++c)
    if (m.percorso[c].tipo == tipo) v.push_back(static_cast<int>(c));
  return v;
}

TEST(MemoMontagna, MarksEveryFourthCellOfTheStretch) {
  modello m = con_percorso(141);
  m.percorso[7].tipo = 6;  // a taken cell keeps its element, and still counts
  tieni(m, memo_montagna(m, 0, 1000, 12));

  EXPECT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.n_montagne, 1);
  EXPECT_EQ(m.inizio_montagna[1], 0);
  EXPECT_EQ(m.fine_montagna[1], 1000);
  for (int c = 0; c <= 19; ++c) EXPECT_EQ(m.percorso[c].montagna, 2) << c;
  EXPECT_EQ(m.percorso[20].montagna, 0);
  EXPECT_EQ(celle_di_tipo(m, 11), (std::vector<int>{3, 11, 15, 19}));
  EXPECT_EQ(m.percorso[7].tipo, 6);
}

TEST(MemoMontagna, WithoutMarkNoCellChangesItsTipo) {
  modello m = con_percorso(141);
  tieni(m, memo_montagna(m, 0, 1000, 10));  // 10 is not above 10: no marks
  EXPECT_TRUE(celle_di_tipo(m, 11).empty());
  EXPECT_EQ(m.percorso[0].montagna, 10);
}

TEST(MemoMontagna, StretchCellsRoundHalvesToEven) {
  struct caso {
    int32_t inizio, fine;
    int prima, ultima;  // expected stretch; none when prima > ultima
  } casi[] = {
      {75, 1075, 2, 20},  // 1.5 -> 2; 21.5 - 1 = 20.5 -> 20
      {125, 1125, 2, 22},  // 2.5 -> 2; 22.5 - 1 = 21.5 -> 22
      {1000, 1000, 20, 19},  // ends before it starts: nothing
  };
  for (const caso& c : casi) {
    modello m = con_percorso(141);
    tieni(m, memo_montagna(m, c.inizio, c.fine, 4));
    for (int i = 0; i < 141; ++i)
      EXPECT_EQ(m.percorso[i].montagna, (i >= c.prima && i <= c.ultima) ? 4 : 0)
          << c.inizio << "-" << c.fine << " cell " << i;
  }
}

TEST(MemoMontagna, AnElementCloseToThePreviousOneBecomesTipo3) {
  struct caso {
    int32_t inizio;
    int32_t tipo;
    uint8_t atteso;       // montagna of the second element's cells
    bool segnato;         // its 4th cell gets a mark 11
  } casi[] = {
      {1150, 5, 3, false},  // exactly 150 m after the previous end
      {1151, 5, 5, false},  // 151 m after: keeps its tipo
      {500, 5, 3, false},   // starts before the previous end
      {1150, 15, 3, true},  // after taking 10 off; the mark flag stays
      {1151, 15, 5, true},
  };
  for (const caso& c : casi) {
    modello m = con_percorso(141);
    tieni(m, memo_montagna(m, 0, 1000, 1));
    tieni(m, memo_montagna(m, c.inizio, 3000, c.tipo));
    const int prima = c.inizio / 50;  // no start here lies on a half cell
    EXPECT_EQ(m.percorso[prima + 1].montagna, c.atteso) << c.inizio << " " << c.tipo;
    EXPECT_EQ(m.percorso[prima + 3].tipo, c.segnato ? 11 : 0) << c.inizio << " " << c.tipo;
    EXPECT_EQ(m.n_montagne, 2);
  }
}

TEST(MemoMontagna, ComparesWithTheElementJustBeforeWhereverItLies) {
  modello m = con_percorso(141);
  tieni(m, memo_montagna(m, 0, 1000, 1));
  tieni(m, memo_montagna(m, 5000, 6000, 1));
  tieni(m, memo_montagna(m, 6200, 6500, 7));  // 200 m after the one just before
  EXPECT_EQ(m.percorso[125].montagna, 7);
  tieni(m, memo_montagna(m, 1200, 2000, 7));  // far after the first, but before the third's end
  EXPECT_EQ(m.percorso[25].montagna, 3);
}

TEST(MemoMontagna, CellsOutsideTheRouteAreSkipped) {
  modello m = con_percorso(141);
  // Starts 10 cells before the route: cells -10 to 3, marks on the 4th,
  // 8th and 12th cell visited, that is cells -7, -3 and 1.
  tieni(m, memo_montagna(m, -500, 200, 11));
  for (int c = 0; c <= 3; ++c) EXPECT_EQ(m.percorso[c].montagna, 1) << c;
  EXPECT_EQ(m.percorso[4].montagna, 0);
  EXPECT_EQ(celle_di_tipo(m, 11), (std::vector<int>{1}));

  // Ends far beyond the last cell, 140.
  tieni(m, memo_montagna(m, 6900, 100000, 2));
  for (int c = 138; c <= 140; ++c) EXPECT_EQ(m.percorso[c].montagna, 2) << c;
  EXPECT_EQ(m.percorso[137].montagna, 0);
  EXPECT_EQ(m.percorso.size(), 141u);

  // The extreme values of a 32-bit position go nowhere.
  tieni(m, memo_montagna(m, INT32_MIN, INT32_MIN, 5));
  tieni(m, memo_montagna(m, INT32_MAX, INT32_MAX, 5));
  EXPECT_EQ(m.codice_errore, 0);
}

TEST(MemoMontagna, An81stElementIsRefusedWithNothingWritten) {
  modello m = con_percorso(141);
  for (int n = 0; n < 80; ++n) tieni(m, memo_montagna(m, 0, 100, 1));
  EXPECT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.n_montagne, 80);

  tieni(m, memo_montagna(m, 3000, 4000, 9));
  EXPECT_EQ(m.codice_errore, 21);
  EXPECT_FALSE(m.posizione_valida);  // a recorder never sets the position
  EXPECT_EQ(m.n_montagne, 80);
  EXPECT_EQ(m.inizio_montagna[80], 0);
  EXPECT_EQ(m.percorso[60].montagna, 0);
}

TEST(MemoIndicatori, BuiltInLine) {
  modello m = con_percorso(141);
  tieni(m, memo_indicatori_v_max(m, 700, 95, 100, 105, 0, 95, 100, 105, 0));
  const cella& c = m.percorso[15];
  EXPECT_EQ(c.tipo, 6);
  EXPECT_EQ(c.dato1, 1919);
  EXPECT_EQ(c.dato2, 2020);
  EXPECT_EQ(c.dato3, 2121);
  EXPECT_EQ(c.dato4, 0);
  EXPECT_EQ(m.codice_errore, 0);
}

TEST(MemoIndicatori, ValuesRoundAndKeepTheirLowSixteenBits) {
  struct caso {
    int32_t vs, vd, strisce_s, strisce_d;
    int16_t valore, strisce;
  } casi[] = {
      {100, 80, 0, 0, 2016, 0},
      {0, 82, 2, 2, 16, 22},     // 16.4
      {0, 83, 1, 1, 17, 11},     // 16.6
      {0, -3, 0, 0, -1, 0},      // -0.6
      {0, -2, 0, 0, 0, 0},       // -0.4
      {495, 495, 0, 7, 9999, 7},  // 99 and 99: the largest pair of two-digit numbers
      {2000, 0, 4000, 0, -25536, -25536},  // 40000: low 16 bits
      // 43379169669.4 and 23622320117: no overflow on the way.
      {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, -26235, -11},
  };
  for (const caso& c : casi) {
    modello m = con_percorso(141);
    tieni(m, memo_indicatori_v_max(m, 1000, c.vs, c.vs, c.vs, c.strisce_s, c.vd, c.vd, c.vd, c.strisce_d));
    const cella& cl = m.percorso[21];
    EXPECT_EQ(cl.dato1, c.valore) << c.vs << " " << c.vd;
    EXPECT_EQ(cl.dato3, c.valore) << c.vs << " " << c.vd;
    EXPECT_EQ(cl.dato4, c.strisce) << c.strisce_s << " " << c.strisce_d;
  }
}

TEST(MemoIndicatori, RefusesATakenCellOrOneOutsideTheRoute) {
  struct caso {
    int32_t posizione;
    uint8_t tipo_prima;  // tipo of the target cell before the call
    bool accettato;
  } casi[] = {
      {1000, 0, true},   {1000, 11, true},  {1000, 1, false},    {1000, 6, false},
      {1000, 14, false}, {-50, 0, true},    // cell 0
      {-100, 0, false},  // cell -1
      {6950, 0, true},   // cell 140, the last
      {7000, 0, false},  // cell 141
      {INT32_MIN, 0, false}, {INT32_MAX, 0, false},
  };
  for (const caso& c : casi) {
    modello m = con_percorso(141);
    const int64_t cella_attesa = (int64_t{c.posizione} + 50 + 25) / 50;
    const bool dentro = c.posizione > -100 && c.posizione < 7000;
    if (dentro) {
      m.percorso[static_cast<size_t>(cella_attesa)].tipo = c.tipo_prima;
      m.percorso[static_cast<size_t>(cella_attesa)].montagna = 3;
    }
    tieni(m, memo_indicatori_v_max(m, c.posizione, 95, 100, 105, 0, 95, 100, 105, 0));
    EXPECT_EQ(m.codice_errore, c.accettato ? 0 : 21) << c.posizione;
    EXPECT_FALSE(m.posizione_valida);
    if (dentro) {
      const cella& cl = m.percorso[static_cast<size_t>(cella_attesa)];
      EXPECT_EQ(cl.tipo, c.accettato ? 6 : c.tipo_prima) << c.posizione;
      EXPECT_EQ(cl.dato1, c.accettato ? 1919 : 0) << c.posizione;
      EXPECT_EQ(cl.montagna, 3);
    }
  }
}

TEST(MemoIndicatori, AnEarlierCodeStays) {
  modello m = con_percorso(141);
  segna_errore(m, 15, 68950);
  tieni(m, memo_indicatori_v_max(m, 1000, 95, 100, 105, 0, 95, 100, 105, 0));
  tieni(m, memo_montagna(m, 0, 1000, 1));
  EXPECT_EQ(m.codice_errore, 15);
  EXPECT_EQ(m.posizione_errore, 68950);
}

}  // namespace
}  // namespace compattatore
