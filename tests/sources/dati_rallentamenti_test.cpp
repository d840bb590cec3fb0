#include <gtest/gtest.h>

#include <map>

#include "sources/testi.h"
#include "tests/sources/testo_righe.h"

namespace compattatore {
namespace {

using prova::righe_di;

const std::string riga_vuota = " |   |                            |            |          |         |            |";
const std::string chiusura = " |___|____________________________|____________|__________|_________|____________|";

std::map<int, std::string> righe_fisse() {
  std::map<int, std::string> r = {
      {1, ""},
      {2, "                               Modulo M. 3"},
      {3, "                           ORDINE DI RALLENTAMENTO"},
      {4, " ________________________________________________________________________________"},
      {6, ""},
      {7, "  Si ordina al macchinista del treno 7736  di effettuare i seguenti rallentamenti"},
      {8, "  _______________________________________________________________________________"},
      {9, " |   |                            |Inizio dopo |          |         |            |"},
      {10, " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|"},
      {11, " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |"},
      {12, chiusura},
      {13, riga_vuota},
      {39, chiusura},
      {40, ""},
      {41, "              Prescrizioni specifiche"},
      {42, " A - Da rispettare con tutto il treno (per i treni viaggiatori)"},
      {43, " B - Interessa anche la stazione di......."},
      {44, " D - Rallentamneto N. ... e N. ...  sono contigui"},
      {45, " C - Da rispettare dalle ore ....  alle ore ..... di tutti"},
      {46, "     i giorni esclusi i seguenti:........."},
  };
  for (int n = 16; n <= 38; ++n) r[n] = riga_vuota;
  return r;
}

std::vector<std::string> righe_ordine() {
  prova::righe_testo t = righe_di(dati_rallentamenti());
  EXPECT_TRUE(t.chiuse_crlf);
  EXPECT_EQ(t.righe.size(), 46u);
  return t.righe;
}

TEST(DatiRallentamenti, FortySixLinesEachClosedByCrLf) {
  const std::string testo = dati_rallentamenti();
  prova::righe_testo t = righe_di(testo);
  EXPECT_TRUE(t.chiuse_crlf);
  EXPECT_EQ(t.righe.size(), 46u);
  EXPECT_EQ(testo.substr(0, 2), "\r\n");
  EXPECT_EQ(testo.find(marcatore_fine), std::string::npos);
}

TEST(DatiRallentamenti, FixedLinesExactly) {
  std::vector<std::string> righe = righe_ordine();
  ASSERT_EQ(righe.size(), 46u);
  for (const auto& [numero, attesa] : righe_fisse()) EXPECT_EQ(righe[numero - 1], attesa) << "line " << numero;
}

TEST(DatiRallentamenti, TableLinesHaveTheirWidths) {
  std::vector<std::string> righe = righe_ordine();
  ASSERT_EQ(righe.size(), 46u);
  EXPECT_EQ(righe[3].size(), 81u);
  EXPECT_EQ(righe[7].size(), 81u);
  for (int n = 9; n <= 39; ++n) {
    EXPECT_EQ(righe[n - 1].size(), 82u) << "line " << n;
    for (size_t colonna : {1u, 5u, 34u, 47u, 58u, 68u, 81u})
      EXPECT_EQ(righe[n - 1][colonna], '|') << "line " << n << " column " << colonna;
  }
}

TEST(DatiRallentamenti, LineNameJoinsABilingualPlaceToTheDestination) {
  std::vector<std::string> righe = righe_ordine();
  ASSERT_EQ(righe.size(), 46u);
  std::string linea = prova::dopo(righe[4], "  Linea  ");
  ASSERT_EQ(linea.size(), 37u) << righe[4];
  size_t trattino = linea.find(" - ");
  ASSERT_NE(trattino, std::string::npos) << linea;
  std::string origine = linea.substr(0, trattino);
  size_t barra = origine.find('/');
  ASSERT_NE(barra, std::string::npos) << origine;
  EXPECT_TRUE(prova::tutte(origine.substr(0, barra), prova::maiuscola)) << origine;
  EXPECT_TRUE(prova::tutte(origine.substr(barra + 1), prova::maiuscola)) << origine;
  std::string destinazione = linea.substr(trattino + 3);
  int parole = 1;
  for (char c : destinazione) {
    if (c == ' ') {
      ++parole;
    } else {
      EXPECT_TRUE(prova::maiuscola(c)) << destinazione;
    }
  }
  EXPECT_EQ(parole, 3) << destinazione;
}

TEST(DatiRallentamenti, TheOneEntryInBothLanguages) {
  std::vector<std::string> righe = righe_ordine();
  ASSERT_EQ(righe.size(), 46u);
  struct caso {
    int riga;
    std::string_view inizio, fine;
    size_t prima, seconda;  // lengths of the two names
  } casi[] = {
      {14, " | 1 |", "|    123     |    70    |   350   |    ---     |", 6, 7},
      {15, " |   |", "|            |          |         |            |", 7, 6},
  };
  for (const caso& c : casi) {
    const std::string& riga = righe[c.riga - 1];
    ASSERT_EQ(riga.size(), 82u) << riga;
    EXPECT_EQ(riga.substr(0, 6), c.inizio) << "line " << c.riga;
    EXPECT_EQ(riga.substr(34), c.fine) << "line " << c.riga;
    std::string cella = riga.substr(6, 28);
    std::string prima = cella.substr(0, c.prima);
    std::string seconda = cella.substr(12, c.seconda);
    EXPECT_EQ(cella.substr(c.prima, 9 - c.prima), std::string(9 - c.prima, ' ')) << cella;
    EXPECT_EQ(cella.substr(9, 3), "-  ") << cella;
    EXPECT_EQ(cella.substr(12 + c.seconda), std::string(16 - c.seconda, ' ')) << cella;
    if (c.riga == 14) {
      // The first name stands for an accented one: its last letter is
      // followed by an apostrophe.
      ASSERT_EQ(prima.back(), '\'') << prima;
      prima.pop_back();
    }
    EXPECT_TRUE(prova::tutte(prima, prova::maiuscola)) << cella;
    EXPECT_TRUE(prova::tutte(seconda, prova::maiuscola)) << cella;
  }
}

}  // namespace
}  // namespace compattatore
