#include <gtest/gtest.h>

#include <vector>

#include "compiler/memo.h"
#include "model/modello.h"
#include "tests/supporto/modello_prova.h"

namespace compattatore {
namespace {

// ---------------------------------------------------------------- signals

TEST(MemoSegnale, BuiltInSignalLandsInCell28WithItsMarks) {
  modello m = con_percorso(1381);
  tieni(m, memo_segnale(m, 1350, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(m.codice_errore, 0);
  const cella& c = m.percorso[28];
  EXPECT_EQ(c.tipo, 1);
  EXPECT_EQ(c.dato4, 6);
  EXPECT_EQ(c.dato1, 40);
  EXPECT_EQ(c.dato2, 10);
  EXPECT_EQ(c.dato3, 0);
  EXPECT_EQ(c.tempo, 0);
  EXPECT_EQ(m.percorso[26].marca, 61);
  EXPECT_EQ(m.percorso[24].marca, 62);
  EXPECT_EQ(m.percorso[22].marca, 63);
  EXPECT_EQ(m.percorso[20].marca, 64);
  // Only the four approach cells get a mark; none of them gets a tipo.
  for (int i = 0; i < 1381; ++i) {
    if (i != 26 && i != 24 && i != 22 && i != 20) {
      EXPECT_EQ(m.percorso[i].marca, 0) << i;
    }
    if (i != 28) {
      EXPECT_EQ(m.percorso[i].tipo, 0) << i;
    }
  }
}

TEST(MemoSegnale, PackedValuesAndMarksFollowTheirFormulas) {
  // Signal at 1000 (cell 21): sx 1, s1..s3 7 8 9, rapp 3, dx 2, d1..d3 1 2 3.
  modello m = con_percorso(100);
  tieni(m, memo_segnale(m, 1000, 1, 7, 8, 9, 3, 2, 1, 2, 3, 0));
  const cella& c = m.percorso[21];
  EXPECT_EQ(c.tipo, 1);
  EXPECT_EQ(c.dato1, 71);
  EXPECT_EQ(c.dato2, 82);
  EXPECT_EQ(c.dato3, 93);
  EXPECT_EQ(c.dato4, 3 * 10 + 1 * 3 + 2);
  const int marche[][2] = {{19, 51}, {17, 52}, {15, 53}, {13, 54}};
  for (const auto& mk : marche) EXPECT_EQ(m.percorso[mk[0]].marca, mk[1]) << mk[0];
}

TEST(MemoSegnale, WideValuesKeepTheirLowBits) {
  modello m = con_percorso(100);
  // s1 * 10 + d1 = 40001 -> low 16 bits -25535; a marca of 9 * 30 + 1 = 271 -> 15.
  tieni(m, memo_segnale(m, 1000, 9, 4000, 0, 0, 0, 0, 1, 0, 0, 0));
  EXPECT_EQ(m.percorso[21].dato1, -25535);
  EXPECT_EQ(m.percorso[19].marca, 271 % 256);
}

TEST(MemoSegnale, TempoIsStoredOnlyForSx2AndShortWaitsBecome101) {
  struct caso {
    int32_t sx, tempo;
    uint8_t atteso;
  } casi[] = {
      {2, 50, 101}, {2, 1, 101},  {2, 100, 101}, {2, 0, 0},   {2, 150, 150},
      {2, 101, 101}, {2, -5, 251}, {2, 300, 44},  {1, 50, 0},  {0, 150, 0},
  };
  for (const caso& k : casi) {
    modello m = con_percorso(100);
    tieni(m, memo_segnale(m, 1000, k.sx, 0, 0, 0, 0, 0, 0, 0, 0, k.tempo));
    EXPECT_EQ(m.percorso[21].tempo, k.atteso) << "sx " << k.sx << " tempo " << k.tempo;
  }
}

TEST(MemoSegnale, MontagnaMarkCountsAsFreeAndKeepsItsMontagna) {
  modello m = con_percorso(100);
  m.percorso[21].tipo = 11;
  m.percorso[21].montagna = 2;
  tieni(m, memo_segnale(m, 1000, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.percorso[21].tipo, 1);
  EXPECT_EQ(m.percorso[21].montagna, 2);
}

TEST(MemoSegnale, RefusedWith16WhenItsCellIsTakenOrOutsideTheRoute) {
  struct caso {
    const char* nome;
    int32_t posizione;
    bool occupa_cella_21;
  } casi[] = {
      {"taken cell", 1000, true},
      {"beyond the last cell", 100 * 50, false},  // cell 101 of a 100-cell route
      {"before cell 0", -100, false},             // cell -1
  };
  for (const caso& k : casi) {
    modello m = con_percorso(100);
    if (k.occupa_cella_21) m.percorso[21].tipo = 6;
    const std::vector<cella> prima = m.percorso;
    tieni(m, memo_segnale(m, k.posizione, 2, 4, 1, 0, 0, 0, 0, 0, 0, 50));
    EXPECT_EQ(m.codice_errore, 16) << k.nome;
    EXPECT_FALSE(m.posizione_valida) << k.nome;  // recorders never set a position
    for (size_t i = 0; i < prima.size(); ++i) {
      EXPECT_EQ(m.percorso[i].tipo, prima[i].tipo) << k.nome << " cell " << i;
      EXPECT_EQ(m.percorso[i].marca, 0) << k.nome << " cell " << i;
    }
  }
}

TEST(MemoSegnale, MarksBeforeCellZeroAreLeftOut) {
  // Signal at 150 m: cell 4; its marks would be cells 2, 0, -2, -4.
  modello m = con_percorso(20);
  tieni(m, memo_segnale(m, 150, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.percorso[4].tipo, 1);
  EXPECT_EQ(m.percorso[2].marca, 31);
  EXPECT_EQ(m.percorso[0].marca, 32);
}

TEST(MemoSegnale, AnEarlierCodeStaysWhenTheSignalIsAccepted) {
  modello m = con_percorso(100);
  m.codice_errore = 15;
  tieni(m, memo_segnale(m, 1000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(m.codice_errore, 15);
  EXPECT_EQ(m.percorso[21].tipo, 1);
}

// ------------------------------------------------------------- slow-downs

TEST(MemoRallentamento, BuiltInSlowDownAt27900) {
  modello m = con_percorso(1381);
  tieni(m, memo_rallentamento(m, 27900, 70, 350, 0, 1, 0));
  EXPECT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.percorso[535].tipo, 4);
  EXPECT_EQ(m.percorso[559].tipo, 3);
  EXPECT_EQ(m.percorso[566].tipo, 2);
  for (int c : {535, 559, 566}) {
    EXPECT_EQ(m.percorso[c].dato1, 70) << c;
    EXPECT_EQ(m.percorso[c].dato2, 0) << c;
  }
  const int approccio[] = {534, 533, 532, 531};
  for (int d = 0; d < 4; ++d) {
    EXPECT_EQ(m.percorso[approccio[d]].tipo, 5) << approccio[d];
    EXPECT_EQ(m.percorso[approccio[d]].dato1, d + 1) << approccio[d];
    EXPECT_EQ(m.percorso[approccio[d]].dato2, 0) << approccio[d];
  }
  EXPECT_EQ(m.percorso[530].tipo, 0);
}

TEST(MemoRallentamento, WarningOnlyBeyond1500) {
  {  // 1500: no warning, no approach cells even with f_ta = 1.
    modello m = con_percorso(100);
    tieni(m, memo_rallentamento(m, 1500, 60, 350, 0, 1, 0));
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_EQ(m.percorso[31].tipo, 3);
    EXPECT_EQ(m.percorso[38].tipo, 2);
    for (int i = 0; i < 31; ++i) EXPECT_EQ(m.percorso[i].tipo, 0) << i;
  }
  {  // 1550 over 350 m: warning 8, start 32, end 39, approach 7, 6, 5, 4.
    modello m = con_percorso(100);
    tieni(m, memo_rallentamento(m, 1550, 60, 350, 0, 1, 0));
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_EQ(m.percorso[8].tipo, 4);
    EXPECT_EQ(m.percorso[32].tipo, 3);
    EXPECT_EQ(m.percorso[39].tipo, 2);
    const int approccio[] = {7, 6, 5, 4};
    for (int d = 0; d < 4; ++d) {
      EXPECT_EQ(m.percorso[approccio[d]].tipo, 5);
      EXPECT_EQ(m.percorso[approccio[d]].dato1, d + 1);
    }
    EXPECT_EQ(m.percorso[3].tipo, 0);
  }
}

TEST(MemoRallentamento, SecondAndThirdValuesWhereTheyBelong) {
  // d_v 40 and f_tt 7: dato2 on every cell (the approach cells count 1 to
  // 4), dato3 on start and end only.
  modello m = con_percorso(100);
  tieni(m, memo_rallentamento(m, 2500, 60, 300, 7, 1, 40));
  const int w = 27, s = 51, e = 57;
  EXPECT_EQ(m.percorso[w].dato2, 40);
  EXPECT_EQ(m.percorso[w].dato3, 0);
  for (int c : {s, e}) {
    EXPECT_EQ(m.percorso[c].dato1, 60);
    EXPECT_EQ(m.percorso[c].dato2, 40);
    EXPECT_EQ(m.percorso[c].dato3, 7);
  }
  for (int d = 0; d < 4; ++d) EXPECT_EQ(m.percorso[26 - d].dato2, d + 1);
}

TEST(MemoRallentamento, WithoutApproachFlagNoApproachCells) {
  modello m = con_percorso(100);
  tieni(m, memo_rallentamento(m, 2500, 60, 300, 0, 0, 0));
  EXPECT_EQ(m.percorso[27].tipo, 4);
  for (int c = 20; c < 27; ++c) EXPECT_EQ(m.percorso[c].tipo, 0) << c;
}

TEST(MemoRallentamento, StartAndEndInOneCellLeaveAStart) {
  modello m = con_percorso(100);
  tieni(m, memo_rallentamento(m, 2500, 60, 0, 5, 0, 0));
  EXPECT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.percorso[51].tipo, 3);
  EXPECT_EQ(m.percorso[51].dato1, 60);
  EXPECT_EQ(m.percorso[51].dato3, 5);
}

TEST(MemoRallentamento, RefusalsWriteNothing) {
  // Slow-down at 2500 over 300 m: warning 27, start 51, end 57.
  struct caso {
    const char* nome;
    int32_t l;
    int cella_occupata;  // -1: none
    int32_t atteso;
  } casi[] = {
      {"warning taken", 300, 27, 17},
      {"start taken", 300, 51, 18},
      {"end taken", 300, 57, 19},
      {"end beyond the route", 5000, -1, 19},
      {"end before cell 0", -5000, -1, 19},
  };
  for (const caso& k : casi) {
    modello m = con_percorso(100);
    if (k.cella_occupata >= 0) m.percorso[static_cast<size_t>(k.cella_occupata)].tipo = 14;
    const std::vector<cella> prima = m.percorso;
    tieni(m, memo_rallentamento(m, 2500, 60, k.l, 0, 1, 9));
    EXPECT_EQ(m.codice_errore, k.atteso) << k.nome;
    for (size_t i = 0; i < prima.size(); ++i) {
      EXPECT_EQ(m.percorso[i].tipo, prima[i].tipo) << k.nome << " cell " << i;
      EXPECT_EQ(m.percorso[i].dato1, 0) << k.nome << " cell " << i;
    }
  }
}

TEST(MemoRallentamento, TakenApproachCellGives20AndLeavesTheOtherMarks) {
  modello m = con_percorso(1381);
  m.percorso[532].tipo = 6;
  tieni(m, memo_rallentamento(m, 27900, 70, 350, 0, 1, 0));
  EXPECT_EQ(m.codice_errore, 20);
  EXPECT_EQ(m.percorso[535].tipo, 4);
  EXPECT_EQ(m.percorso[559].tipo, 3);
  EXPECT_EQ(m.percorso[566].tipo, 2);
  EXPECT_EQ(m.percorso[535].dato1, 70);
  EXPECT_EQ(m.percorso[566].dato1, 70);
  // No approach cell is written, not even those before the taken one.
  EXPECT_EQ(m.percorso[534].tipo, 0);
  EXPECT_EQ(m.percorso[533].tipo, 0);
  EXPECT_EQ(m.percorso[531].tipo, 0);
}

TEST(MemoRallentamento, MontagnaMarksCountAsFree) {
  modello m = con_percorso(100);
  for (int c : {27, 51, 57, 26, 25, 24, 23}) m.percorso[c].tipo = 11;
  tieni(m, memo_rallentamento(m, 2500, 60, 300, 0, 1, 0));
  EXPECT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.percorso[27].tipo, 4);
  EXPECT_EQ(m.percorso[23].tipo, 5);
}

}  // namespace
}  // namespace compattatore
