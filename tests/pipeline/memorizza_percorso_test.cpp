#include "pipeline/memorizza_percorso.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "pipeline/in_memoria.h"
#include "model/modello.h"
#include "tests/supporto/sorgenti_in_memoria.h"
#include "tests/supporto/testo_sorgente.h"

namespace compattatore {
namespace {



struct esecuzione {
  modello m;
  fonte_in_memoria f;
  destinazione_in_memoria d;
  int32_t esito = -1;
  raccolta_diagnostiche diagnostiche;
};

// Compiles a pair of sources in memory with the keys "C" (route) and "AB"
// (train), whose competition codes are 2546 (route file) and 33756 (table
// file).
esecuzione esegui(const std::string& testo_treno, const std::string& testo_linea = linea_minima) {
  esecuzione e;
  e.m.nome_linea = "C";
  e.m.nome_treno = "AB";
  e.f.testo_linea = testo_linea;
  e.f.testo_treno = testo_treno;
  e.esito = numero(memorizza_percorso(e.m, 1, e.f, e.d, e.diagnostiche));
  return e;
}

uint8_t byte_a(const std::string& s, size_t i) { return static_cast<uint8_t>(s[i]); }

TEST(MemorizzaPercorso, AWholeScenarioCompilesIntoFinishedFiles) {
  esecuzione e = esegui(treno({"velocita, 0, 100", "rallentamento, 27900, 70, 350, 0, 1, 0"}));
  ASSERT_EQ(e.esito, 0);
  EXPECT_EQ(e.m.codice_errore, 0);
  // Header values and codes.
  EXPECT_EQ(e.m.tabella[85].intero1, 610);
  EXPECT_EQ(e.m.tabella[85].orario, 33756);
  EXPECT_EQ(e.m.percorso[1].dato1, 5121);
  EXPECT_EQ(e.m.percorso[1].dato2, 2546);
  // Finished: a point 5 cells before the slow-down start (cell 559).
  EXPECT_EQ(e.m.percorso[554].tipo, 12);
  EXPECT_EQ(e.m.percorso[554].dato1, 180);
  // The three files, with the header cell inside the route file.
  EXPECT_TRUE(e.d.linea.scritto);
  EXPECT_TRUE(e.d.tabella.scritto);
  ASSERT_TRUE(e.d.percorso.scritto);
  EXPECT_EQ(e.d.percorso.nome, "C_AB.dat");
  ASSERT_EQ(e.d.percorso.byte.size(), 1381u * 15);
  EXPECT_EQ(byte_a(e.d.percorso.byte, 16), 0x01);
  EXPECT_EQ(byte_a(e.d.percorso.byte, 17), 0x14);
  EXPECT_EQ(byte_a(e.d.percorso.byte, 18), 2546 & 0xFF);
  EXPECT_EQ(byte_a(e.d.percorso.byte, 19), 2546 >> 8);
  EXPECT_EQ(byte_a(e.d.percorso.byte, 554 * 15), 12);
}

TEST(MemorizzaPercorso, HeaderGuardsStopTheRunBeforeAnyFile) {
  const std::string segnali_2_e_3 = "segnale, 50, 0,0,0,0,0,0,0,0,0,0\r\nsegnale, 100, 0,0,0,0,0,0,0,0,0,0";
  struct caso {
    const char* nome;
    std::string testo;
    int32_t esito;
  } casi[] = {
      {"signal in cell 1, first pair", treno({"segnale, 0, 0, 1,0,0, 0, 0, 0,0,0, 0"}), 1250},
      {"signal in cell 1 at 24 m, d1 only", treno({"segnale, 24, 0, 0,0,0, 0, 0, 3,0,0, 0"}), 1250},
      {"signal in cell 1, second pair", treno({"segnale, 0, 0, 0,1,0, 0, 0, 0,0,0, 0"}), 1251},
      {"signal in cell 1, second pair d2 only", treno({"segnale, 0, 0, 0,0,0, 0, 0, 0,2,0, 0"}), 1251},
      {"signal in cell 1 with both pairs zero", treno({"segnale, 0, 2, 0,0,4, 5, 1, 0,0,6, 50"}), 0},
      {"abbattimento with a value in cell 1", treno({"abbattimento, 50, 180"}), 1250},
      {"abbattimento without a value in cell 1", treno({"abbattimento, 50, 0"}), 0},
      // Step B1 of a start in cell 8 (cells 3 and 2 taken) marks cell 1.
      {"finishing before a slow-down start", treno({segnali_2_e_3, "rallentamento, 350, 120, 350, 0, 0, 0"}),
       1250},
      // Step A: the signal in cell 3, 5 cells before the warning in cell 8,
      // with cell 2 taken, gets its point in cell 1.
      {"finishing before a signal", treno({segnali_2_e_3, "rallentamento, 1550, 120, 350, 0, 0, 0"}), 1250},
  };
  for (const caso& k : casi) {
    esecuzione e = esegui(k.testo);
    EXPECT_EQ(e.esito, k.esito) << k.nome;
    EXPECT_EQ(e.d.linea.scritto, k.esito == 0) << k.nome;
    EXPECT_EQ(e.d.tabella.scritto, k.esito == 0) << k.nome;
    EXPECT_EQ(e.d.percorso.scritto, k.esito == 0) << k.nome;
    if (k.esito == 0) {
      EXPECT_EQ(e.m.percorso[1].dato1, 5121) << k.nome;
      EXPECT_EQ(e.m.percorso[1].dato2, 2546) << k.nome;
    }
  }
}

TEST(MemorizzaPercorso, AnErrorOfTheReaderDoesNotStopFinishingAndOutput) {
  struct caso {
    const char* nome;
    std::string testo;
    int32_t codice;
  } casi[] = {
      {"a refused signal", treno({"rallentamento, 27900, 70, 350, 0, 1, 0", "segnale, 27900, 0,0,0,0,0,0,0,0,0,0"}),
       16},
      {"a failure of reading", treno({"rallentamento, 27900, 70, 350, 0, 1, 0", "sabbia, molta"}), 25},
      {"a record beyond the route", treno({"rallentamento, 27900, 70, 350, 0, 1, 0", "velocita, 68950, 50"}),
       15},
  };
  for (const caso& k : casi) {
    esecuzione e = esegui(k.testo);
    EXPECT_EQ(e.esito, 0) << k.nome;
    EXPECT_EQ(e.m.codice_errore, k.codice) << k.nome;
    EXPECT_EQ(e.m.percorso[554].tipo, 12) << k.nome;  // finished
    EXPECT_EQ(e.m.percorso[1].dato1, 5121) << k.nome;
    EXPECT_TRUE(e.d.tabella.scritto) << k.nome;
    EXPECT_TRUE(e.d.percorso.scritto) << k.nome;
    EXPECT_EQ(e.d.percorso.byte.size(), 1381u * 15) << k.nome;
  }
}

TEST(MemorizzaPercorso, FinishingCodesAreStoredAndTheRunGoesOn) {
  // The signal in cell 10 stands 5 cells before the warning of the slow-down
  // at 1900 (cell 15); cells 9 and 8 hold signals too: no point, code 11.
  esecuzione e = esegui(treno({"segnale, 350, 0,0,0,0,0,0,0,0,0,0", "segnale, 400, 0,0,0,0,0,0,0,0,0,0",
                               "segnale, 450, 0,0,0,0,0,0,0,0,0,0", "rallentamento, 1900, 120, 350, 0, 0, 0"}));
  EXPECT_EQ(e.esito, 0);
  EXPECT_EQ(e.m.codice_errore, 11);
  EXPECT_EQ(e.m.posizione_errore, 10 * 50);
  EXPECT_TRUE(e.d.percorso.scritto);
}

TEST(MemorizzaPercorso, ARouteNeverSizedIsNotFinished) {
  esecuzione e = esegui(treno({"sabbia, 7"}), testo_di({"[generale]", "sfondo uno, 1", "[pendenze]"}));
  EXPECT_EQ(e.esito, 0);
  EXPECT_EQ(e.m.codice_errore, 25);
  EXPECT_TRUE(e.m.percorso.empty());
  EXPECT_TRUE(e.d.percorso.scritto);
  EXPECT_EQ(e.d.percorso.byte.size(), 0u);
}

}  // namespace
}  // namespace compattatore
