#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/fasi_lettura.h"
#include "pipeline/in_memoria.h"
#include "pipeline/memorizza_dati.h"
#include "model/modello.h"
#include "tests/supporto/modello_prova.h"
#include "tests/supporto/sorgenti_in_memoria.h"
#include "tests/supporto/testo_sorgente.h"

namespace compattatore {
namespace {


using compilazione = lettura_in_memoria;

// Reads a pair of sources in memory, as the compile step does.
compilazione compila(const std::string& testo_treno, const std::string& testo_linea = linea_minima) {
  return leggi_in_memoria(testo_linea, testo_treno, "Valle", "T1");
}

// A station record with the values that matter here; the others are 0.
std::string stazione(int32_t p, int tipo, int32_t l, int b5 = 0, int b4 = 0, std::string_view nome = "Borgo") {
  return "stazione, " + std::to_string(p) + ", " + std::to_string(tipo) + ", " + std::to_string(l) +
         ", 0, " + std::to_string(b5) + ", " + std::to_string(b4) + ", 0,0,0, 0,0,0, 0, 0,0,0, " +
         std::string(nome);
}

// The cells of the route whose `campo` differs from 0, as (cell, value).
template <typename F>
std::vector<std::pair<int, int>> non_zero(const modello& m, F campo) {
  std::vector<std::pair<int, int>> r;
  for (size_t i = 0; i < m.percorso.size(); ++i)
    if (int v = campo(m.percorso[i]); v != 0) r.emplace_back(static_cast<int>(i), v);
  return r;
}

using coppie = std::vector<std::pair<int, int>>;

// A stretch of cells that all hold `valore`.
struct tratto {
  int da, a, valore;
};

// ------------------------------------------------------------ train format

TEST(TrenoFormato, GeneralValuesByKeyword) {
  struct caso {
    const char* record;
    int32_t massa, vetture;
    int16_t sabbia, ore, minuti, secondi;
  } casi[] = {
      {"percentuale massa frenata, 80", 80, 0, 0, 0, 0, 0},
      {"frenata, 80", 0, 0, 0, 0, 0, 0},  // "massa" missing: 80 is then a field of no record
      {"massa, 80", 0, 0, 0, 0, 0, 0},
      {"Massa FRENATA, 80", 80, 0, 0, 0, 0, 0},
      {"numero vetture, 9", 0, 9, 0, 0, 0, 0},
      {"frenata massa vetture, 80, 9", 80, 9, 0, 0, 0, 0},  // one field, two records
      {"orologio,    15              28            20 ", 0, 0, 0, 15, 28, 20},
      {"orologio, 15, 28, 20", 0, 0, 0, 15, 28, 20},
      {"orologio, 15 28, 20", 0, 0, 0, 15, 28, 20},
      {"sabbia, 12", 0, 0, 12, 0, 0, 0},
      {"-- nota --, sabbia, 12", 0, 0, 12, 0, 0, 0},
      {"-a-, -b-, sabbia, 12", 0, 0, 12, 0, 0, 0},
      {"-a-, -b-, -c sabbia-, 12", 0, 0, 12, 0, 0, 0},  // a third comment is tested
      {"sabbia", 0, 0, 0, 0, 0, 0},  // the last field of the text is not tested
  };
  for (const caso& k : casi) {
    compilazione c = compila(treno({k.record}));
    const auto& t = c.m.tabella;
    EXPECT_EQ(c.m.codice_errore, 0) << k.record;
    EXPECT_EQ(t[84].inizio, k.massa) << k.record;
    EXPECT_EQ(t[84].posizione, k.vetture) << k.record;
    EXPECT_EQ(t[86].intero1, k.sabbia) << k.record;
    EXPECT_EQ(t[86].intero3, k.ore) << k.record;
    EXPECT_EQ(t[86].intero4, k.minuti) << k.record;
    EXPECT_EQ(t[86].intero5, k.secondi) << k.record;
    EXPECT_TRUE(c.f.treno_eliminata) << k.record;
  }
}

TEST(TrenoFormato, UnexpectedFailuresGive25AndDeleteTheText) {
  struct caso {
    const char* nome;
    std::string testo;
    motivo_fallimento motivo;
    int32_t riga;
  } casi[] = {
      {"speed 1280 written by the next record",
       treno({"velocita, 0, 1280", "velocita, 700, 100"}), motivo_fallimento::velocita_fuori_byte, 3},
      {"speed 1280 written by the fill to the end", treno({"velocita, 0, 1280"}),
       motivo_fallimento::velocita_fuori_byte, 0},
      {"negative speed", treno({"velocita, 0, -5", "velocita, 700, 100"}),
       motivo_fallimento::velocita_fuori_byte, 3},
      {"station kind 300", treno({stazione(1000, 300, 200)}), motivo_fallimento::fuori_byte, 2},
      // The missing value is looked for after the last line end, on line 3.
      {"clock cut short by the end", treno({"orologio, 15, 28"}), motivo_fallimento::testo_finito, 3},
      {"clock value beyond 16 bits", treno({"orologio, 15, 70000, 0"}), motivo_fallimento::fuori_16_bit, 2},
      {"sand that is not a number", treno({"sabbia, molta"}), motivo_fallimento::non_numero, 2},
      {"signal position beyond 32 bits", treno({"segnale, 3000000000, 0,0,0,0,0,0,0,0,0,0"}),
       motivo_fallimento::fuori_32_bit, 2},
  };
  for (const caso& k : casi) {
    compilazione c = compila(k.testo);
    EXPECT_EQ(c.m.codice_errore, 25) << k.nome;
    EXPECT_EQ(c.m.motivo_errore, k.motivo) << k.nome;
    EXPECT_EQ(c.m.sorgente_errore, sorgente::treno) << k.nome;
    EXPECT_EQ(c.m.riga_errore, k.riga) << k.nome;
    EXPECT_TRUE(c.f.treno_eliminata) << k.nome;
    EXPECT_TRUE(c.f.linea_eliminata) << k.nome;
  }
}

TEST(TrenoFormato, ATooFastSpeedFailsOnlyWhereItIsWritten) {
  {  // The records between are read; the adhesion fill and the test of the
     // kilometric references (which would give 2 here) do not run.
    compilazione c = compila(treno({"aderenza, 0, 60", "velocita, 0, 1280", "sabbia, 7", "aderenza, 0, 61"}),
                             testo_di({"[generale]", "lunghezza percorso, 62000",
                                    "progressiva chilometrica uno, 0, 150325, 0"}));
    EXPECT_EQ(c.m.codice_errore, 25);
    EXPECT_EQ(c.m.tabella[86].intero1, 7);
    EXPECT_EQ(non_zero(c.m, [](const cella& z) { return z.aderenza; }), coppie{});
  }
  {  // A speed that never reaches a cell fails nowhere.
    compilazione c = compila(treno({"velocita, 0, 1280", "velocita, 0, 100"}));
    EXPECT_EQ(c.m.codice_errore, 0);
    EXPECT_EQ(c.m.percorso[0].velocita, 20);
  }
}

TEST(TrenoFormato, AStationNameEndsAtAComma) {
  compilazione c = compila(treno({stazione(1000, 12, 200, 0, 0, "Borgo, sabbia, 7")}));
  EXPECT_EQ(c.m.codice_errore, 0);
  EXPECT_EQ(c.m.tabella[1].nome, "Borgo");
  EXPECT_EQ(c.m.tabella[86].intero1, 7);  // the rest was the next keyword field
}

TEST(TrenoFormato, WithoutGeneraleNothingIsReadAndNothingFails) {
  compilazione c = compila(testo_di({"[aderenze]", "aderenza, 0, 60", "sabbia, 7", "velocita, 0, 100"}));
  EXPECT_EQ(c.m.codice_errore, 0);
  EXPECT_EQ(c.m.tabella[86].intero1, 0);
  EXPECT_EQ(non_zero(c.m, [](const cella& z) { return z.aderenza + z.velocita; }), coppie{});
  EXPECT_TRUE(c.f.treno_eliminata);
}

TEST(TrenoFormato, RecordsBeforeGeneraleAreSkipped) {
  compilazione c = compila("sabbia, 5\r\n[Generale]\r\norologio, 1, 2, 3\r\n");
  EXPECT_EQ(c.m.tabella[86].intero1, 0);
  EXPECT_EQ(c.m.tabella[86].intero3, 1);
}

// ---------------------------------------------------- speed and adhesion

void controlla_tratti(const modello& m, const std::vector<tratto>& attesi, uint8_t cella::*campo,
                      const std::string& nome) {
  for (const tratto& t : attesi)
    for (int i = t.da; i <= t.a; ++i)
      ASSERT_EQ(m.percorso[static_cast<size_t>(i)].*campo, t.valore) << nome << " cell " << i;
}

TEST(TrenoVelocita, CellsFromTheCursorToTheNextRecordOrTheEnd) {
  struct caso {
    const char* nome;
    std::string testo;
    std::vector<tratto> attesi;
  } casi[] = {
      {"30 from 0, 100 from 700", treno({"velocita, 0, 30", "velocita, 700, 100"}),
       {{0, 13, 6}, {14, 1377, 20}, {1378, 1380, 0}}},
      {"1277 stores 255", treno({"velocita, 0, 1277"}), {{0, 1377, 255}}},
      {"quotients round", treno({"velocita, 0, 13", "velocita, 100, 12"}), {{0, 1, 3}, {2, 1377, 2}}},
      {"a first record further on: 0 before it", treno({"velocita, 1000, 50"}),
       {{0, 19, 0}, {20, 1377, 10}}},
      {"a record out of order still writes one cell",
       treno({"velocita, 700, 100", "velocita, 350, 50"}), {{0, 13, 0}, {14, 14, 20}, {15, 1377, 10}}},
      // The records never write the last cell; the fill writes at least one.
      {"records out of order at the end",
       treno({"velocita, 68900, 5", "velocita, 68900, 10", "velocita, 68900, 15", "velocita, 68900, 20"}),
       {{0, 1377, 0}, {1378, 1378, 1}, {1379, 1379, 2}, {1380, 1380, 4}}},
      {"no record", treno({"sabbia, 1"}), {{0, 1380, 0}}},
  };
  for (const caso& k : casi) {
    compilazione c = compila(k.testo);
    EXPECT_EQ(c.m.codice_errore, 0) << k.nome;
    controlla_tratti(c.m, k.attesi, &cella::velocita, k.nome);
  }
}

TEST(TrenoAderenza, CellsFromTheCursorToTheNextRecordOrTheEnd) {
  struct caso {
    const char* nome;
    std::string testo;
    std::vector<tratto> attesi;
  } casi[] = {
      {"60 from 0, 70 from 26200", treno({"aderenza, 0, 60", "aderenza, 26200, 70"}),
       {{0, 523, 60}, {524, 1377, 70}, {1378, 1380, 0}}},
      {"low 8 bits", treno({"aderenza, 0, 300"}), {{0, 1377, 44}}},
      {"a first record further on: 0 before it", treno({"aderenza, 1000, 50"}),
       {{0, 19, 0}, {20, 1377, 50}}},
      // Each record out of order writes one more cell; past the last cell
      // the cursor writes nothing, and neither does the fill.
      {"records out of order at the end",
       treno({"aderenza, 68900, 1", "aderenza, 68900, 2", "aderenza, 68900, 3", "aderenza, 68900, 4",
              "aderenza, 68900, 5", "aderenza, 68900, 6"}),
       {{0, 1377, 0}, {1378, 1378, 1}, {1379, 1379, 2}, {1380, 1380, 3}}},
  };
  for (const caso& k : casi) {
    compilazione c = compila(k.testo);
    EXPECT_EQ(c.m.codice_errore, 0) << k.nome;
    controlla_tratti(c.m, k.attesi, &cella::aderenza, k.nome);
  }
}

TEST(TrenoVelocita, ARecordBeyondTheRouteEndsTheReadingButNotTheFills) {
  compilazione c = compila(treno({"velocita, 0, 50", "aderenza, 68950, 70", "sabbia, 7", "velocita, 100, 100"}));
  EXPECT_EQ(c.m.codice_errore, 15);
  EXPECT_EQ(c.m.posizione_errore, 68950);
  EXPECT_EQ(c.m.riga_errore, 3);
  EXPECT_EQ(c.m.tabella[86].intero1, 0);
  EXPECT_EQ(c.m.percorso[1377].velocita, 10);
}

// ---------------------------------------------------------------- stations

TEST(TrenoStazioni, WorkedExampleOfStation1) {
  compilazione c = compila(
      treno({"stazione,       0, 12, 1000,  1, 0, 0,  4,1,0,  2,1,1,    1,  15,29, 0, Borgo Alto"}));
  EXPECT_EQ(c.m.codice_errore, 0);
  const voce& e = c.m.tabella[1];
  EXPECT_EQ(e.tipo, 12);
  EXPECT_EQ(e.posizione, 0);
  EXPECT_EQ(e.inizio, -500);
  EXPECT_EQ(e.fine, 500);
  EXPECT_EQ(e.orario, 55740);
  EXPECT_EQ(e.nome, "Borgo Alto");
  EXPECT_EQ(e.byte1, 1);
  EXPECT_EQ(e.intero1, 4);
  EXPECT_EQ(e.intero2, 1);
  EXPECT_EQ(e.byte2, 0);
  EXPECT_EQ(e.intero3, 2);
  EXPECT_EQ(e.intero4, 1);
  EXPECT_EQ(e.intero5, 1);
  EXPECT_EQ(e.byte3, 1);
  EXPECT_EQ(non_zero(c.m, [](const cella& z) { return z.marca; }),
            (coppie{{5, 84}, {6, 83}, {7, 82}, {8, 81}}));
  EXPECT_EQ(non_zero(c.m, [](const cella& z) { return z.tipo; }), (coppie{{9, 10}}));
  EXPECT_EQ(c.m.percorso[9].dato1, 1);
}

TEST(TrenoStazioni, ExtentAndCellsByKind) {
  // Station 2 at 11000 with byte5 and byte4 set (station 1 at 1000 is of a
  // kind that writes no cell).
  struct caso {
    int tipo;
    int32_t l;
    int32_t inizio, fine;
    uint8_t byte4, byte5;
    bool marche;
  } casi[] = {
      {12, 1000, 10500, 11550, 1, 1, true},  // byte4 lengthens it by 50
      {24, 1000, 10500, 11550, 1, 1, true},
      {12, 500, 10750, 11300, 1, 0, true},   // below 600 m byte5 is cleared
      {5, 1000, 10000, 11150, 0, 1, false},
      {6, 1000, 10000, 11150, 0, 1, false},
      {7, 1000, 10000, 12000, 0, 1, true},
      {8, 1000, 10000, 12000, 0, 1, true},
      {25, 1000, 10500, 11550, 1, 1, false},
      {27, 1000, 10500, 11550, 1, 1, false},
  };
  for (const caso& k : casi) {
    compilazione c = compila(treno({stazione(1000, 27, 200), stazione(11000, k.tipo, k.l, 1, 1)}));
    const std::string nome = "kind " + std::to_string(k.tipo) + " length " + std::to_string(k.l);
    EXPECT_EQ(c.m.codice_errore, 0) << nome;
    const voce& e = c.m.tabella[2];
    EXPECT_EQ(e.inizio, k.inizio) << nome;
    EXPECT_EQ(e.fine, k.fine) << nome;
    EXPECT_EQ(e.byte4, k.byte4) << nome;
    EXPECT_EQ(e.byte5, k.byte5) << nome;
    const int f = k.fine / 50;
    coppie marche, fermate;
    if (k.marche) marche = {{f - 5, 84}, {f - 4, 83}, {f - 3, 82}, {f - 2, 81}};
    if (k.tipo < 25) fermate = {{f - 1, 10}};
    EXPECT_EQ(non_zero(c.m, [](const cella& z) { return z.marca; }), marche) << nome;
    EXPECT_EQ(non_zero(c.m, [](const cella& z) { return z.tipo; }), fermate) << nome;
    if (k.tipo < 25) {
      EXPECT_EQ(c.m.percorso[static_cast<size_t>(f - 1)].dato1, 2) << nome;
    }
  }
}

TEST(TrenoStazioni, TheFirstStationClearsItsFlagsAfterItsExtent) {
  compilazione c = compila(treno({stazione(1000, 12, 1000, 1, 1)}));
  EXPECT_EQ(c.m.tabella[1].fine, 1550);
  EXPECT_EQ(c.m.tabella[1].byte4, 0);
  EXPECT_EQ(c.m.tabella[1].byte5, 0);
}

TEST(TrenoStazioni, TheStopCellTakesTheStationWhateverItHeld) {
  compilazione c = compila(treno({"segnale, 1000, 0,0,0,0,0,0,0,0,0,0", stazione(1000, 12, 200)}));
  EXPECT_EQ(c.m.codice_errore, 0);
  EXPECT_EQ(c.m.percorso[21].tipo, 10);
  EXPECT_EQ(c.m.percorso[21].dato1, 1);
}

TEST(TrenoStazioni, At350MetresAfterThePreviousEnd) {
  // Station 1 ends at 1100. A station of length 200 at P starts at P - 100.
  struct caso {
    int32_t p;
    int32_t codice;
  } casi[] = {{1550, 0}, {1600, 0}, {1500, 22}};
  for (const caso& k : casi) {
    compilazione c = compila(treno({stazione(1000, 12, 200), stazione(k.p, 12, 200), "sabbia, 7"}));
    EXPECT_EQ(c.m.codice_errore, k.codice) << k.p;
    if (k.codice == 22) {
      EXPECT_EQ(c.m.posizione_errore, k.p);
      EXPECT_EQ(c.m.riga_errore, 3);
      EXPECT_EQ(c.m.tabella[86].intero1, 0);  // nothing after it is read
      // The refused station stays, with its cells.
      EXPECT_EQ(c.m.tabella[2].posizione, k.p);
      EXPECT_EQ(c.m.tabella[2].fine, k.p + 100);
      const size_t fermata = static_cast<size_t>((k.p + 100) / 50 - 1);
      EXPECT_EQ(c.m.percorso[fermata].tipo, 10);
      EXPECT_EQ(c.m.percorso[fermata].dato1, 2);
      EXPECT_EQ(c.m.percorso[fermata - 1].marca, 81);
    }
  }
}

TEST(TrenoStazioni, RefusedStationsKeepWhatWasReadBeforeTheirCheck) {
  struct caso {
    const char* nome;
    std::string record;
    int32_t codice;
    bool con_posizione;
    uint8_t tipo_letto;
    std::string nome_letto;
  } casi[] = {
      {"position not a multiple of 50", stazione(1025, 12, 1000), 8, true, 0, ""},
      {"length not a multiple of 100", stazione(1000, 12, 1050), 9, true, 12, ""},
      {"ending in cell 1", stazione(50, 12, 100), 24, false, 12, "Borgo"},
  };
  for (const caso& k : casi) {
    compilazione c = compila(treno({"velocita, 0, 100", k.record, "sabbia, 7"}));
    EXPECT_EQ(c.m.codice_errore, k.codice) << k.nome;
    EXPECT_EQ(c.m.posizione_valida, k.con_posizione) << k.nome;
    if (k.con_posizione) {
      EXPECT_EQ(c.m.posizione_errore, c.m.tabella[1].posizione) << k.nome;
    }
    EXPECT_EQ(c.m.riga_errore, 3) << k.nome;
    EXPECT_EQ(c.m.tabella[1].tipo, k.tipo_letto) << k.nome;
    EXPECT_EQ(c.m.tabella[1].nome, k.nome_letto) << k.nome;
    EXPECT_EQ(c.m.tabella[86].intero1, 0) << k.nome;
    EXPECT_EQ(c.m.percorso[0].velocita, 0) << k.nome;  // no fill after a failure exit
    EXPECT_TRUE(c.f.treno_eliminata) << k.nome;
  }
}

TEST(TrenoStazioni, KindsWithoutAStopCellNeverEndInCell1) {
  compilazione c = compila(treno({stazione(50, 27, 100)}));
  EXPECT_EQ(c.m.codice_errore, 0);
  EXPECT_EQ(c.m.tabella[1].fine, 100);
}

TEST(TrenoStazioni, BeyondTheExtendedRoute) {
  // Last cell 1380: a station passes the range test up to P = 68200. A long
  // one there would put its stop cell past the last cell: it is treated as
  // beyond the route too, and none of its cells is written.
  struct caso {
    const char* nome;
    std::string record;
    int32_t codice;
  } casi[] = {
      {"P + 800 beyond the route", stazione(68250, 12, 1000), 15},
      {"P + 800 at the end of the route", stazione(68200, 12, 1000), 0},
      {"stop cell past the last cell", stazione(68200, 7, 2000), 15},
  };
  for (const caso& k : casi) {
    compilazione c = compila(treno({"velocita, 0, 50", k.record, "sabbia, 7"}));
    EXPECT_EQ(c.m.codice_errore, k.codice) << k.nome;
    EXPECT_EQ(c.m.percorso[1377].velocita, 10) << k.nome;  // the end steps ran
    if (k.codice == 15) {
      EXPECT_EQ(c.m.posizione_errore, c.m.tabella[1].posizione) << k.nome;
      EXPECT_EQ(c.m.riga_errore, 3) << k.nome;
      EXPECT_EQ(c.m.tabella[86].intero1, 0) << k.nome;
      EXPECT_EQ(non_zero(c.m, [](const cella& z) { return z.marca + z.tipo; }), coppie{}) << k.nome;
    } else {
      EXPECT_EQ(c.m.percorso[1373].tipo, 10) << k.nome;
      EXPECT_EQ(c.m.tabella[86].intero1, 7) << k.nome;
    }
  }
}

TEST(TrenoStazioni, StationsMeetTheSignsAtTheSignSlot) {
  // 24 signs take entries 80 to 57: the sign slot is 56. The 54th station
  // is accepted; the 55th is stored and then gives 10.
  std::string linea = testo_di({"[generale]", "lunghezza percorso, 62000", "[cartelli]"});
  for (int i = 0; i < 24; ++i)
    linea += testo_di({"cartello_indicatore, " + std::to_string(40000 + 100 * i) + ", (SEGNO)"});
  for (int quante : {54, 55}) {
    std::string testo = "[generale]\r\n";
    for (int s = 1; s <= quante; ++s) testo += stazione(500 * s, 27, 100) + "\r\n";
    testo += "sabbia, 7\r\n";
    compilazione c = compila(testo, linea);
    EXPECT_EQ(c.m.tabella[57].nome, "(SEGNO)");
    EXPECT_EQ(c.m.tabella[static_cast<size_t>(quante)].posizione, 500 * quante) << quante;
    if (quante == 54) {
      EXPECT_EQ(c.m.codice_errore, 0);
      EXPECT_EQ(c.m.tabella[86].intero1, 7);
    } else {
      EXPECT_EQ(c.m.codice_errore, 10);
      EXPECT_FALSE(c.m.posizione_valida);
      EXPECT_EQ(c.m.tabella[86].intero1, 0);
    }
    EXPECT_EQ(c.m.tabella[56].posizione, 0) << quante;
  }
}

TEST(TrenoStazioni, NoEntryBelowTheSignSlotRefusesTheFirstStation) {
  // Signs down to entry 2 leave the slot at 1: a station would take the slot
  // itself, or (slot 0) a sign's entry.
  for (int32_t slot : {1, 0}) {
    modello m = con_percorso(1381);
    m.tabella[1].nome = "(SEGNO)";
    stato_lettura stato;
    stato.slot_cartello = slot;
    const std::string testo = treno({stazione(1000, 12, 200)});
    lettore_campi campi(testo);
    raccolta_diagnostiche diagnostiche;
    EXPECT_FALSE(leggi_treno(m, campi, stato, diagnostiche)) << slot;
    EXPECT_EQ(m.codice_errore, 10) << slot;
    EXPECT_EQ(m.tabella[1].nome, "(SEGNO)") << slot;
    EXPECT_EQ(m.tabella[1].posizione, 0) << slot;
  }
}

// ------------------------------------------- signals, slow-downs, abbattimento

TEST(TrenoElementi, BuiltInSignalAndSlowDownThroughTheReader) {
  compilazione c = compila(treno({"segnale,    1350,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
                                  "rallentamento,   27900,    70,  350, 0,  1,  0"}));
  EXPECT_EQ(c.m.codice_errore, 0);
  const cella& s = c.m.percorso[28];
  EXPECT_EQ(s.tipo, 1);
  EXPECT_EQ(s.dato4, 6);
  EXPECT_EQ(s.dato1, 40);
  EXPECT_EQ(s.dato2, 10);
  EXPECT_EQ(non_zero(c.m, [](const cella& z) { return z.marca; }),
            (coppie{{20, 64}, {22, 63}, {24, 62}, {26, 61}}));
  EXPECT_EQ(non_zero(c.m, [](const cella& z) { return z.tipo; }),
            (coppie{{28, 1}, {531, 5}, {532, 5}, {533, 5}, {534, 5}, {535, 4}, {559, 3}, {566, 2}}));
}

TEST(TrenoElementi, ARefusedElementEndsTheReadingAtItsPosition) {
  const char* segnale_28 = "segnale, 1350, 0,0,0,0,0,0,0,0,0,0";
  struct caso {
    const char* nome;
    std::string primo;
    std::string secondo;
    int32_t codice;
    int32_t posizione;
  } casi[] = {
      {"signal on a taken cell", segnale_28, "segnale, 1360, 0,0,0,0,0,0,0,0,0,0", 16, 1360},
      {"slow-down warning taken", "segnale, 26700, 0,0,0,0,0,0,0,0,0,0",
       "rallentamento, 27900, 70, 350, 0, 1, 0", 17, 27900},
      {"slow-down start taken", "segnale, 27900, 0,0,0,0,0,0,0,0,0,0",
       "rallentamento, 27900, 70, 350, 0, 1, 0", 18, 27900},
      {"slow-down end taken", "segnale, 28250, 0,0,0,0,0,0,0,0,0,0",
       "rallentamento, 27900, 70, 350, 0, 1, 0", 19, 27900},
      {"abbattimento on a taken cell", segnale_28, "abbattimento, 1400, 180", 7, 1400},
      {"abbattimento before the route", segnale_28, "abbattimento, -100, 180", 7, -100},
  };
  for (const caso& k : casi) {
    compilazione c = compila(treno({"velocita, 0, 100", k.primo, k.secondo, "sabbia, 7"}));
    EXPECT_EQ(c.m.codice_errore, k.codice) << k.nome;
    EXPECT_EQ(c.m.posizione_errore, k.posizione) << k.nome;
    EXPECT_EQ(c.m.sorgente_errore, sorgente::treno) << k.nome;
    EXPECT_EQ(c.m.riga_errore, 4) << k.nome;
    EXPECT_EQ(c.m.tabella[86].intero1, 0) << k.nome;
    EXPECT_EQ(c.m.percorso[0].velocita, 0) << k.nome;
    EXPECT_TRUE(c.f.treno_eliminata) << k.nome;
  }
}

TEST(TrenoElementi, Error20LeavesTheOtherMarksOfTheSlowDown) {
  // A signal in cell 532, among the approach cells 534 to 531.
  compilazione c = compila(treno({"segnale, 26550, 0,0,0,0,0,0,0,0,0,0", "rallentamento, 27900, 70, 350, 0, 1, 0"}));
  EXPECT_EQ(c.m.codice_errore, 20);
  EXPECT_EQ(c.m.posizione_errore, 27900);
  EXPECT_EQ(non_zero(c.m, [](const cella& z) { return z.tipo; }),
            (coppie{{532, 1}, {535, 4}, {559, 3}, {566, 2}}));
}

TEST(TrenoElementi, ACode15OfTheLinePhaseStopsTheFirstSignalOrSlowDown) {
  const std::string linea = testo_di({"[generale]", "lunghezza percorso, 62000", "[pendenze]", "pendenza, 68950, 0"});
  struct caso {
    const char* nome;
    const char* record;
    int32_t posizione;
    int cella;
  } casi[] = {
      {"signal", "segnale, 1350, 0,0,0,0,0,0,0,0,0,0", 1350, 28},
      {"slow-down", "rallentamento, 27900, 70, 350, 0, 0, 0", 27900, 559},
  };
  for (const caso& k : casi) {
    compilazione c = compila(treno({"sabbia, 7", k.record, "velocita, 0, 100"}), linea);
    EXPECT_EQ(c.m.codice_errore, 15) << k.nome;
    EXPECT_EQ(c.m.posizione_errore, k.posizione) << k.nome;
    EXPECT_EQ(c.m.sorgente_errore, sorgente::treno) << k.nome;
    EXPECT_EQ(c.m.riga_errore, 3) << k.nome;
    EXPECT_EQ(c.m.tabella[86].intero1, 7) << k.nome;      // read before it
    EXPECT_NE(c.m.percorso[static_cast<size_t>(k.cella)].tipo, 0) << k.nome;  // the recorder ran
    EXPECT_EQ(c.m.percorso[0].velocita, 0) << k.nome;     // failure exit: no fills
  }
  {  // Without signals and slow-downs the line phase's 15 stays as it was.
    compilazione c = compila(treno({"sabbia, 7", "velocita, 0, 100"}), linea);
    EXPECT_EQ(c.m.codice_errore, 15);
    EXPECT_EQ(c.m.posizione_errore, 68950);
    EXPECT_EQ(c.m.sorgente_errore, sorgente::linea);
    EXPECT_EQ(c.m.percorso[0].velocita, 20);
  }
}

TEST(TrenoElementi, AbbattimentoWithAValueAndWithout) {
  struct caso {
    const char* record;
    uint8_t tipo;
    int16_t dato1;
  } casi[] = {
      {"abbattimento, 27900, 180", 12, 180},
      {"abbattimento, 27900, 1", 12, 1},
      {"abbattimento, 27900, 0", 13, 0},
      {"abbattimento, 27900, -3", 13, 0},
      {"abbattimento, 27900, 70000", 12, 4464},  // low 16 bits
      {"abbattimento, 27925, 180", 12, 180},     // 558.5 rounds to 558
  };
  for (const caso& k : casi) {
    compilazione c = compila(treno({k.record}));
    EXPECT_EQ(c.m.codice_errore, 0) << k.record;
    EXPECT_EQ(non_zero(c.m, [](const cella& z) { return z.tipo; }), (coppie{{558, k.tipo}})) << k.record;
    EXPECT_EQ(c.m.percorso[558].dato1, k.dato1) << k.record;
  }
}

TEST(TrenoElementi, AbbattimentoOnAMontagnaMarkIsAccepted) {
  // The montagna element 27000-28000 of kind 12 marks every 4th cell from
  // cell 540 with tipo 11: 543, 547, 551, 555, 559.
  const std::string linea =
      testo_di({"[generale]", "lunghezza percorso, 62000", "[montagne]", "montagna, 27000, 28000, 12"});
  compilazione c = compila(treno({"abbattimento, 27750, 180"}), linea);
  EXPECT_EQ(c.m.codice_errore, 0);
  EXPECT_EQ(c.m.percorso[555].tipo, 12);
  EXPECT_EQ(c.m.percorso[555].montagna, 2);
}

// ------------------------------------------------------- end of the phase

TEST(TrenoFine, KilometricReferencesNotMultiplesOf50GiveCode2Last) {
  struct caso {
    const char* nome;
    const char* progressiva;
    std::string testo_treno;
    int32_t codice;
  } casi[] = {
      {"a clean read", "progressiva chilometrica uno, 0, 150325, 0", treno({"sabbia, 7"}), 2},
      {"after a code 15", "progressiva chilometrica uno, 0, 150325, 0",
       treno({stazione(68250, 12, 1000)}), 2},
      {"adjusted by 100", "progressiva chilometrica uno, 0, 150300, 1", treno({"sabbia, 7"}), 0},
      {"not after a failure exit", "progressiva chilometrica uno, 0, 150325, 0",
       treno({stazione(1025, 12, 1000)}), 8},
  };
  for (const caso& k : casi) {
    compilazione c = compila(k.testo_treno, testo_di({"[generale]", "lunghezza percorso, 62000", k.progressiva}));
    EXPECT_EQ(c.m.codice_errore, k.codice) << k.nome;
    EXPECT_TRUE(c.f.treno_eliminata) << k.nome;
  }
}

}  // namespace
}  // namespace compattatore
