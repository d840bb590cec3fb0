#include "output/decodifica.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "output/file_compilati.h"
#include "tests/supporto/scenario_incorporato.h"

namespace compattatore {
namespace {

auto campi(const cella& c) {
  return std::tie(c.tipo, c.dato1, c.dato2, c.dato3, c.dato4, c.tempo, c.marca, c.montagna, c.velocita, c.pendenza,
                  c.aderenza);
}
auto campi(const voce& v) {
  return std::tie(v.tipo, v.inizio, v.fine, v.posizione, v.byte1, v.nome, v.intero1, v.intero2, v.intero3,
                  v.intero4, v.intero5, v.byte2, v.byte3, v.byte4, v.byte5, v.orario);
}

uint64_t bit(double d) {
  uint64_t u;
  std::memcpy(&u, &d, sizeof u);
  return u;
}

// The plans are equal as the line file sees them: the same state, and the
// computed points bit for bit.
void controlla_piano(const planimetria& letto, const planimetria& atteso) {
  ASSERT_EQ(letto.dimensionata, atteso.dimensionata);
  if (!atteso.dimensionata) return;
  ASSERT_EQ(letto.ultimo, atteso.ultimo);
  EXPECT_EQ(letto.origine, atteso.origine);
  ASSERT_EQ(letto.calcolati, std::max(2, std::min(atteso.calcolati, atteso.ultimo + 1)));
  for (int32_t m = 2; m < letto.calcolati; ++m) {
    const size_t i = static_cast<size_t>(m);
    ASSERT_EQ(bit(letto.x[i]), bit(atteso.x[i])) << "x of metre " << m;
    ASSERT_EQ(bit(letto.y[i]), bit(atteso.y[i])) << "y of metre " << m;
  }
}

// The built-in scenario, compiled in memory with its plan.
const modello& incorporato() {
  static const modello m = [] {
    modello r;
    destinazione_in_memoria d;
    EXPECT_EQ(compila_incorporato(r, d), 0);
    EXPECT_EQ(r.codice_errore, 0);
    return r;
  }();
  return m;
}

// ---- Round trips ------------------------------------------------------------

TEST(Decodifica, RouteCellsComeBackAsEncoded) {
  std::vector<cella> fatto(4);
  fatto[1] = {14, 5121, -2, 32767, -32768, 101, 0x84, 3, 0xFF, 100, 9};
  fatto[3] = {1, -1, 0x1234, 7, 66, 255, 1, 2, 3, 4, 5};
  for (const std::vector<cella>* celle : {static_cast<const std::vector<cella>*>(&fatto), &incorporato().percorso}) {
    decodificato<std::vector<cella>> d = decodifica_percorso(codifica_percorso(*celle));
    ASSERT_TRUE(d) << descrivi_errore(*d.errore);
    ASSERT_EQ(d.valore.size(), celle->size());
    for (size_t k = 0; k < celle->size(); ++k) EXPECT_EQ(campi(d.valore[k]), campi((*celle)[k])) << "cell " << k;
  }
  // An unsized route gives an empty file, and the empty file no cell.
  decodificato<std::vector<cella>> vuoto = decodifica_percorso("");
  ASSERT_TRUE(vuoto);
  EXPECT_TRUE(vuoto.valore.empty());
}

TEST(Decodifica, TableEntriesComeBackAsEncoded) {
  std::array<voce, voci_tabella> fatta{};
  fatta[1] = {0xA1, -2, 0x01020304, -150300, 0xB2, "Borgo Vall\xE8 \x80\x92", -1, 0x1234, -32768, 32767, 610,
              0xC3, 0xD4, 0xE5, 0xF6, -34355};
  fatta[80].nome = std::string(300, 'x');
  fatta[86].nome = "R7736";
  for (const std::array<voce, voci_tabella>* tabella :
       {static_cast<const std::array<voce, voci_tabella>*>(&fatta), &incorporato().tabella}) {
    decodificato<std::array<voce, voci_tabella>> d = decodifica_tabella(codifica_tabella(*tabella));
    ASSERT_TRUE(d) << descrivi_errore(*d.errore);
    for (size_t i = 0; i < voci_tabella; ++i) EXPECT_EQ(campi(d.valore[i]), campi((*tabella)[i])) << "entry " << i;
  }
}

planimetria piano(int32_t ultimo, bool origine, int32_t calcolati) {
  planimetria p;
  p.dimensionata = true;
  p.ultimo = ultimo;
  p.origine = origine;
  p.calcolati = calcolati;
  p.x.assign(static_cast<size_t>(ultimo) + 1, 0.0);
  p.y.assign(static_cast<size_t>(ultimo) + 1, 0.0);
  for (int32_t m = 2; m <= ultimo; ++m) {
    p.x[static_cast<size_t>(m)] = m * 0.1 - 3e-17;
    p.y[static_cast<size_t>(m)] = -m / 3.0;
  }
  return p;
}

TEST(Decodifica, ThePlanComesBackInEveryStateTheReaderLeaves) {
  struct caso {
    const char* stato;
    planimetria p;
  } casi[] = {
      {"never sized", planimetria{}},
      {"sized, nothing stored", piano(7000, false, 2)},
      {"origin only", piano(7000, true, 2)},
      {"part computed", piano(7000, true, 102)},
      {"complete", piano(7000, true, 6999)},
      {"computed to the very end", piano(7000, true, 7001)},
      {"one metre", piano(1, true, 2)},
      {"metre 0 only", piano(0, true, 2)},
      {"built-in scenario", incorporato().plan},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.stato);
    const std::string b = codifica_linea(c.p);
    decodificato<punti_linea> punti = decodifica_linea(b);
    ASSERT_TRUE(punti) << descrivi_errore(*punti.errore);
    const size_t per_meta = c.p.dimensionata ? static_cast<size_t>(c.p.ultimo) + 1 : 0;
    ASSERT_EQ(punti.valore.x.size(), per_meta);
    ASSERT_EQ(punti.valore.y.size(), per_meta);
    for (size_t m = 0; m < per_meta; ++m) {
      const planimetria::tipo_punto t = c.p.tipo(static_cast<int32_t>(m));
      ASSERT_EQ(punti.valore.x[m].tipo, t) << "metre " << m;
      ASSERT_EQ(punti.valore.y[m].tipo, t) << "metre " << m;
    }
    if (per_meta > 1 && c.p.origine) {
      EXPECT_EQ(punti.valore.y[1].valore, 1.0) << "y of metre 1 is the integer 1";
    }
    decodificato<planimetria> p = planimetria_di(punti.valore);
    ASSERT_TRUE(p) << descrivi_errore(*p.errore);
    controlla_piano(p.valore, c.p);
    EXPECT_EQ(codifica_linea(p.valore), b) << "encoding the decoded plan gives the same bytes";
  }
}

// ---- Damaged input ---------------------------------------------------------

std::string byte_di(std::initializer_list<int> valori) {
  std::string s;
  for (int v : valori) s.push_back(static_cast<char>(v));
  return s;
}
std::string vuoto() { return byte_di({0, 0}); }
std::string intero(int v) { return byte_di({2, 0, v & 0xFF, (v >> 8) & 0xFF}); }
std::string doppio() { return byte_di({5, 0}) + std::string(8, '\x11'); }

// Returns the error of decoding `b` as the file `quale`; for the line file,
// also of turning its points into a plan.
std::optional<errore_decodifica> errore_di(file_decodificato quale, const std::string& b) {
  switch (quale) {
    case file_decodificato::percorso: return decodifica_percorso(b).errore;
    case file_decodificato::tabella: return decodifica_tabella(b).errore;
    case file_decodificato::linea: {
      decodificato<punti_linea> p = decodifica_linea(b);
      if (!p) return p.errore;
      return planimetria_di(p.valore).errore;
    }
  }
  return std::nullopt;
}

std::string tabella_con_nome_0(int lunghezza, int presenti) {
  std::string b(14, '\0');
  b += byte_di({lunghezza & 0xFF, lunghezza >> 8});
  b += std::string(static_cast<size_t>(presenti), 'N');
  return b;
}

TEST(Decodifica, DamagedFilesAreRefusedWithTheOffsetAndWhatWasExpected) {
  using f = file_decodificato;
  const std::string tabella_vuota(87 * 34, '\0');
  struct caso {
    const char* cosa;
    f quale;
    std::string b;
    size_t offset;
    atteso tipo;
    const char* descrizione;
  } casi[] = {
      // Route file: cut in each kind of field.
      {"route cut in dato1", f::percorso, std::string(17, '\0'), 16, atteso::campo_intero,
       "atteso dato1 della cella 1 (2 byte), il file finisce prima"},
      {"route cut before tempo", f::percorso, std::string(24, '\0'), 24, atteso::campo_intero,
       "atteso tempo della cella 1 (1 byte), il file finisce prima"},
      {"route cut before aderenza", f::percorso, std::string(15 * 3 + 14, '\0'), 59, atteso::campo_intero,
       "atteso aderenza della cella 3 (1 byte), il file finisce prima"},
      // Table file.
      {"empty table", f::tabella, "", 0, atteso::campo_intero,
       "atteso tipo della voce 0 (1 byte), il file finisce prima"},
      {"table cut in inizio", f::tabella, std::string(34 + 3, '\0'), 35, atteso::campo_intero,
       "atteso inizio della voce 1 (4 byte), il file finisce prima"},
      {"table cut in the name's length", f::tabella, std::string(15, '\0'), 14, atteso::campo_intero,
       "atteso lunghezza_nome della voce 0 (2 byte), il file finisce prima"},
      {"table cut in a name", f::tabella, tabella_con_nome_0(5, 3), 16, atteso::campo_intero,
       "atteso nome della voce 0 (5 byte), il file finisce prima"},
      {"name longer than the file", f::tabella, tabella_con_nome_0(0xFFFF, 100) + tabella_vuota, 16,
       atteso::campo_intero, "atteso nome della voce 0 (65535 byte), il file finisce prima"},
      {"table cut in entry 86's orario", f::tabella, std::string(87 * 34 - 1, '\0'), 86 * 34 + 30,
       atteso::campo_intero, "atteso orario della voce 86 (4 byte), il file finisce prima"},
      {"table with a trailing byte", f::tabella, tabella_vuota + "x", 87 * 34, atteso::fine_file,
       "attesa la fine del file dopo la voce 86"},
      // Line file: tags and values.
      {"line cut in a tag", f::linea, intero(0) + "\x02", 4, atteso::campo_intero,
       "atteso tipo_punto del punto 1 (2 byte), il file finisce prima"},
      {"line cut in a whole value", f::linea, byte_di({2, 0, 0}), 2, atteso::campo_intero,
       "atteso valore_punto del punto 0 (2 byte), il file finisce prima"},
      {"line cut in a double", f::linea, vuoto() + byte_di({5, 0, 1, 2, 3}), 4, atteso::campo_intero,
       "atteso valore_punto del punto 1 (8 byte), il file finisce prima"},
      {"unknown tag", f::linea, intero(0) + byte_di({7, 0}) + vuoto(), 4, atteso::tipo_noto,
       "atteso un tipo di punto 0, 2 o 5 al punto 1, letto 7"},
      {"odd number of points", f::linea, vuoto() + vuoto() + vuoto(), 6, atteso::punto_y,
       "atteso il valore y del metro 1: la meta y e' piu' corta della meta x"},
      // Line file: points that no plan of the reader gives.
      {"halves with different tags", f::linea,
       intero(0) + intero(0) + doppio() + vuoto() + intero(0) + intero(1) + vuoto() + vuoto(), 28,
       atteso::tipo_uguale, "atteso il tipo 5 al metro 2 della meta y, letto 0"},
      {"metre 1 not like metre 0", f::linea, intero(0) + vuoto() + intero(0) + vuoto(), 4, atteso::tipo_uguale,
       "atteso il tipo 2 al metro 1 della meta x, letto 0"},
      {"a double at the origin", f::linea, doppio() + doppio(), 0, atteso::tipo_uguale,
       "atteso il tipo 2 al metro 0 della meta x, letto 5"},
      {"a whole number past the origin", f::linea, intero(0) + intero(0) + intero(0) + intero(0) + intero(1) +
       intero(2), 8, atteso::tipo_calcolato_o_vuoto, "atteso il tipo 5 o 0 al metro 2 della meta x, letto 2"},
      {"a computed point after an empty one", f::linea,
       intero(0) + intero(0) + vuoto() + doppio() + intero(0) + intero(1) + vuoto() + doppio(), 10,
       atteso::tipo_vuoto, "atteso il tipo 0 al metro 3 della meta x (dopo un metro mai calcolato), letto 5"},
      {"y of metre 1 not 1", f::linea, intero(0) + intero(0) + intero(0) + intero(7), 14, atteso::valore_origine,
       "atteso il valore 1 al metro 1 della meta y, letto 7"},
  };
  for (const caso& c : casi) {
    std::optional<errore_decodifica> e = errore_di(c.quale, c.b);
    ASSERT_TRUE(e.has_value()) << c.cosa;
    EXPECT_EQ(e->offset, c.offset) << c.cosa;
    EXPECT_EQ(e->cosa, c.tipo) << c.cosa;
    EXPECT_EQ(e->file, c.quale) << c.cosa;
    EXPECT_EQ(descrivi_errore(*e), c.descrizione) << c.cosa;
  }
}

TEST(Decodifica, EveryCutOfTheBuiltInFilesIsRefusedWhereItFalls) {
  // Each file cut one byte short, and with one byte too many: never a crash,
  // always an error at or before the cut.
  const modello& m = incorporato();
  const std::string file[] = {codifica_percorso(m.percorso), codifica_tabella(m.tabella), codifica_linea(m.plan)};
  const file_decodificato quale[] = {file_decodificato::percorso, file_decodificato::tabella,
                                     file_decodificato::linea};
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    std::optional<errore_decodifica> corto = errore_di(quale[i], file[i].substr(0, file[i].size() - 1));
    ASSERT_TRUE(corto.has_value());
    EXPECT_LE(corto->offset, file[i].size() - 1);
    std::optional<errore_decodifica> lungo = errore_di(quale[i], file[i] + '\0');
    ASSERT_TRUE(lungo.has_value());
  }
  // The route file's last cell cut short names that cell.
  const std::string& percorso = file[0];
  std::optional<errore_decodifica> e = errore_di(file_decodificato::percorso, percorso.substr(0, percorso.size() - 1));
  EXPECT_EQ(e->indice, static_cast<int64_t>(m.percorso.size()) - 1);
  EXPECT_EQ(e->campo, campo_file::aderenza);
}

}  // namespace
}  // namespace compattatore
