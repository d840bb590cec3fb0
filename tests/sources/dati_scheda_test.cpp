#include <gtest/gtest.h>

#include <map>

#include "sources/testi.h"
#include "tests/sources/testo_righe.h"

namespace compattatore {
namespace {

using prova::righe_di;

const std::string riga_vuota = " |     |     |          |     |                            |                |     |";
const std::string chiusura = " |_____|_____|__________|_____|____________________________|________________|_____|";

const std::map<int, std::string> righe_fisse = {
    {1, ""},
    {2, ""},
    {3, " "},
    {4, "  ___________________                                               ______________"},
    {5, " |                   |                    SCHEDA                   |              |"},
    {8, "                                                                   |______________|"},
    {9, "  ___________________                ___________________"},
    {10, " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       "},
    {11, " |   DIRETTO         |              |      400T         |"},
    {12, " |___________________|              |___________________|"},
    {13, ""},
    {14, "  ________________________________________________________________________________"},
    {15, " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |"},
    {16, " | Lim.|Marc.|          |  Rs |                            |                |     |"},
    {17, chiusura},
    {18, riga_vuota},
    {38, riga_vuota},
    {39, riga_vuota},
    {41, riga_vuota},
    {42, riga_vuota},
    {43, riga_vuota},
    {44, riga_vuota},
    {45, riga_vuota},
    {46, riga_vuota},
    {47, chiusura},
    {48, ""},
};

std::vector<std::string> righe_scheda() {
  prova::righe_testo t = righe_di(dati_scheda());
  EXPECT_TRUE(t.chiuse_crlf);
  EXPECT_EQ(t.righe.size(), 48u);
  return t.righe;
}

TEST(DatiScheda, FortyEightLinesEachClosedByCrLf) {
  const std::string testo = dati_scheda();
  prova::righe_testo t = righe_di(testo);
  EXPECT_TRUE(t.chiuse_crlf);
  EXPECT_EQ(t.righe.size(), 48u);
  EXPECT_EQ(testo.substr(0, 5), "\r\n\r\n ");
  EXPECT_EQ(testo.substr(testo.size() - 5), "|\r\n\r\n");
  EXPECT_EQ(testo.find(marcatore_fine), std::string::npos);
}

TEST(DatiScheda, FixedLinesExactly) {
  std::vector<std::string> righe = righe_scheda();
  ASSERT_EQ(righe.size(), 48u);
  for (const auto& [numero, attesa] : righe_fisse) EXPECT_EQ(righe[numero - 1], attesa) << "line " << numero;
}

TEST(DatiScheda, BoxLinesHaveTheirWidths) {
  std::vector<std::string> righe = righe_scheda();
  ASSERT_EQ(righe.size(), 48u);
  for (int n = 5; n <= 8; ++n) EXPECT_EQ(righe[n - 1].size(), 83u) << "line " << n;
  for (int n = 15; n <= 47; ++n) EXPECT_EQ(righe[n - 1].size(), 83u) << "line " << n;
  EXPECT_EQ(righe[3].size(), 82u);
  EXPECT_EQ(righe[13].size(), 82u);
  EXPECT_EQ(righe[9].size(), 64u);
  EXPECT_EQ(righe[9].substr(56), "|       ");
  // Every timetable line has its bars in the same seven columns.
  for (int n = 15; n <= 47; ++n) {
    if (n == 40) continue;  // the one line whose middle cell spans five columns
    for (size_t colonna : {1u, 7u, 13u, 24u, 30u, 59u, 76u, 82u})
      EXPECT_EQ(righe[n - 1][colonna], '|') << "line " << n << " column " << colonna;
  }
}

TEST(DatiScheda, TitleBlockNamesTheRun) {
  std::vector<std::string> righe = righe_scheda();
  ASSERT_EQ(righe.size(), 48u);

  std::string da = prova::dopo(righe[5], " |   TRENO n.7736    |                   da: ");
  ASSERT_EQ(da.size(), 13u + 9 + 16) << righe[5];
  EXPECT_EQ(da.substr(13), "         |    V160 B    |");
  std::string partenza = da.substr(0, 13);
  size_t barra = partenza.find('/');
  ASSERT_NE(barra, std::string::npos) << partenza;
  EXPECT_TRUE(prova::tutte(partenza.substr(0, barra), prova::maiuscola)) << partenza;
  EXPECT_TRUE(prova::tutte(partenza.substr(barra + 1), prova::maiuscola)) << partenza;

  std::string a = prova::dopo(righe[6], " |___________________|                    a: ");
  ASSERT_EQ(a.size(), 11u + 11 + 16) << righe[6];
  EXPECT_EQ(a.substr(11), "           |     120%     |");
  std::string destinazione = a.substr(0, 11);
  size_t spazio = destinazione.find(' ');
  ASSERT_NE(spazio, std::string::npos) << destinazione;
  EXPECT_TRUE(prova::tutte(destinazione.substr(0, spazio), prova::maiuscola)) << destinazione;
  EXPECT_NE(destinazione.find('.'), std::string::npos) << "the station's name is abbreviated";
  for (char c : destinazione) EXPECT_FALSE(prova::minuscola(c)) << destinazione;

  EXPECT_EQ(righe[5].find("da:") + 2, righe[6].find("a:") + 1) << "the colons stand in one column";
}

// One timetable row: its cells as written, but for the place.
struct riga_attesa {
  int numero;
  std::string_view velocita, chilometro, rs;
  std::string_view localita;  // the fixed text, or "" for a place name
  size_t lunghezza_nome;      // the place name's length
  std::string_view orario, recupero;
};

const riga_attesa orario_atteso[] = {
    {19, "  30 ", " 150.200  ", "  30 ", "", 13, "          15.29 ", "     "},
    {20, " 100 ", " 149.550  ", " 100 ", "deviatoio di uscita", 0, "     15.30      ", "     "},
    {21, " 150 ", " 148.900  ", " 130 ", "Km 148.900", 0, "     15.30+     ", "     "},
    {22, "     ", " 142.500  ", "     ", "", 14, "     15.34      ", "     "},
    {23, "     ", " 139.300  ", "     ", "", 17, "     15.36      ", "     "},
    {24, "     ", " 134.150  ", "     ", "", 8, " 15.39+   15.40 ", " 1.0 "},
    {25, " 120 ", " 133.750  ", " 120 ", "deviatoio di uscita", 0, "     15.40+     ", "     "},
    {26, " 150 ", " 131.800  ", " 130 ", "Km 131.800", 0, "     15.42      ", "     "},
    {27, "     ", " 128.400  ", "     ", "", 13, "     15.43      ", "     "},
    {28, "     ", " 124.400  ", "     ", "", 14, "     15.46      ", "     "},
    {29, "     ", " 119.000  ", "     ", "", 14, "     15.47      ", " 1.0 "},
    {30, " 135 ", " 118.500  ", "     ", "deviatoio di uscita", 0, "     15.47+     ", "     "},
    {31, "     ", " 111.600  ", "     ", "", 11, " 15.52+   15.53 ", " 0.5 "},
    {32, " 120 ", " 111.150  ", " 120 ", "deviatoio di uscita", 0, "     15.53+     ", "     "},
    {33, " 135 ", " 108.550  ", " 130 ", "Km.108.550", 0, "     15.55      ", "     "},
    {34, "     ", " 105.300  ", "     ", "", 5, "     15.57      ", "     "},
    {35, "  75 ", "  97.350  ", "  75 ", "", 24, "     16.01      ", "     "},
    {36, "     ", "  95.350  ", "     ", "", 12, "     16.03      ", "     "},
    {37, "     ", "  94.800  ", "     ", "", 6, " 16.06          ", "     "},
};

// Returns the cells of a table line: the texts between its bars.
std::vector<std::string> celle(const std::string& riga) {
  std::vector<std::string> c;
  size_t p = riga.find('|');
  while (p != std::string::npos) {
    size_t q = riga.find('|', p + 1);
    if (q == std::string::npos) break;
    c.push_back(riga.substr(p + 1, q - p - 1));
    p = q;
  }
  return c;
}

TEST(DatiScheda, TimetableRowsCellByCell) {
  std::vector<std::string> righe = righe_scheda();
  ASSERT_EQ(righe.size(), 48u);
  std::map<int, std::string> nomi;
  for (const riga_attesa& r : orario_atteso) {
    const std::string& riga = righe[r.numero - 1];
    std::vector<std::string> c = celle(riga);
    ASSERT_EQ(c.size(), 7u) << riga;
    EXPECT_EQ(c[0], r.velocita) << "line " << r.numero;
    EXPECT_EQ(c[1], "     ") << "line " << r.numero;
    EXPECT_EQ(c[2], r.chilometro) << "line " << r.numero;
    EXPECT_EQ(c[3], r.rs) << "line " << r.numero;
    EXPECT_EQ(c[5], r.orario) << "line " << r.numero;
    EXPECT_EQ(c[6], r.recupero) << "line " << r.numero;
    ASSERT_EQ(c[4].size(), 28u) << "line " << r.numero;
    EXPECT_EQ(c[4].substr(0, 2), "  ") << "line " << r.numero;
    std::string testo = c[4].substr(2);
    testo.erase(testo.find_last_not_of(' ') + 1);
    if (!r.localita.empty()) {
      EXPECT_EQ(testo, r.localita) << "line " << r.numero;
    } else {
      EXPECT_EQ(testo.size(), r.lunghezza_nome) << "line " << r.numero << ": " << testo;
      nomi[r.numero] = testo;
    }
  }

  // Stations with two names write them in upper case joined by a slash; the
  // one accent of the route is written as an apostrophe.
  for (int n : {19, 22, 23, 24, 27, 28, 29}) {
    const std::string& s = nomi[n];
    size_t barra = s.find('/');
    ASSERT_NE(barra, std::string::npos) << s;
    std::string prima = s.substr(0, barra);
    if (n == 28) {
      ASSERT_EQ(prima.substr(prima.size() - 2), "E'") << s;
      prima.resize(prima.size() - 2);
    }
    EXPECT_TRUE(prova::tutte(prima, prova::maiuscola)) << s;
    EXPECT_TRUE(prova::tutte(s.substr(barra + 1), prova::maiuscola)) << s;
  }
  for (int n : {31, 34, 37})
    for (char c : nomi[n]) EXPECT_TRUE(prova::maiuscola(c) || c == ' ') << nomi[n];
  EXPECT_EQ(nomi[36], nomi[37] + " scalo");
  EXPECT_EQ(nomi[35], "segn. prot. " + nomi[36]);
}

TEST(DatiScheda, NextStretchSpansTheMiddleColumns) {
  std::vector<std::string> righe = righe_scheda();
  ASSERT_EQ(righe.size(), 48u);
  std::string resto = prova::dopo(righe[39], " |     |   SEGUONO INFORMAZIONI TRATTO ");
  ASSERT_EQ(resto.size(), 27u + 10 + 7) << righe[39];
  EXPECT_EQ(resto.substr(27), "          |     |");
  std::string tratto = resto.substr(0, 27);
  size_t trattino = tratto.find(" - ");
  ASSERT_NE(trattino, std::string::npos) << tratto;
  for (char c : tratto) EXPECT_FALSE(prova::minuscola(c)) << tratto;
  // The stretch that follows begins at the route's last station.
  EXPECT_EQ(tratto.substr(0, trattino), celle(righe[36])[4].substr(2, 6));
}

}  // namespace
}  // namespace compattatore
