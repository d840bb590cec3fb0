// The line phase of the reader, run through memorizza_dati on line sources
// held in memory.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "pipeline/in_memoria.h"
#include "pipeline/memorizza_dati.h"
#include "model/modello.h"
#include "tests/supporto/sorgenti_in_memoria.h"
#include "tests/supporto/testo_sorgente.h"

namespace compattatore {
namespace {

using righe = std::vector<std::string>;

// "[generale]" and a route length, then `resto`.
righe con_lunghezza(int64_t lunghezza, const righe& resto) {
  righe r{"[generale]", "lunghezza percorso,    " + std::to_string(lunghezza)};
  r.insert(r.end(), resto.begin(), resto.end());
  return r;
}

// A train source with nothing in it to place.
const char* const treno_vuoto = "[generale]\r\n[fine]\r\n";

struct lettura {
  modello m;
  bool treno_letto = false;
  bool linea_eliminata = false;
  bool treno_eliminata = false;
};

lettura compila(std::optional<std::string> linea, int32_t crea_linea = 0) {
  lettura_in_memoria letta = leggi_in_memoria(std::move(linea), treno_vuoto, "Valmora_Tessa", "R7736", crea_linea);
  lettura l;
  l.m = std::move(letta.m);
  l.treno_letto = letta.f.treno_letto;
  l.linea_eliminata = letta.f.linea_eliminata;
  l.treno_eliminata = letta.f.treno_eliminata;
  return l;
}

std::vector<int> pendenze(const modello& m) {
  std::vector<int> v;
  for (const cella& c : m.percorso) v.push_back(c.pendenza);
  return v;
}

// The gradient of every cell: `valori` lists (first cell, value) runs, each
// up to the next run; `ultima` is the last cell.
std::vector<int> a_tratti(std::vector<std::pair<int, int>> valori, int ultima) {
  std::vector<int> v(static_cast<size_t>(ultima) + 1);
  for (size_t i = 0; i < valori.size(); ++i) {
    int fino = i + 1 < valori.size() ? valori[i + 1].first : ultima + 1;
    for (int c = valori[i].first; c < fino; ++c) v[static_cast<size_t>(c)] = valori[i].second;
  }
  return v;
}

// Heading of the track at metre `metro`, in radians from +y, positive
// towards +x.
double direzione(const planimetria& p, int metro) {
  return std::atan2(p.x[metro] - p.x[metro - 1], p.y[metro] - p.y[metro - 1]);
}

// --- Lexical rules and keyword tests ---------------------------------------

TEST(LettoreLinea, KeywordAndCommentRules) {
  const righe dieci_commenti(10, "-- nota --");
  const righe nove_commenti(9, "-- nota --");
  auto piu = [](righe a, const righe& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  struct caso {
    const char* nome;
    righe testo;
    bool fine_riga_finale;
    std::function<void(const modello&)> verifica;
  } casi[] = {
      {"mixed-case route length keyword is recognised",
       {"[generale]", "Lunghezza Percorso, 100"}, true,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[84].fine, 100);
         EXPECT_EQ(m.ultima_cella, 142);
         EXPECT_EQ(m.percorso.size(), 143u);
       }},
      {"'progressiva' with a capital letter is no kilometric reference",
       con_lunghezza(0, {"Progressiva chilometrica uno,    0,    150300,    1"}), true,
       [](const modello& m) {
         for (int e = 81; e <= 83; ++e) EXPECT_EQ(m.tabella[e].fine, 0) << e;
       }},
      {"kilometric references are ordered and adjusted before the route records",
       con_lunghezza(0, {"progressiva chilometrica uno,    0,    150300,    1",
                         "progressiva chilometrica due,    0,    0,    0",
                         "progressiva chilometrica tre,    0,    0,    0"}),
       true,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[81].fine, 150400);
         EXPECT_EQ(m.tabella[81].posizione, 1);
         EXPECT_EQ(m.tabella[83].fine, 0);
       }},
      {"ten comment fields in a row in the general part are skipped",
       con_lunghezza(0, piu(dieci_commenti, {"sfondo uno, 7"})), true,
       [](const modello& m) { EXPECT_EQ(m.tabella[85].inizio, 7); }},
      {"the eleventh comment field in a row is tested",
       con_lunghezza(0, piu(dieci_commenti, {"- sfondo uno -, 7"})), true,
       [](const modello& m) { EXPECT_EQ(m.tabella[85].inizio, 7); }},
      {"the tenth comment field in a row is still skipped",
       con_lunghezza(0, piu(nove_commenti, {"- sfondo uno -, 7"})), true,
       [](const modello& m) { EXPECT_EQ(m.tabella[85].inizio, 0); }},
      {"the third comment field in a row after the general part is tested",
       con_lunghezza(0, {"[pendenze]", "-- a --", "-- b --", "-pendenza-, 500, 3"}), true,
       [](const modello& m) { EXPECT_EQ(pendenze(m), a_tratti({{0, 100}, {10, 103}, {138, 0}}, 140)); }},
      {"the second comment field in a row after the general part is skipped",
       con_lunghezza(0, {"[pendenze]", "-- a --", "-pendenza-, 500, 3"}), true,
       [](const modello& m) { EXPECT_EQ(pendenze(m), a_tratti({{0, 100}, {138, 0}}, 140)); }},
      {"a keyword field that ends the general part is not tested",
       con_lunghezza(0, {"sfondo uno"}), true,
       [](const modello& m) { EXPECT_EQ(m.tabella[85].inizio, 0); }},
      {"a keyword field that ends the file is not tested",
       con_lunghezza(0, {"[pendenze]", "pendenza"}), true,
       [](const modello& m) { EXPECT_EQ(pendenze(m), a_tratti({{0, 100}, {138, 0}}, 140)); }},
      {"a keyword field that ends the file after a comment field is not tested",
       con_lunghezza(0, {"[pendenze]", "-- a --", "pendenza"}), true,
       [](const modello& m) { EXPECT_EQ(pendenze(m), a_tratti({{0, 100}, {138, 0}}, 140)); }},
      {"a keyword field that ends the file after two comment fields is not tested",
       con_lunghezza(0, {"[pendenze]", "-- a --", "-- b --", "pendenza"}), true,
       [](const modello& m) { EXPECT_EQ(pendenze(m), a_tratti({{0, 100}, {138, 0}}, 140)); }},
      {"values that end the file are read",
       con_lunghezza(0, {"[pendenze]", "pendenza,  500,   3"}), false,
       [](const modello& m) { EXPECT_EQ(pendenze(m), a_tratti({{0, 100}, {10, 103}, {138, 0}}, 140)); }},
      {"values that end the general part and the file are read",
       con_lunghezza(0, {"sfondo tre,    1"}), false,
       [](const modello& m) { EXPECT_EQ(m.tabella[85].fine, 1); }},
      {"general records after the general part and route records in it are ignored",
       con_lunghezza(0, {"pendenza, 500, 3", "[curve]", "sfondo uno, 5", "lunghezza percorso, 900"}),
       true,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[85].inizio, 0);
         EXPECT_EQ(m.tabella[84].fine, 0);
         EXPECT_EQ(pendenze(m), a_tratti({{0, 100}, {138, 0}}, 140));
       }},
      {"fields before \"[generale]\" are skipped, and it is found in any case",
       {"sfondo uno, 9", "[Generale]", "lunghezza percorso, 0", "[fine]"}, true,
       [](const modello& m) { EXPECT_EQ(m.tabella[85].inizio, 0); }},
      {"a sign text keeps a minus sign",
       con_lunghezza(0, {"[indicazioni]", "cartello_indicatore,  450,   (PONTE-SUL)(FIUME)"}), true,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[80].nome, "(PONTE-SUL)(FIUME)");
         EXPECT_EQ(m.percorso[10].tipo, 14);
         EXPECT_EQ(m.percorso[10].dato1, 80);
       }},
      {"a sign text is cut at a comma and its rest is the next keyword field",
       con_lunghezza(0, {"[indicazioni]", "cartello_indicatore,  450,   (FINE,pendenza), 600, 2"}),
       true,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[80].nome, "(FINE");
         EXPECT_EQ(pendenze(m), a_tratti({{0, 100}, {12, 102}, {138, 0}}, 140));
       }},
      {"repetition with 9 codes",
       con_lunghezza(0, {"ripetizione segnali 9 codici,    0,    60000"}), true,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[86].inizio, 0);
         EXPECT_EQ(m.tabella[86].fine, 60000);
         EXPECT_EQ(m.tabella[86].posizione, 9);
       }},
      {"repetition: the digit 4 is tested first",
       con_lunghezza(0, {"ripetizione segnali 9 o 4 codici,    0,    60000"}), true,
       [](const modello& m) { EXPECT_EQ(m.tabella[86].posizione, 4); }},
      {"repetition ending at 0 has code system 0",
       con_lunghezza(0, {"ripetizione segnali 4 codici,    500,    0"}), true,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[86].inizio, 500);
         EXPECT_EQ(m.tabella[86].posizione, 0);
       }},
      {"'Ripetizione Segnali' with capitals is not recognised",
       con_lunghezza(0, {"Ripetizione Segnali 4 codici,    25,    60000"}), true,
       [](const modello& m) { EXPECT_EQ(m.tabella[86].inizio, 0); }},
      {"a section header ends the general part",
       con_lunghezza(0, {"[altro]", "sfondo due, 5"}), true,
       [](const modello& m) { EXPECT_EQ(m.tabella[85].posizione, 0); }},
      {"a field that passes two tests reads two records, in test order",
       con_lunghezza(0, {"[pendenze]", "pendenza montagna, 500, 3, 0, 1000, 2"}), true,
       [](const modello& m) {
         EXPECT_EQ(m.percorso[10].pendenza, 103);
         EXPECT_EQ(m.percorso[0].montagna, 2);
         EXPECT_EQ(m.percorso[19].montagna, 2);
       }},
      {"a further route length sizes the route anew",
       con_lunghezza(0, {"lunghezza percorso, 1000"}), true,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[84].fine, 1000);
         EXPECT_EQ(m.ultima_cella, 160);
       }},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    lettura l = compila(testo_di(c.testo, c.fine_riga_finale));
    EXPECT_EQ(l.m.codice_errore, 0);
    c.verifica(l.m);
  }
}

// --- Every code of the line phase ------------------------------------------

TEST(LettoreLinea, ErrorCodesPositionsAndLines) {
  righe settantanove_cartelli{"[indicazioni]"};
  for (int n = 0; n < 79; ++n)
    settantanove_cartelli.push_back("cartello_indicatore, " + std::to_string(50 * n) + ", (X)");
  righe ottantuno_montagne{"[montagne]"};
  for (int n = 0; n < 81; ++n)
    ottantuno_montagne.push_back("montagna, " + std::to_string(50 * n) + ", 100, 1");

  struct caso {
    const char* nome;
    std::optional<std::string> testo;
    int32_t crea_linea;
    int32_t codice;
    std::optional<int32_t> posizione;
    int32_t riga;  // 0: no line
    motivo_fallimento motivo;
    bool treno_letto;  // the train source was read (and then deleted)
    std::function<void(const modello&)> anche = nullptr;
  } casi[] = {
      {"no line source", std::nullopt, 0, 101, {}, 0, motivo_fallimento::nessuno, false},
      {"an empty line source fails on its first read", "", 0, 25, {}, 1,
       motivo_fallimento::testo_finito, false},
      {"blank lines only", "\r\n   \r\n", 0, 25, {}, 3, motivo_fallimento::testo_finito, false},
      {"\"[generale]\" as the last field", testo_di({"nota", "[generale]"}), 0, 102, {}, 0,
       motivo_fallimento::nessuno, false},
      {"no \"[generale]\"", testo_di({"lunghezza percorso, 0", "[curve]"}), 0, 102, {}, 0,
       motivo_fallimento::nessuno, false},
      {"route length above 1000000", testo_di(con_lunghezza(1000001, {})), 0, 1, {}, 2,
       motivo_fallimento::nessuno, false,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[84].fine, 1000001);  // stored before the check
         EXPECT_FALSE(m.percorso_dimensionato());
       }},
      {"negative route length", testo_di(con_lunghezza(-1, {})), 0, 1, {}, 2,
       motivo_fallimento::nessuno, false},
      {"repetition start not a multiple of 50",
       testo_di(con_lunghezza(0, {"sfondo uno, 2", "ripetizione segnali 4 codici,  25,", "  100"})), 0,
       3, {}, 4, motivo_fallimento::nessuno, false,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[85].inizio, 2);
         EXPECT_EQ(m.tabella[86].inizio, 25);
         EXPECT_EQ(m.tabella[86].fine, 100);
       }},
      {"repetition end not a multiple of 50",
       testo_di(con_lunghezza(0, {"ripetizione segnali 4 codici,  50,", "  75"})), 0, 4, {}, 4,
       motivo_fallimento::nessuno, false,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[86].inizio, 50);
         EXPECT_EQ(m.tabella[86].fine, 75);
       }},
      {"repetition naming neither 4 nor 9 codes",
       testo_di(con_lunghezza(0, {"ripetizione segnali codici,  50,  100"})), 0, 5, {}, 3,
       motivo_fallimento::nessuno, false,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[86].inizio, 50);
         EXPECT_EQ(m.tabella[86].fine, 100);
         EXPECT_EQ(m.tabella[86].posizione, 0);
       }},
      {"gradient beyond the extended route",
       testo_di(con_lunghezza(62000, {"[pendenze]", "pendenza, 68900, 1", "pendenza, 68950, 2",
                                      "[indicazioni]", "cartello_indicatore, 450, (X)"})),
       0, 15, 68950, 5, motivo_fallimento::nessuno, true,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[80].nome, "");  // the records after it are not read
         EXPECT_EQ(m.percorso[1377].pendenza, 100);
         EXPECT_EQ(m.percorso[1378].pendenza, 101);  // the end steps still run
       }},
      {"curve beyond the extended route", testo_di(con_lunghezza(0, {"[curve]", "curvas6,", "6950, 10"})), 1,
       15, 6950, 5, motivo_fallimento::nessuno, true},
      {"montagna beyond the extended route", testo_di(con_lunghezza(0, {"[montagne]", "montagna, 6901, 7000, 1"})),
       0, 15, 6901, 4, motivo_fallimento::nessuno, true},
      {"indicators beyond the extended route",
       testo_di(con_lunghezza(0, {"[cartelli]", "indicatori_vmax, 7000, 1, 1, 1, 0, 1, 1, 1, 0"})), 0, 15,
       7000, 4,
       motivo_fallimento::nessuno, true},
      {"sign beyond the extended route", testo_di(con_lunghezza(0, {"[indicazioni]", "cartello_indicatore, 6950, (X)"})),
       0, 15, 6950, 4, motivo_fallimento::nessuno, true},
      {"curve without a class digit", testo_di(con_lunghezza(0, {"[curve]", "curva,  100,  50"})), 1,
       103, {}, 4, motivo_fallimento::nessuno, false},
      {"curve reaching beyond the plan", testo_di(con_lunghezza(0, {"[curve]", "curvas6,  6000,", "1001"})), 1,
       103, {}, 4, motivo_fallimento::nessuno, false,
       [](const modello& m) { EXPECT_EQ(m.plan.calcolati, 2); }},  // nothing drawn
      {"plan to the end passing the point bound", testo_di(con_lunghezza(1000000, {})), 1, 103, {}, 0,
       motivo_fallimento::nessuno, false,
       [](const modello& m) { EXPECT_EQ(m.plan.calcolati, 1000001); }},
      {"sign on a taken cell",
       testo_di(con_lunghezza(0, {"[indicazioni]", "cartello_indicatore, 450, (A)",
                                  "cartello_indicatore, 470, (B)"})),
       0, 6, 470, 5, motivo_fallimento::nessuno, false,
       [](const modello& m) { EXPECT_EQ(m.tabella[79].nome, ""); }},
      {"sign whose cell lies before the route",
       testo_di(con_lunghezza(0, {"[indicazioni]", "cartello_indicatore, -100, (A)"})), 0, 6, -100, 4,
       motivo_fallimento::nessuno, false},
      {"indicators on a taken cell",
       testo_di(con_lunghezza(0, {"[indicazioni]", "cartello_indicatore, 450, (A)",
                                  "indicatori_vmax,  450,  95,  100,  105,  0,  95,  100,  105,  0"})),
       0, 21, 450, 5, motivo_fallimento::nessuno, false},
      {"an 81st montagna element", testo_di(con_lunghezza(0, ottantuno_montagne)), 0, 21, 4000, 84,
       motivo_fallimento::nessuno, false,
       [](const modello& m) { EXPECT_EQ(m.n_montagne, 80); }},
      {"a 79th sign", testo_di(con_lunghezza(0, settantanove_cartelli)), 0, 10, {}, 82,
       motivo_fallimento::nessuno, false,
       [](const modello& m) {
         EXPECT_EQ(m.tabella[3].nome, "(X)");
         EXPECT_EQ(m.tabella[2].nome, "");
         EXPECT_EQ(m.percorso[79].tipo, 0);
       }},
      {"a value that is not a number", testo_di({"[generale]", "lunghezza percorso, 62O00"}), 0, 25,
       {}, 2, motivo_fallimento::non_numero, false},
      {"a value beyond 32 bits", testo_di(con_lunghezza(0, {"[pendenze]", "pendenza, 0, 4294967296"})), 0, 25,
       {}, 4, motivo_fallimento::fuori_32_bit, false},
      {"a record cut short by the end", testo_di(con_lunghezza(0, {"[pendenze]", "pendenza, 100"}), false), 0,
       25, {}, 4, motivo_fallimento::testo_finito, false},
      {"comment fields ending the general part read past the end",
       testo_di(con_lunghezza(0, {"-- a --", "-- b --"})), 0, 25, {}, 5,
       motivo_fallimento::testo_finito, false},
      // The comment skip of the general part makes no end test, so the
      // field it reaches is tested even when it ends the text.
      {"a field reached by the general comment skip is tested at the end",
       testo_di(con_lunghezza(0, {"-- a --", "sfondo uno"})), 0, 25, {}, 5,
       motivo_fallimento::testo_finito, false},
      // A code without a position leaves posizione_errore as it was: here
      // the position of the code 15 that ended the records.
      {"code 15, then the plan to the end passing its bound",
       testo_di(con_lunghezza(1000000, {"[pendenze]", "pendenza, 1006901, 1"})), 1, 103, {}, 0,
       motivo_fallimento::nessuno, false,
       [](const modello& m) { EXPECT_EQ(m.posizione_errore, 1006901); }},
      {"a route record without a route length",
       testo_di({"[generale]", "sfondo uno, 0", "[pendenze]", "pendenza, 0, 0"}), 0, 25, {}, 4,
       motivo_fallimento::percorso_mancante, false},
      {"a curve without a route length", testo_di({"[generale]", "[curve]", "curvas6, 0, 10"}), 1, 25,
       {}, 3, motivo_fallimento::percorso_mancante, false},
      {"no route length and no route record",
       testo_di({"[generale]", "sfondo uno, 0", "[fine]"}), 0, 25, {}, 0,
       motivo_fallimento::percorso_mancante, false},
      {"a sign text longer than 65535 bytes",
       testo_di(con_lunghezza(0, {"[indicazioni]", "cartello_indicatore, 450, " + std::string(65536, 'X')})),
       0, 25, {}, 4, motivo_fallimento::testo_troppo_lungo, false},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    lettura l = compila(c.testo, c.crea_linea);
    const modello& m = l.m;
    EXPECT_EQ(m.codice_errore, c.codice);
    EXPECT_EQ(m.posizione_valida, c.posizione.has_value());
    if (c.posizione) {
      EXPECT_EQ(m.posizione_errore, *c.posizione);
    }
    EXPECT_EQ(m.riga_errore, c.riga);
    EXPECT_EQ(m.sorgente_errore, c.riga > 0 || c.codice == 25 ? sorgente::linea : sorgente::nessuna);
    EXPECT_EQ(m.motivo_errore, c.motivo);
    EXPECT_EQ(l.linea_eliminata, c.codice != 101);
    EXPECT_EQ(l.treno_letto, c.treno_letto);
    // The train source is deleted when it was read, and after code 25.
    EXPECT_EQ(l.treno_eliminata, c.treno_letto || c.codice == 25);
    if (c.anche) c.anche(m);
  }
}

// --- Route lengths ----------------------------------------------------------

TEST(LettoreLinea, RouteLengths) {
  struct caso {
    int64_t lunghezza;
    int32_t crea_linea;
    int32_t codice;
    int32_t ultima_cella;  // when the route was sized
    int32_t calcolati;     // next plan point, when the plan was built
  } casi[] = {
      {0, 0, 0, 140, 0},
      {62000, 0, 0, 1380, 0},
      {62025, 0, 0, 1380, 0},  // 69025 / 50 = 1380.5 rounds to even
      {62075, 0, 0, 1382, 0},  // 1381.5 rounds to even
      {1000000, 0, 0, 20140, 0},
      {1000001, 0, 1, 0, 0},
      {0, 1, 0, 140, 6999},
      // The straight fill to the end stops at the point bound of a step.
      {993001, 1, 0, 20000, 1000000},
      {993002, 1, 103, 20000, 1000001},
      {1000000, 1, 103, 20140, 1000001},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.lunghezza) + (c.crea_linea ? " with plan" : ""));
    lettura l = compila(testo_di(con_lunghezza(c.lunghezza, {"[fine]"})), c.crea_linea);
    const modello& m = l.m;
    EXPECT_EQ(m.codice_errore, c.codice);
    EXPECT_EQ(m.tabella[84].fine, c.lunghezza);
    if (c.codice == 1) {
      EXPECT_TRUE(m.percorso.empty());
      continue;
    }
    EXPECT_EQ(m.lunghezza_estesa, c.lunghezza + 7000);
    EXPECT_EQ(m.ultima_cella, c.ultima_cella);
    EXPECT_EQ(m.percorso.size(), static_cast<size_t>(c.ultima_cella) + 1);
    EXPECT_EQ(m.plan.dimensionata, c.crea_linea != 0);
    if (c.crea_linea != 0) {
      EXPECT_EQ(m.plan.ultimo, m.lunghezza_estesa);
      EXPECT_EQ(m.plan.calcolati, c.calcolati);
    }
  }
}

TEST(LettoreLinea, RangeTestIsExact) {
  // Route 62000: ultima_cella 1380, so positions up to 68900 pass.
  for (int32_t p : {68900, 68901, 68950}) {
    lettura l = compila(testo_di(con_lunghezza(62000, {"[pendenze]", "pendenza, " + std::to_string(p) + ", 1"})));
    EXPECT_EQ(l.m.codice_errore, p <= 68900 ? 0 : 15) << p;
  }
}

// --- Gradients ----------------------------------------------------------------

TEST(LettoreLinea, GradientCells) {
  struct caso {
    const char* nome;
    int64_t lunghezza;
    righe record;
    std::vector<std::pair<int, int>> attese;  // runs of (first cell, value)
  } casi[] = {
      {"positions 125 and 175 start in cells 2 and 4 (ties to even)", 0,
       {"pendenza, 0, 1", "pendenza, 125, 2", "pendenza, 175, 3"},
       {{0, 101}, {2, 102}, {4, 103}, {138, 0}}},
      {"the last three cells keep 0", 62000,
       {"pendenza,   0,    0", "pendenza,  16600,   -4"},
       {{0, 100}, {332, 96}, {1378, 0}}},
      {"cells before the first record get 0 + 100", 0, {"pendenza, 500, 7"},
       {{0, 100}, {10, 107}, {138, 0}}},
      {"two records in one cell: the second still writes one cell", 0,
       {"pendenza, 0, 1", "pendenza, 100, 2", "pendenza, 110, 3"},
       {{0, 101}, {2, 102}, {3, 103}, {138, 0}}},
      {"a record out of order writes one cell at the cursor", 0,
       {"pendenza, 0, 1", "pendenza, 1000, 2", "pendenza, 500, 3"},
       {{0, 101}, {20, 102}, {21, 103}, {138, 0}}},
      {"a record before the route writes nothing", 0, {"pendenza, -500, 5"},
       {{0, 105}, {138, 0}}},
      {"the gradient keeps its low 8 bits", 0, {"pendenza, 0, 200", "pendenza, 100, -101"},
       {{0, 44}, {2, 255}, {138, 0}}},
      // Out of order at the end of the route: each record moves the cursor
      // one cell on, up to the last cell and no further.
      {"the cursor stops at the last cell", 0,
       {"pendenza, 6900, 1", "pendenza, 50, 2", "pendenza, 50, 3", "pendenza, 50, 4",
        "pendenza, 50, 5", "pendenza, 50, 6"},
       {{0, 100}, {138, 101}, {139, 102}, {140, 103}}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    righe r{"[pendenze]"};
    r.insert(r.end(), c.record.begin(), c.record.end());
    lettura l = compila(testo_di(con_lunghezza(c.lunghezza, r)));
    EXPECT_EQ(l.m.codice_errore, 0);
    EXPECT_EQ(pendenze(l.m), a_tratti(c.attese, l.m.ultima_cella));
  }
}

// --- The track plan -----------------------------------------------------------

TEST(LettoreLinea, PlanStartsWithTwoWholePointsAndEndsWithTwoEmptyOnes) {
  lettura l = compila(testo_di(con_lunghezza(0, {"[curve]", "curvas6,  350,  100"})), 1);
  const planimetria& p = l.m.plan;
  ASSERT_EQ(l.m.codice_errore, 0);
  ASSERT_TRUE(p.dimensionata);
  EXPECT_EQ(p.ultimo, 7000);
  EXPECT_EQ(p.tipo(0), planimetria::tipo_punto::intero);
  EXPECT_EQ(p.tipo(1), planimetria::tipo_punto::intero);
  EXPECT_EQ(p.tipo(2), planimetria::tipo_punto::doppio);
  EXPECT_EQ(p.tipo(6998), planimetria::tipo_punto::doppio);
  EXPECT_EQ(p.tipo(6999), planimetria::tipo_punto::vuoto);
  EXPECT_EQ(p.tipo(7000), planimetria::tipo_punto::vuoto);
  // Straight along +y up to the curve's start.
  EXPECT_EQ(p.x[350], 0.0);
  EXPECT_EQ(p.y[350], 350.0);
}

TEST(LettoreLinea, ACurveToTheLeftTurnsTowardsMinusX) {
  lettura sinistra = compila(testo_di(con_lunghezza(0, {"[curve]", "curvas6,  350,  100"})), 1);
  const planimetria& p = sinistra.m.plan;
  // Every point to the last bit, as the step is written (values worked out
  // apart from this program, in double precision).
  EXPECT_EQ(p.x[351], -0x1.89374bc6a7efap-9);
  EXPECT_EQ(p.y[351], 351.0);
  EXPECT_EQ(p.x[352], -0x1.26e978d4fdf3cp-7);
  EXPECT_EQ(p.y[352], 0x1.5fffff69014b6p+8);
  EXPECT_EQ(p.x[450], -0x1.e1483dd55e56bp+3);
  EXPECT_EQ(p.y[450], 0x1.c081ad7b87eabp+8);
  EXPECT_EQ(p.x[6998], -0x1.e7be30ade60f8p+10);
  EXPECT_EQ(p.y[6998], 0x1.a32de038f184dp+12);
  EXPECT_NEAR(direzione(p, 451), -0.3, 0.001);

  // Without "s" the same curve turns towards +x; a capital "S" turns left.
  lettura destra = compila(testo_di(con_lunghezza(0, {"[curve]", "curvad6,  350,  100"})), 1);
  lettura maiuscola = compila(testo_di(con_lunghezza(0, {"[curve]", "curvaS6,  350,  100"})), 1);
  EXPECT_NEAR(direzione(destra.m.plan, 451), 0.3, 0.001);
  EXPECT_EQ(destra.m.plan.x[6998], -p.x[6998]);
  EXPECT_EQ(destra.m.plan.y[6998], p.y[6998]);
  EXPECT_EQ(maiuscola.m.plan.x, p.x);
  EXPECT_EQ(maiuscola.m.plan.y, p.y);
}

TEST(LettoreLinea, CurveClassesAndOverlaps) {
  struct caso {
    const char* nome;
    righe curve;  // after a section header
    int metro;         // heading measured at this metre
    double direzione;  // about, in radians
  } casi[] = {
      {"class 1 over 1000 m", {"curvad1, 100, 1000"}, 1101, 0.1},
      {"class 2", {"curvad2, 100, 1000"}, 1101, 0.2},
      {"class 3", {"curvad3, 100, 1000"}, 1101, 0.4},
      {"class 4", {"curvad4, 100, 300"}, 401, 0.3},
      {"class 5", {"curvad5, 100, 150"}, 251, 0.3},
      {"the first digit of 1 to 6 decides, not the first in the field", {"curva 6 d 1, 100, 1000"},
       1101, 0.1},
      {"a curve starting before the point reached is drawn from there on",
       {"curvas6, 350, 100", "curvad6, 400, 100"}, 501, -0.15},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    righe r{"[curve]"};
    r.insert(r.end(), c.curve.begin(), c.curve.end());
    lettura l = compila(testo_di(con_lunghezza(0, r)), 1);
    EXPECT_EQ(l.m.codice_errore, 0);
    EXPECT_NEAR(direzione(l.m.plan, c.metro), c.direzione, 0.005);
  }
}

TEST(LettoreLinea, ACurveMayEndOnTheLastPoint) {
  lettura l = compila(testo_di(con_lunghezza(0, {"[curve]", "curvad6,  6000,  1000"})), 1);
  EXPECT_EQ(l.m.codice_errore, 0);
  EXPECT_EQ(l.m.plan.tipo(7000), planimetria::tipo_punto::doppio);
}

TEST(LettoreLinea, NoPlanWithoutCreaLinea) {
  lettura l = compila(testo_di(con_lunghezza(0, {"[curve]", "curvas6,  350,  100", "curva, 1, 2"})), 0);
  EXPECT_EQ(l.m.codice_errore, 0);  // curve keywords are no keywords then
  EXPECT_FALSE(l.m.plan.dimensionata);
  EXPECT_FALSE(l.m.plan.origine);
  EXPECT_TRUE(l.m.plan.x.empty());
}

// --- Records handed to the recorders, and sign boards -------------------------

TEST(LettoreLinea, RecordsReachTheRecorders) {
  lettura l = compila(testo_di(con_lunghezza(
      62000, {"[montagne]", "montagna, 0, 1000, 12", "[cartelli]",
              "indicatori_vmax,  700,  95,  100,  105,  0,  95,  100,  105,  0"})));
  const modello& m = l.m;
  ASSERT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.percorso[15].tipo, 6);
  EXPECT_EQ(m.percorso[15].dato1, 1919);
  EXPECT_EQ(m.percorso[15].dato2, 2020);
  EXPECT_EQ(m.percorso[15].dato3, 2121);
  EXPECT_EQ(m.percorso[15].dato4, 0);
  EXPECT_EQ(m.n_montagne, 1);
  EXPECT_EQ(m.percorso[19].montagna, 2);
  EXPECT_EQ(m.percorso[19].tipo, 11);
  // The indicator cell was already marked 11: the indicators replace the
  // mark and the montagna type stays.
  EXPECT_EQ(m.percorso[15].montagna, 2);
}

TEST(LettoreLinea, SignBoardsTakeEntriesFrom80Down) {
  righe r{"[montagne]", "montagna, 0, 1000, 11", "[indicazioni]"};
  r.push_back("cartello_indicatore,  450,   (PONTE SUL   )(FIUME ALBERE)");
  r.push_back("cartello_indicatore,  100,   (A)");  // cell 3, marked 11: free
  r.push_back("cartello_indicatore,  600,   (B)");
  lettura l = compila(testo_di(con_lunghezza(0, r)));
  const modello& m = l.m;
  ASSERT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.tabella[80].nome, "(PONTE SUL   )(FIUME ALBERE)");
  EXPECT_EQ(m.tabella[79].nome, "(A)");
  EXPECT_EQ(m.tabella[78].nome, "(B)");
  EXPECT_EQ(m.percorso[10].tipo, 14);
  EXPECT_EQ(m.percorso[10].dato1, 80);
  EXPECT_EQ(m.percorso[3].tipo, 14);
  EXPECT_EQ(m.percorso[3].dato1, 79);
  EXPECT_EQ(m.percorso[3].montagna, 1);
  EXPECT_EQ(m.percorso[13].dato1, 78);
}

TEST(LettoreLinea, PointElementCellsRoundPositionOver50PlusOne) {
  // round(p / 50 + 1), halves to even: not round(p / 50) + 1.
  struct caso {
    int32_t posizione;
    size_t cella;
  } casi[] = {{25, 2}, {75, 2}, {125, 4}, {175, 4}, {24, 1}, {26, 2}};
  for (const caso& c : casi) {
    SCOPED_TRACE(c.posizione);
    const std::string p = std::to_string(c.posizione);
    lettura cartello = compila(testo_di(con_lunghezza(0, {"[indicazioni]", "cartello_indicatore, " + p + ", (A)"})));
    lettura indicatori = compila(testo_di(con_lunghezza(0, {"[cartelli]", "indicatori_vmax, " + p + ", 1, 1, 1, 0, 1, 1, 1, 0"})));
    ASSERT_EQ(cartello.m.codice_errore, 0);
    ASSERT_EQ(indicatori.m.codice_errore, 0);
    EXPECT_EQ(cartello.m.percorso[c.cella].tipo, 14);
    EXPECT_EQ(indicatori.m.percorso[c.cella].tipo, 6);
  }
  // 25 and 75 share cell 2: the second sign finds it taken.
  lettura due = compila(testo_di(con_lunghezza(
      0, {"[indicazioni]", "cartello_indicatore, 25, (A)", "cartello_indicatore, 75, (B)"})));
  EXPECT_EQ(due.m.codice_errore, 6);
  EXPECT_EQ(due.m.posizione_errore, 75);
}

TEST(LettoreLinea, SeventyEightSignsFit) {
  righe r{"[indicazioni]"};
  for (int n = 0; n < 78; ++n) r.push_back("cartello_indicatore, " + std::to_string(50 * n) + ", (X)");
  lettura l = compila(testo_di(con_lunghezza(0, r)));
  EXPECT_EQ(l.m.codice_errore, 0);
  EXPECT_EQ(l.m.tabella[3].nome, "(X)");
  EXPECT_EQ(l.m.percorso[78].dato1, 3);
}

}  // namespace
}  // namespace compattatore
