#include "output/finitura.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "model/modello.h"
#include "tests/supporto/modello_prova.h"

namespace compattatore {
namespace {

// A route of `celle` empty cells, with elements placed by hand.
struct percorso_a_mano {
  modello m;
  explicit percorso_a_mano(int celle = 200) : m(con_percorso(celle)) {}
  percorso_a_mano& metti(int c, uint8_t tipo, int16_t dato1 = 0) {
    m.percorso[static_cast<size_t>(c)].tipo = tipo;
    m.percorso[static_cast<size_t>(c)].dato1 = dato1;
    return *this;
  }
  percorso_a_mano& segnale(int c) { return metti(c, 1); }
  percorso_a_mano& avviso(int c) { return metti(c, 4, 60); }
  percorso_a_mano& occupa(std::initializer_list<int> celle) {
    for (int c : celle) metti(c, 6);
    return *this;
  }
  // Slow-down start at `inizio` with speed `v`, its end at `fine` (-1: none).
  percorso_a_mano& rallentamento(int inizio, int16_t v, int fine) {
    metti(inizio, 3, v);
    if (fine >= 0) metti(fine, 2, v);
    return *this;
  }
  modello finito() {
    raccolta_diagnostiche diagnostiche;
    finisci_percorso(m, diagnostiche);
    return m;
  }
};

// The cells holding an abbattimento point (tipo 12), in order.
std::vector<int> punti(const modello& m) {
  std::vector<int> r;
  for (size_t i = 0; i < m.percorso.size(); ++i)
    if (m.percorso[i].tipo == 12) r.push_back(static_cast<int>(i));
  return r;
}

using V = std::vector<int>;

// ------------------------------------------------------------------ step A

TEST(FinituraAvviso, SignalBeforeAWarningGetsAPointOneOrTwoCellsBeforeIt) {
  // Signal in cell 10, warning in cell 20: the candidates are 9 (a) and 8 (b).
  struct caso {
    const char* nome;
    int16_t tipo_a, dato_a, tipo_b, dato_b;
    V punti_attesi;
    int16_t dato_a_atteso, dato_b_atteso;
    int32_t codice;
  } casi[] = {
      {"a free", 0, 0, 0, 0, {9}, 180, 0, 0},
      {"a montagna mark counts as free", 11, 0, 0, 0, {9}, 180, 0, 0},
      {"a taken, b free", 6, 0, 0, 0, {8}, 0, 180, 0},
      {"a point of 200 is capped", 12, 200, 6, 0, {9}, 180, 0, 0},
      {"a point of 90 stays", 12, 90, 6, 0, {9}, 90, 0, 0},
      {"a point of 200, b free: b is marked, a left", 12, 200, 0, 0, {8, 9}, 200, 180, 0},
      {"b point of 200 is capped", 6, 0, 12, 200, {8}, 0, 180, 0},
      {"b point of 90 stays", 6, 0, 12, 90, {8}, 0, 90, 0},
      {"both taken by other elements", 6, 0, 14, 0, {}, 0, 0, 11},
  };
  for (const caso& k : casi) {
    percorso_a_mano p;
    p.segnale(10).avviso(20);
    p.metti(9, static_cast<uint8_t>(k.tipo_a), k.dato_a).metti(8, static_cast<uint8_t>(k.tipo_b), k.dato_b);
    modello m = p.finito();
    EXPECT_EQ(punti(m), k.punti_attesi) << k.nome;
    EXPECT_EQ(m.percorso[9].dato1, k.dato_a_atteso) << k.nome;
    EXPECT_EQ(m.percorso[8].dato1, k.dato_b_atteso) << k.nome;
    EXPECT_EQ(m.codice_errore, k.codice) << k.nome;
    if (k.codice == 11) {
      EXPECT_EQ(m.posizione_errore, 500) << k.nome;
    }
  }
}

TEST(FinituraAvviso, EverySignalWithinTwentyCellsIsHandled) {
  struct caso {
    const char* nome;
    int avviso;
    V segnali;
    V punti_attesi;
  } casi[] = {
      {"two signals", 40, {25, 35}, {24, 34}},
      {"20 cells before: handled", 40, {20}, {19}},
      {"21 cells before: not handled", 40, {19}, {}},
      {"warning in cell 5 looks at cells 4 and 3", 5, {3}, {2}},
      {"warning in cell 5 does not look at cell 2", 5, {2}, {}},
      {"warning in cell 3 is not scanned", 3, {2}, {}},
  };
  for (const caso& k : casi) {
    percorso_a_mano p;
    p.avviso(k.avviso);
    for (int s : k.segnali) p.segnale(s);
    EXPECT_EQ(punti(p.finito()), k.punti_attesi) << k.nome;
  }
}

TEST(FinituraAvviso, SignalInCell3CanPutItsPointIntoTheHeaderCell) {
  percorso_a_mano p;
  p.segnale(3).occupa({2}).avviso(10);
  modello m = p.finito();
  EXPECT_EQ(punti(m), V{1});
  EXPECT_EQ(m.percorso[1].dato1, 180);
}

TEST(Finitura, APointReplacesOnlyTipoAndDato1) {
  percorso_a_mano p;
  p.segnale(10).avviso(20);
  cella& a = p.m.percorso[9];
  a.tipo = 11;
  a.dato2 = 7;
  a.montagna = 3;
  a.velocita = 20;
  a.marca = 61;
  modello m = p.finito();
  const cella& c = m.percorso[9];
  EXPECT_EQ(c.tipo, 12);
  EXPECT_EQ(c.dato1, 180);
  EXPECT_EQ(c.dato2, 7);
  EXPECT_EQ(c.montagna, 3);
  EXPECT_EQ(c.velocita, 20);
  EXPECT_EQ(c.marca, 61);
}

// ------------------------------------------------------------ steps B1-B3

TEST(FinituraInizio, PointsBeforeTheStartWhereTheRouteReaches) {
  // A fast slow-down (no every-8 pass) ending 3 cells after its start.
  struct caso {
    int inizio;
    V punti_attesi;
  } casi[] = {
      {7, {}},
      {8, {3}},
      {13, {8}},
      {14, {3, 9}},
      {20, {9, 15}},
      {21, {3, 10, 16}},
  };
  for (const caso& k : casi) {
    percorso_a_mano p;
    p.rallentamento(k.inizio, 120, k.inizio + 3);
    modello m = p.finito();
    EXPECT_EQ(punti(m), k.punti_attesi) << "start " << k.inizio;
    EXPECT_EQ(m.codice_errore, 0) << "start " << k.inizio;
  }
}

TEST(FinituraInizio, NextCandidateWhenTakenAnd12WhenNoneIsFree) {
  // Start in cell 30: B1 tries 25, 24, 23; B2 19, 18, 17; B3 12, 11, 10.
  struct caso {
    const char* nome;
    V occupate;
    V punti_attesi;
    int32_t codice;
  } casi[] = {
      {"all first candidates free", {}, {12, 19, 25}, 0},
      {"first taken", {25, 19, 12}, {11, 18, 24}, 0},
      {"two taken", {25, 24, 19, 18, 12, 11}, {10, 17, 23}, 0},
      {"B1 has none", {25, 24, 23}, {12, 19}, 12},
      {"B3 has none", {12, 11, 10}, {19, 25}, 12},
  };
  for (const caso& k : casi) {
    percorso_a_mano p;
    p.rallentamento(30, 120, 33);
    for (int c : k.occupate) p.occupa({c});
    modello m = p.finito();
    EXPECT_EQ(punti(m), k.punti_attesi) << k.nome;
    EXPECT_EQ(m.codice_errore, k.codice) << k.nome;
    if (k.codice == 12) {
      EXPECT_EQ(m.posizione_errore, 1500) << k.nome;
    }
  }
}

TEST(FinituraInizio, HeaderCellAmongTheCandidatesOfAStartInCell8) {
  percorso_a_mano p;
  p.rallentamento(8, 120, 11).occupa({3, 2});
  EXPECT_EQ(punti(p.finito()), V{1});
}

// ------------------------------------------------------------------ step B4

TEST(FinituraOgni8, PointsEvery8CellsAlongASlowSlowDown) {
  // Start in cell 30 (B1 to B3 mark 25, 19, 12), end in cell 60.
  struct caso {
    const char* nome;
    int16_t velocita;
    V occupate;
    V lungo;  // points expected after the start
    int32_t codice;
    int32_t posizione;
  } casi[] = {
      {"free stretch", 50, {}, {38, 46, 54}, 0, 0},
      {"speed 109 runs the pass", 109, {}, {38, 46, 54}, 0, 0},
      {"speed 110 skips it", 110, {}, {}, 0, 0},
      {"a negative speed runs it", -5, {}, {38, 46, 54}, 0, 0},
      {"+8 taken, +7 free", 50, {38}, {37, 45, 53}, 0, 0},
      {"+8 and +7 taken, +9 free", 50, {38, 37}, {39, 47, 55}, 0, 0},
      {"+7, +8, +9 taken: 13, no more points", 50, {37, 38, 39}, {}, 13, 38 * 50},
      {"a later point: +8 and +7 taken, +9 free", 50, {53, 54}, {38, 46, 55}, 0, 0},
  };
  for (const caso& k : casi) {
    percorso_a_mano p;
    p.rallentamento(30, k.velocita, 60);
    for (int c : k.occupate) p.occupa({c});
    modello m = p.finito();
    V atteso{12, 19, 25};
    atteso.insert(atteso.end(), k.lungo.begin(), k.lungo.end());
    EXPECT_EQ(punti(m), atteso) << k.nome;
    EXPECT_EQ(m.codice_errore, k.codice) << k.nome;
    if (k.codice != 0) {
      EXPECT_EQ(m.posizione_errore, k.posizione) << k.nome;
    }
  }
}

TEST(FinituraOgni8, ThePassEndsAtTheEndCellWhichItNeverMarks) {
  // End in cell 62: the count reaches 8 on the end cell itself, so the cell
  // before it takes the point, and the pass stops there.
  percorso_a_mano p;
  p.rallentamento(30, 50, 62);
  modello m = p.finito();
  EXPECT_EQ(punti(m), (V{12, 19, 25, 38, 46, 54, 61}));
  EXPECT_EQ(m.percorso[62].tipo, 2);
}

TEST(FinituraOgni8, WithoutAnEndThePassStopsAtTheLastCell) {
  // A 200-cell route (last cell 199) and a start with no end after it.
  struct caso {
    const char* nome;
    int inizio;
    V occupate;
    V lungo;
    int32_t codice;
  } casi[] = {
      {"reaches the last cell", 183, {}, {191, 199}, 0},
      {"stops short of a further point", 195, {}, {}, 0},
      // conta reaches 8 on the last cell: it and the one before are taken,
      // the one after does not exist.
      {"no cell to take at the end", 191, {199, 198}, {}, 13},
  };
  for (const caso& k : casi) {
    percorso_a_mano p;
    p.rallentamento(k.inizio, 50, -1);
    for (int c : k.occupate) p.occupa({c});
    modello m = p.finito();
    V lungo;
    for (int c : punti(m))
      if (c > k.inizio) lungo.push_back(c);
    EXPECT_EQ(lungo, k.lungo) << k.nome;
    EXPECT_EQ(m.codice_errore, k.codice) << k.nome;
  }
}

// ------------------------------------------------------------------ step B5

TEST(FinituraSegnaleSeguente, FirstSignalWithin12CellsAfterTheEnd) {
  // Start in cell 30 at speed 120 (no every-8 pass), end in cell 60.
  struct caso {
    const char* nome;
    int16_t velocita;
    V segnali;
    V occupate;
    V dopo;  // points expected after the end
    int32_t codice;
  } casi[] = {
      {"signal 5 cells after", 120, {65}, {}, {64}, 0},
      {"signal 12 cells after", 120, {72}, {}, {71}, 0},
      {"signal 13 cells after: none", 120, {73}, {}, {}, 0},
      {"only the first signal", 120, {63, 68}, {}, {62}, 0},
      {"cell before taken: two before", 120, {65}, {64}, {63}, 0},
      {"both taken: 13", 120, {65}, {64, 63}, {}, 13},
      {"after the every-8 pass too", 50, {65}, {}, {64}, 0},
  };
  for (const caso& k : casi) {
    percorso_a_mano p;
    p.rallentamento(30, k.velocita, 60);
    for (int s : k.segnali) p.segnale(s);
    for (int c : k.occupate) p.occupa({c});
    modello m = p.finito();
    V dopo;
    for (int c : punti(m))
      if (c > 60) dopo.push_back(c);
    EXPECT_EQ(dopo, k.dopo) << k.nome;
    EXPECT_EQ(m.codice_errore, k.codice) << k.nome;
    if (k.codice == 13) {
      EXPECT_EQ(m.posizione_errore, 60 * 50) << k.nome;
    }
  }
}

TEST(FinituraSegnaleSeguente, AFastSlowDownLooksAheadFromItsOwnEnd) {
  // An earlier warning scan leaves nothing behind that decides where the
  // look-ahead of a fast slow-down starts: it starts from the slow-down's
  // own end. Warning in cell 20 (scan stops at n = 21), fast slow-down from
  // 100 to 140, signal at 145.
  percorso_a_mano p;
  p.avviso(20).rallentamento(100, 120, 140).segnale(145).segnale(30);
  modello m = p.finito();
  EXPECT_EQ(m.percorso[144].tipo, 12);
  EXPECT_EQ(m.percorso[29].tipo, 0);  // no look-ahead from an earlier stop
}

TEST(FinituraSegnaleSeguente, FastSlowDownWithoutAnEndLooksOnlyAtTheLastCell) {
  {
    percorso_a_mano p;
    p.rallentamento(100, 120, -1).segnale(105);
    EXPECT_EQ(p.finito().percorso[104].tipo, 0);
  }
  {
    percorso_a_mano p;
    p.rallentamento(100, 120, -1).segnale(199);
    EXPECT_EQ(p.finito().percorso[198].tipo, 12);
  }
}

TEST(FinituraSegnaleSeguente, LookAheadStopsAtTheLastCell) {
  // End in cell 196: the look-ahead would run to 208 on a 200-cell route.
  percorso_a_mano p;
  p.rallentamento(190, 120, 196).segnale(199);
  modello m = p.finito();
  EXPECT_EQ(m.percorso[198].tipo, 12);
  EXPECT_EQ(m.codice_errore, 0);
}

// ----------------------------------------------------------- the whole pass

TEST(Finitura, APointPlacedEarlierIsTakenForLaterSteps) {
  // The start in cell 20 marks cell 15 (B1); the warning in cell 30 then
  // finds cell 15 taken before the signal in cell 16 and marks cell 14.
  percorso_a_mano p;
  p.rallentamento(20, 120, 25).segnale(16).avviso(30);
  modello m = p.finito();
  EXPECT_EQ(punti(m), (V{9, 14, 15}));
  EXPECT_EQ(m.percorso[15].dato1, 180);
}

TEST(Finitura, TheLastTwoCellsAreNeverExamined) {
  percorso_a_mano p;
  p.rallentamento(198, 50, -1).segnale(190).avviso(199);
  modello m = p.finito();
  EXPECT_EQ(punti(m), V{});
}

TEST(Finitura, CodesOfFinishingReplaceAnEarlierCodeAndTheRestGoesOn) {
  percorso_a_mano p;
  p.m.codice_errore = 16;
  p.segnale(10).occupa({9, 8}).avviso(20).rallentamento(60, 120, 63);
  modello m = p.finito();
  EXPECT_EQ(m.codice_errore, 11);
  EXPECT_EQ(m.posizione_errore, 500);
  EXPECT_EQ(punti(m), (V{42, 49, 55}));  // the later start is still finished
}

TEST(Finitura, AnUnsizedRouteIsLeftAlone) {
  modello m;
  raccolta_diagnostiche diagnostiche;
  finisci_percorso(m, diagnostiche);
  EXPECT_TRUE(m.percorso.empty());
  EXPECT_EQ(m.codice_errore, 0);
}

TEST(Finitura, TinyRoutesAreLeftAlone) {
  // A slow-down start with no end in routes of 1 to 4 cells.
  const int casi[][2] = {{1, 0}, {2, 1}, {3, 2}, {4, 1}};
  for (const auto& k : casi) {
    percorso_a_mano p(k[0]);
    p.metti(k[1], 3, 50);
    modello m = p.finito();
    EXPECT_EQ(punti(m), V{}) << k[0];
  }
}

}  // namespace
}  // namespace compattatore
