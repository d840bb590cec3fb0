#include "output/file_compilati.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/scenario_sintetico.h"
#include "pipeline/in_memoria.h"
#include "model/arrotonda.h"
#include "output/decodifica.h"
#include "output/file_a_pezzi.h"
#include "pipeline/memorizza_percorso.h"
#include "sources/testi.h"

namespace compattatore {
namespace {

// Little-endian reads straight from the file bytes, independent of the
// encoder's own writer.
uint64_t senza_segno(const std::string& b, size_t da, size_t larghezza) {
  uint64_t v = 0;
  for (size_t i = 0; i < larghezza; ++i) v |= uint64_t{static_cast<unsigned char>(b.at(da + i))} << (8 * i);
  return v;
}

int64_t con_segno(const std::string& b, size_t da, size_t larghezza) {
  uint64_t v = senza_segno(b, da, larghezza);
  if (larghezza < 8 && (v >> (8 * larghezza - 1)) != 0) v |= ~uint64_t{0} << (8 * larghezza);
  return static_cast<int64_t>(v);
}

std::string byte_di(std::initializer_list<int> valori) {
  std::string s;
  for (int v : valori) s.push_back(static_cast<char>(v));
  return s;
}

// One field of a layout: where it starts, how wide it is, whether it is
// signed, and the value it must hold.
struct campo {
  const char* nome;
  size_t offset;
  size_t larghezza;
  bool segno;
  int64_t atteso;
};

void controlla_campi(const std::string& b, size_t inizio, const std::vector<campo>& campi) {
  for (const campo& c : campi) {
    int64_t letto = c.segno ? con_segno(b, inizio + c.offset, c.larghezza)
                            : static_cast<int64_t>(senza_segno(b, inizio + c.offset, c.larghezza));
    EXPECT_EQ(letto, c.atteso) << c.nome << " at offset " << c.offset;
  }
}

// ---- Table file -----------------------------------------------------------

TEST(FileTabella, AnEmptyTableIs87EntriesOf34ZeroBytes) {
  std::array<voce, voci_tabella> tabella{};
  std::string b = codifica_tabella(tabella);
  ASSERT_EQ(b.size(), 87u * 34u);
  EXPECT_EQ(b, std::string(87 * 34, '\0'));
}

TEST(FileTabella, EveryFieldOfAnEntryStandsAtItsOffset) {
  std::array<voce, voci_tabella> tabella{};
  voce& v = tabella[1];  // entry 0 stays empty, so entry 1 starts at byte 34
  v.tipo = 0xA1;
  v.inizio = -2;
  v.fine = 0x01020304;
  v.posizione = -150300;
  v.byte1 = 0xB2;
  v.nome = "Ab";
  v.intero1 = -1;
  v.intero2 = 0x1234;
  v.intero3 = -32768;
  v.intero4 = 32767;
  v.intero5 = 610;
  v.byte2 = 0xC3;
  v.byte3 = 0xD4;
  v.byte4 = 0xE5;
  v.byte5 = 0xF6;
  v.orario = -34355;

  std::string b = codifica_tabella(tabella);
  ASSERT_EQ(b.size(), 87u * 34u + 2u);
  EXPECT_EQ(b.substr(0, 34), std::string(34, '\0'));
  // L = 2 here, so the fields after the name sit at 16 + L + ...
  controlla_campi(b, 34,
                  {
                      {"tipo", 0, 1, false, 0xA1},
                      {"inizio", 1, 4, true, -2},
                      {"fine", 5, 4, true, 0x01020304},
                      {"posizione", 9, 4, true, -150300},
                      {"byte1", 13, 1, false, 0xB2},
                      {"L", 14, 2, false, 2},
                      {"nome[0]", 16, 1, false, 'A'},
                      {"nome[1]", 17, 1, false, 'b'},
                      {"intero1", 18, 2, true, -1},
                      {"intero2", 20, 2, true, 0x1234},
                      {"intero3", 22, 2, true, -32768},
                      {"intero4", 24, 2, true, 32767},
                      {"intero5", 26, 2, true, 610},
                      {"byte2", 28, 1, false, 0xC3},
                      {"byte3", 29, 1, false, 0xD4},
                      {"byte4", 30, 1, false, 0xE5},
                      {"byte5", 31, 1, false, 0xF6},
                      {"orario", 32, 4, true, -34355},
                  });
  // Little-endian, byte by byte, for one multi-byte field.
  EXPECT_EQ(b.substr(34 + 5, 4), byte_di({0x04, 0x03, 0x02, 0x01}));
  // The next entry follows without padding and is empty again.
  EXPECT_EQ(b.substr(34 + 36, 34), std::string(34, '\0'));
}

TEST(FileTabella, AnAccentedLetterIsOneByteAndTheLengthCountsBytes) {
  std::array<voce, voci_tabella> tabella{};
  tabella[2].nome = "Borgo Vall\xE8";  // a grave e, code page 1252
  tabella[86].nome = "R7736";

  std::string b = codifica_tabella(tabella);
  ASSERT_EQ(b.size(), 87u * 34u + 11u + 5u);
  const size_t voce2 = 2 * 34;
  EXPECT_EQ(senza_segno(b, voce2 + 14, 2), 11u);
  EXPECT_EQ(b.substr(voce2 + 16, 11), "Borgo Vall\xE8");
  EXPECT_EQ(static_cast<unsigned char>(b[voce2 + 16 + 10]), 0xE8);
  // Everything after the name is zero and the entries between are empty.
  EXPECT_EQ(b.substr(voce2 + 27, 18), std::string(18, '\0'));
  // Entry 86 is the last one: it ends the file.
  const size_t voce86 = 86 * 34 + 11;
  EXPECT_EQ(senza_segno(b, voce86 + 14, 2), 5u);
  EXPECT_EQ(b.substr(voce86 + 16, 5), "R7736");
  EXPECT_EQ(b.size(), voce86 + 34 + 5);
}

// ---- Route file -----------------------------------------------------------

TEST(FilePercorso, EveryFieldOfACellStandsAtItsOffset) {
  std::vector<cella> percorso(3);
  cella& c = percorso[1];
  c.tipo = 14;
  c.dato1 = 5121;
  c.dato2 = -2;
  c.dato3 = 32767;
  c.dato4 = -32768;
  c.tempo = 101;
  c.marca = 0x84;
  c.montagna = 3;
  c.velocita = 0xFF;
  c.pendenza = 100;
  c.aderenza = 9;

  std::string b = codifica_percorso(percorso);
  ASSERT_EQ(b.size(), 3u * 15u);
  EXPECT_EQ(b.substr(0, 15), std::string(15, '\0'));
  EXPECT_EQ(b.substr(30, 15), std::string(15, '\0'));
  controlla_campi(b, 15,
                  {
                      {"tipo", 0, 1, false, 14},
                      {"dato1", 1, 2, true, 5121},
                      {"dato2", 3, 2, true, -2},
                      {"dato3", 5, 2, true, 32767},
                      {"dato4", 7, 2, true, -32768},
                      {"tempo", 9, 1, false, 101},
                      {"marca", 10, 1, false, 0x84},
                      {"montagna", 11, 1, false, 3},
                      {"velocita", 12, 1, false, 0xFF},
                      {"pendenza", 13, 1, false, 100},
                      {"aderenza", 14, 1, false, 9},
                  });
  // The header marker 5121 of cell 1 is the bytes 01 14 at file offset 16.
  EXPECT_EQ(b.substr(16, 2), byte_di({0x01, 0x14}));
}

TEST(FilePercorso, AnUnsizedRouteGivesAnEmptyFile) {
  EXPECT_TRUE(codifica_percorso({}).empty());
}

// ---- Line file ------------------------------------------------------------

// A plan as a complete read leaves it: points 0 and 1 whole, 2 up to
// ultimo - 2 computed, the last two never reached.
planimetria piano_completo(int32_t ultimo) {
  planimetria p;
  p.dimensionata = true;
  p.ultimo = ultimo;
  p.origine = true;
  p.calcolati = ultimo - 1;
  p.x.assign(static_cast<size_t>(ultimo) + 1, 0.0);
  p.y.assign(static_cast<size_t>(ultimo) + 1, 0.0);
  for (int32_t m = 2; m < p.calcolati; ++m) {
    p.x[static_cast<size_t>(m)] = m * 0.25;
    p.y[static_cast<size_t>(m)] = -m / 3.0;
  }
  return p;
}

// One tagged element of the line file, decoded.
struct elemento {
  uint16_t tipo = 0;
  int16_t intero = 0;
  double doppio = 0;
};

// Decodes the whole line file through the product decoder, x half then y
// half; fails the test on a tag it does not know or a value cut short.
std::vector<elemento> elementi_linea(const std::string& b) {
  std::vector<elemento> out;
  decodificato<punti_linea> d = decodifica_linea(b);
  if (!d) {
    ADD_FAILURE() << "offset " << d.errore->offset << ": " << descrivi_errore(*d.errore);
    return out;
  }
  for (const std::vector<punto_linea>* meta : {&d.valore.x, &d.valore.y}) {
    for (const punto_linea& p : *meta) {
      elemento e;
      e.tipo = static_cast<uint16_t>(p.tipo);
      if (p.tipo == planimetria::tipo_punto::intero) e.intero = static_cast<int16_t>(p.valore);
      if (p.tipo == planimetria::tipo_punto::doppio) e.doppio = p.valore;
      out.push_back(e);
    }
  }
  return out;
}

TEST(FileLinea, BeginsWithTheWholeOriginPointsOfBothHalves) {
  planimetria p = piano_completo(7000);
  std::string b = codifica_linea(p);
  const size_t meta = b.size() / 2;
  EXPECT_EQ(b.substr(0, 8), byte_di({0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00}));
  EXPECT_EQ(b.substr(meta, 8), byte_di({0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01, 0x00}));
  // Metre 2 of x: the tag 05 00, then the double.
  EXPECT_EQ(b.substr(8, 2), byte_di({0x05, 0x00}));
  // The two last metres of each half are the empty tag 00 00.
  EXPECT_EQ(b.substr(meta - 4, 4), byte_di({0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(b.substr(b.size() - 4, 4), byte_di({0x00, 0x00, 0x00, 0x00}));
}

TEST(FileLinea, SizesAndTagsOfCompleteRoutes) {
  struct caso {
    int32_t lunghezza;        // route length read from the source
    size_t byte_percorso;     // 15 x (ultima_cella + 1)
    size_t byte_linea;        // 16 + 8 + (2 x (lunghezza_estesa + 1) - 8) x 10
  } casi[] = {
      {0, 141 * 15, 139964},
      {62000, 1381 * 15, 1379964},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.lunghezza);
    const int32_t estesa = c.lunghezza + 7000;
    const int64_t ultima_cella = cella_di(estesa);
    EXPECT_EQ(codifica_percorso(std::vector<cella>(static_cast<size_t>(ultima_cella) + 1)).size(), c.byte_percorso);

    planimetria p = piano_completo(estesa);
    std::string b = codifica_linea(p);
    ASSERT_EQ(b.size(), c.byte_linea);
    EXPECT_EQ(dimensione_linea(p), b.size());

    std::vector<elemento> e = elementi_linea(b);
    const size_t per_meta = static_cast<size_t>(estesa) + 1;
    ASSERT_EQ(e.size(), 2 * per_meta);
    for (size_t meta = 0; meta < 2; ++meta) {
      for (size_t m = 0; m < per_meta; ++m) {
        const elemento& x = e[meta * per_meta + m];
        uint16_t atteso = m < 2 ? 2 : m + 2 < per_meta ? 5 : 0;
        ASSERT_EQ(x.tipo, atteso) << "half " << meta << " metre " << m;
        if (atteso == 2) {
          EXPECT_EQ(x.intero, meta == 1 ? static_cast<int16_t>(m) : 0);
        } else if (atteso == 5) {
          // The computed value itself, bit for bit.
          const std::vector<double>& valori = meta == 0 ? p.x : p.y;
          ASSERT_EQ(x.doppio, valori[m]) << "half " << meta << " metre " << m;
        }
      }
    }
  }
}

TEST(FileLinea, TheComputedSizeMatchesTheBytesInEveryState) {
  // The plan in the states the reader can leave it in, and a few odd bounds.
  struct caso {
    const char* stato;
    bool dimensionata;
    int32_t ultimo;
    bool origine;
    int32_t calcolati;
    size_t atteso;
  } casi[] = {
      {"never sized", false, 0, false, 2, 0},
      {"sized, nothing stored", true, 7000, false, 2, 2 * 7001 * 2},
      {"origin only", true, 7000, true, 2, 2 * (2 * 4 + 6999 * 2)},
      {"part computed", true, 7000, true, 102, 2 * (2 * 4 + 100 * 10 + 6899 * 2)},
      {"complete", true, 7000, true, 6999, 139964},
      {"computed to the very end", true, 7000, true, 7001, 2 * (2 * 4 + 6999 * 10)},
      {"one metre", true, 1, true, 2, 2 * (2 * 4)},
      {"metre 0 only", true, 0, true, 2, 2 * 4},
  };
  for (const caso& c : casi) {
    planimetria p;
    p.dimensionata = c.dimensionata;
    p.ultimo = c.ultimo;
    p.origine = c.origine;
    p.calcolati = c.calcolati;
    if (c.dimensionata) {
      p.x.assign(static_cast<size_t>(c.ultimo) + 1, 1.5);
      p.y.assign(static_cast<size_t>(c.ultimo) + 1, -1.5);
    }
    std::string b = codifica_linea(p);
    EXPECT_EQ(b.size(), c.atteso) << c.stato;
    EXPECT_EQ(dimensione_linea(p), b.size()) << c.stato;
    if (c.dimensionata) {
      EXPECT_EQ(elementi_linea(b).size(), 2 * (static_cast<size_t>(c.ultimo) + 1)) << c.stato;
    }
  }
}

// ---- Line file in pieces ---------------------------------------------------

// The line file built the plain way, one tagged value at a time from the
// plan's own account of each metre: the reference the encoders must match.
std::string linea_di_riferimento(const planimetria& p) {
  std::string b;
  if (!p.dimensionata) return b;
  b.reserve(20 * (static_cast<size_t>(p.ultimo) + 1));
  for (int meta = 0; meta < 2; ++meta) {
    const std::vector<double>& valori = meta == 0 ? p.x : p.y;
    for (int32_t m = 0; m <= p.ultimo; ++m) {
      const planimetria::tipo_punto t = p.tipo(m);
      b += byte_di({static_cast<int>(t), 0});
      if (t == planimetria::tipo_punto::intero) b += byte_di({meta == 1 ? m : 0, 0});
      if (t == planimetria::tipo_punto::doppio) {
        uint64_t u;
        std::memcpy(&u, &valori[static_cast<size_t>(m)], sizeof u);
        for (int i = 0; i < 8; ++i) b.push_back(static_cast<char>(u >> (8 * i)));
      }
    }
  }
  return b;
}

// Compares encoded bytes with the expected ones, naming the first byte that
// differs instead of printing megabytes.
::testing::AssertionResult stessi_byte(const std::string& letti, const std::string& attesi) {
  if (letti == attesi) return ::testing::AssertionSuccess();
  size_t i = 0;
  while (i < letti.size() && i < attesi.size() && letti[i] == attesi[i]) ++i;
  return ::testing::AssertionFailure() << letti.size() << " bytes against " << attesi.size()
                                       << ", first difference at byte " << i;
}

// Returns the pieces codifica_linea_a_pezzi hands over, joined, after
// checking that every piece but the last is exactly `pezzo` bytes.
std::string unisci_pezzi(const planimetria& p, size_t pezzo) {
  std::string tutto;
  size_t ultimo_pezzo = pezzo;
  codifica_linea_a_pezzi(p, pezzo, [&](std::string_view b) {
    EXPECT_EQ(ultimo_pezzo, pezzo) << "a short piece before the last one";
    EXPECT_TRUE(!b.empty() && b.size() <= pezzo) << b.size();
    ultimo_pezzo = b.size();
    tutto += b;
  });
  return tutto;
}

// The plan in every state the reader can leave it in, with values whose
// bytes all differ so that a byte out of place shows.
std::vector<std::pair<const char*, planimetria>> piani_a_mano() {
  struct stato {
    const char* nome;
    bool dimensionata;
    int32_t ultimo;
    bool origine;
    int32_t calcolati;
  } stati[] = {
      {"never sized", false, 0, false, 2},  {"sized, nothing stored", true, 40, false, 2},
      {"origin only", true, 40, true, 2},   {"part computed", true, 40, true, 23},
      {"complete", true, 40, true, 39},     {"computed to the very end", true, 40, true, 41},
      {"one metre", true, 1, true, 2},      {"metre 0 only", true, 0, true, 2},
      {"metre 0, no origin", true, 0, false, 2},
  };
  std::vector<std::pair<const char*, planimetria>> piani;
  for (const stato& s : stati) {
    planimetria p;
    p.dimensionata = s.dimensionata;
    p.ultimo = s.ultimo;
    p.origine = s.origine;
    p.calcolati = s.calcolati;
    if (s.dimensionata) {
      for (int32_t m = 0; m <= s.ultimo; ++m) {
        p.x.push_back(m * 1.0000001 + 1e-300);
        p.y.push_back(-m / 7.0 - 3e300);
      }
    }
    piani.emplace_back(s.nome, std::move(p));
  }
  return piani;
}

TEST(FileLineaAPezzi, EveryPieceSizeJoinsToTheReferenceBytesInEveryState) {
  for (const auto& [nome, p] : piani_a_mano()) {
    SCOPED_TRACE(nome);
    const std::string atteso = linea_di_riferimento(p);
    EXPECT_TRUE(stessi_byte(codifica_linea(p), atteso));
    // Every piece size up to two values and a bit, so that a piece ends at
    // every offset inside a value, then the sizes around the whole file.
    std::vector<size_t> pezzi;
    for (size_t n = 1; n <= 23; ++n) pezzi.push_back(n);
    for (size_t n : {atteso.size() - 1, atteso.size(), atteso.size() + 1, size_t{65536}})
      if (n > 0) pezzi.push_back(n);
    for (size_t pezzo : pezzi) EXPECT_TRUE(stessi_byte(unisci_pezzi(p, pezzo), atteso)) << "pieces of " << pezzo;
  }
}

TEST(FileLineaAPezzi, PiecesOfChangingSizesCarryACutValueOver) {
  // Pieces of 1, 2, ... 13 bytes in turn over a plan with values of all
  // three widths: a cut falls inside a whole point, a computed point and
  // between empty ones, and a short piece may hold the rest of one value
  // and the start of the next. A request for 0 bytes gives none.
  planimetria p = piani_a_mano()[3].second;  // part computed
  const std::string atteso = linea_di_riferimento(p);
  codificatore_linea c(p);
  ASSERT_EQ(c.restanti(), atteso.size());
  std::string tutto;
  char buffer[13];
  for (size_t giro = 0; c.restanti() > 0; ++giro) {
    const size_t chiesti = giro % 14;  // 0 to 13
    const size_t prima = c.restanti();
    const size_t dati = c.riempi(buffer, chiesti);
    ASSERT_EQ(dati, std::min(chiesti, prima));
    ASSERT_EQ(c.restanti(), prima - dati);
    tutto.append(buffer, dati);
  }
  EXPECT_TRUE(stessi_byte(tutto, atteso));
  EXPECT_EQ(c.riempi(buffer, sizeof buffer), 0u);
}

// Returns the model of a scenario compiled with the track plan.
std::unique_ptr<modello> compilato_con_piano(std::string linea, std::string treno) {
  auto m = std::make_unique<modello>();
  m->nome_linea = "Valmora_Tessa";
  m->nome_treno = "R7736";
  fonte_in_memoria f;
  f.testo_linea = std::move(linea);
  f.testo_treno = std::move(treno);
  destinazione_in_memoria d;
  raccolta_diagnostiche diagnostiche;
  EXPECT_EQ(memorizza_percorso(*m, 1, f, d, diagnostiche), codice::nessuno);
  EXPECT_EQ(m->codice_errore, 0);
  return m;
}

TEST(FileLineaAPezzi, CompiledPlansOfTheBuiltInScenarioAndOfSyntheticRoutes) {
  struct caso {
    const char* nome;
    int32_t km;  // 0: the built-in scenario
  } casi[] = {{"built-in", 0}, {"10 km", 10}, {"100 km", 100}, {"990 km", 990}};
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    std::unique_ptr<modello> m;
    if (c.km == 0) {
      m = compilato_con_piano(dati_linea(), dati_treno());
    } else {
      scenario_sintetico sc = genera_scenario(c.km);
      m = compilato_con_piano(std::move(sc.linea), std::move(sc.treno));
    }
    ASSERT_TRUE(m->plan.dimensionata);
    const std::string atteso = linea_di_riferimento(m->plan);
    ASSERT_TRUE(stessi_byte(codifica_linea(m->plan), atteso));
    // 4093 is prime: its cuts fall at every offset inside a 10-byte value.
    EXPECT_TRUE(stessi_byte(unisci_pezzi(m->plan, 4093), atteso));
  }
}

TEST(FileLineaAPezzi, CollectingAProducerGivesTheWholeFileWhateverSizeItExpects) {
  // A destination that keeps files whole collects the pieces; the size it
  // is told only sizes its buffer, so a wrong one still gives every byte.
  const planimetria p = piani_a_mano()[4].second;  // complete
  const std::string atteso = linea_di_riferimento(p);
  for (size_t totale : {atteso.size(), size_t{0}, size_t{1}, atteso.size() - 1, atteso.size() + 100}) {
    EXPECT_TRUE(stessi_byte(raccogli(produttore_linea(p), totale), atteso)) << "expecting " << totale;
  }
  // A plan never sized gives no bytes at all.
  EXPECT_EQ(raccogli(produttore_linea(planimetria{}), 0), "");
}

}  // namespace
}  // namespace compattatore
