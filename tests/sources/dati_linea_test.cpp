#include <gtest/gtest.h>

#include <map>

#include "sources/testi.h"
#include "tests/sources/testo_righe.h"

namespace compattatore {
namespace {

using prova::righe_di;

// Every line of the line source that names no invented place, by its 1-based
// number.
const std::map<int, std::string> righe_fisse = {
    {1, "[generale]"},
    {2, "lunghezza percorso,    62000"},
    {3, "progressiva chilometrica uno,    0,    150300,    1"},
    {4, "progressiva chilometrica due,    0,    0,    0"},
    {5, "progressiva chilometrica tre,    0,    0,    0"},
    {6, "sfondo uno,    0"},
    {7, "sfondo due,    0"},
    {8, "sfondo tre,    1"},
    {9, "ripetizione segnali 4 codici,    0,    60000"},
    {10, "[curve]"},
    {11, "curvas6,  350,  100"},
    {12, "curvad4,  550,  200"},
    {13, "curvas4,  750,  300"},
    {14, "curvas3,  1700,  400"},
    {15, "curvad3,  11400,  600"},
    {16, "curvad4,  16300,  900"},
    {17, "curvas4,  17400,  900"},
    {18, "curvad4,  21000,  400"},
    {19, "curvas2,  25400,  1200"},
    {20, "curvad4,  28300,  700"},
    {21, "curvad5,  30500,  300"},
    {22, "curvas4,  36000,  1150"},
    {23, "curvas5,  39700,  650"},
    {24, "curvad5,  40650,  650"},
    {25, "curvad4,  43600,  500"},
    {26, "curvas3,  47300,  2000"},
    {27, "curvad6,  54150,  50"},
    {28, "curvas6,  54250,  50"},
    {29, "curvad5,  55000,  350"},
    {30, "[pendenze]"},
    {31, "pendenza,   0,    0"},
    {32, "pendenza,  16600,   -4"},
    {33, "pendenza,  21400,   0"},
    {34, "pendenza,  31700,   -1"},
    {35, "pendenza,  38000,   0"},
    {36, "pendenza,  46300,   -3"},
    {37, "pendenza,  55500,   0"},
    {38, "[montagne]"},
    {39, "[cartelli]"},
    {40, "indicatori_vmax,  700,  95,  100,  105,  0,  95,  100,  105,  0"},
    {41, "indicatori_vmax,  1400,  140,  150,  150,  0,  140,  150,  150,  0"},
    {42, "indicatori_vmax,  15150,  110,  120,  125,  0,  110,  120,  125,  0"},
    {43, "indicatori_vmax,  18500,  140,  150,  150,  0,  140,  150,  150,  0"},
    {44, "indicatori_vmax,  30200,  130,  135,  140,  0,  130,  135,  140,  0"},
    {45, "indicatori_vmax,  37800,  110,  120,  125,  0,  110,  120,  125,  0"},
    {46, "indicatori_vmax,  41750,  130,  135,  140,  0,  130,  135,  140,  0"},
    {47, "indicatori_vmax,  51150,  70,  75,  75,  2,  70,  75,  75,  2"},
    {48, "indicatori_vmax,  51350,  70,  75,  75,  1,  70,  75,  75,  1"},
    {49, "indicatori_vmax,  51550,  70,  75,  75,  0,  70,  75,  75,  0"},
    {50, "[indicazioni]"},
    {52, "cartello_indicatore,  600,   (FINE PONTE  )(INIZIO ZONA )(CADUTA MASSI)"},
    {53, "cartello_indicatore,  1150,   (FINE ZONA   )(CADUTA MASSI)"},
    {54, "cartello_indicatore,  9550,   (P.L.       )(Km. 140.791)"},
    {55, "cartello_indicatore,  10250,   (P.L.       )(Km. 140.031)"},
    {56, "cartello_indicatore,  14250,   (P.L.       )(Km. 136.030)"},
    {57, "cartello_indicatore,  15750,   (P.L.       )(Km. 134.513)"},
    {60, "cartello_indicatore,  25400,   (P.L.       )(Km. 124.863)"},
    {62, "cartello_indicatore,  38350,   (P.L.       )(Km. 111.962)"},
    {65, "cartello_indicatore,  43550,   (P.L.      )(Km 106.744)"},
    {66, "cartello_indicatore,  45450,   (P.L.      )(Km 104.795)"},
    {67, "cartello_indicatore,  46350,   (P.L.       )(Km. 103.937)"},
    {70, "cartello_indicatore,  51750,   (P.L.     )(Km 98.517)"},
    {71, "[fine]"},
};

TEST(DatiLinea, SeventyOneLinesEachClosedByCrLf) {
  const std::string testo = dati_linea();
  prova::righe_testo t = righe_di(testo);
  EXPECT_TRUE(t.chiuse_crlf);
  EXPECT_EQ(t.righe.size(), 71u);
  EXPECT_EQ(testo.substr(testo.size() - 8), "[fine]\r\n");
  EXPECT_EQ(testo.find(marcatore_fine), std::string::npos);
  EXPECT_TRUE(prova::solo_ascii(testo));
}

TEST(DatiLinea, FixedLinesExactly) {
  prova::righe_testo t = righe_di(dati_linea());
  ASSERT_EQ(t.righe.size(), 71u);
  for (const auto& [numero, attesa] : righe_fisse) EXPECT_EQ(t.righe[numero - 1], attesa) << "line " << numero;
}

// Returns the groups of the sign on `riga` when the line starts with
// `prefisso`; empty otherwise.
std::vector<std::string> gruppi_cartello(const std::string& riga, std::string_view prefisso) {
  return prova::gruppi_di(prova::dopo(riga, prefisso));
}

TEST(DatiLinea, EverySignPadsItsGroupsToOneWidthOfNineToTwelve) {
  prova::righe_testo t = righe_di(dati_linea());
  ASSERT_EQ(t.righe.size(), 71u);
  for (int n = 51; n <= 70; ++n) {
    const std::string& riga = t.righe[n - 1];
    size_t testo = riga.find(",   (");
    ASSERT_NE(testo, std::string::npos) << "line " << n;
    std::vector<std::string> gruppi = prova::gruppi_di(std::string_view(riga).substr(testo + 4));
    ASSERT_GE(gruppi.size(), 2u) << "line " << n;
    ASSERT_LE(gruppi.size(), 3u) << "line " << n;
    size_t larghezza = gruppi[0].size();
    EXPECT_GE(larghezza, 9u) << "line " << n;
    EXPECT_LE(larghezza, 12u) << "line " << n;
    bool uno_pieno = false;
    for (const std::string& g : gruppi) {
      EXPECT_EQ(g.size(), larghezza) << "line " << n << " group " << g;
      EXPECT_NE(g[0], ' ') << "line " << n << ": padding goes after the text";
      uno_pieno = uno_pieno || g.back() != ' ';
    }
    EXPECT_TRUE(uno_pieno) << "line " << n << ": the width is the longest group's";
  }
}

TEST(DatiLinea, SignsNamingPlacesKeepTheirForms) {
  prova::righe_testo t = righe_di(dati_linea());
  ASSERT_EQ(t.righe.size(), 71u);
  auto riga = [&](int n) { return t.righe[n - 1]; };

  std::vector<std::string> g = gruppi_cartello(riga(51), "cartello_indicatore,  450,   ");
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0], "PONTE SUL   ");
  EXPECT_EQ(g[1].substr(0, 6), "FIUME ");
  EXPECT_TRUE(prova::tutte(g[1].substr(6), prova::maiuscola)) << g[1];
  EXPECT_EQ(g[1].size(), 12u);

  // The two bridges over one river, numbered 1 and 2, each with its end.
  struct ponte {
    int inizio_riga, fine_riga;
    std::string inizio_prefisso, fine_prefisso;
    char numero;
  } ponti[] = {
      {58, 59, "cartello_indicatore,  17200,   ", "cartello_indicatore,  17350,   ", '1'},
      {63, 64, "cartello_indicatore,  40400,   ", "cartello_indicatore,  40550,   ", '2'},
  };
  std::string fiume;
  for (const ponte& p : ponti) {
    std::vector<std::string> inizio = gruppi_cartello(riga(p.inizio_riga), p.inizio_prefisso);
    std::vector<std::string> fine = gruppi_cartello(riga(p.fine_riga), p.fine_prefisso);
    ASSERT_EQ(inizio.size(), 3u) << p.inizio_riga;
    ASSERT_EQ(fine.size(), 3u) << p.fine_riga;
    EXPECT_EQ(inizio[0], "INIZIO PONTE");
    EXPECT_EQ(inizio[1], "SUL FIUME   ");
    EXPECT_EQ(fine[0], "FINE PONTE");
    EXPECT_EQ(fine[1], "SUL FIUME ");
    const std::string nome = inizio[2].substr(0, 5);
    EXPECT_TRUE(prova::tutte(nome, prova::maiuscola)) << inizio[2];
    EXPECT_EQ(inizio[2], nome + " " + p.numero + "     ");
    EXPECT_EQ(fine[2], nome + " " + p.numero + "   ");
    if (fiume.empty()) fiume = nome;
    EXPECT_EQ(nome, fiume) << "both bridges cross the same river";
  }

  g = gruppi_cartello(riga(61), "cartello_indicatore,  33600,   ");
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0], "PROVINCIA");
  EXPECT_EQ(g[1].substr(0, 3), "DI ");
  EXPECT_EQ(g[1].size(), 9u);
  EXPECT_TRUE(prova::tutte(g[1].substr(3), prova::maiuscola)) << g[1];

  std::vector<std::string> inizio = gruppi_cartello(riga(68), "cartello_indicatore,  48300,   ");
  std::vector<std::string> fine = gruppi_cartello(riga(69), "cartello_indicatore,  49300,   ");
  ASSERT_EQ(inizio.size(), 3u);
  ASSERT_EQ(fine.size(), 3u);
  EXPECT_EQ(inizio[0], "INIZIO PONTE");
  EXPECT_EQ(fine[0], "FINE PONTE  ");
  EXPECT_EQ(inizio[1].substr(0, 4), "DEI ");
  EXPECT_EQ(inizio[1].substr(8), " SUL");
  EXPECT_TRUE(prova::tutte(inizio[1].substr(4, 4), prova::maiuscola)) << inizio[1];
  EXPECT_EQ(inizio[2].substr(0, 6), "FIUME ");
  EXPECT_TRUE(prova::tutte(inizio[2].substr(6), prova::maiuscola)) << inizio[2];
  EXPECT_EQ(inizio[2].size(), 12u);
  EXPECT_EQ(fine[1], inizio[1]);
  EXPECT_EQ(fine[2], inizio[2]);
}

}  // namespace
}  // namespace compattatore
