#include <gtest/gtest.h>

#include <map>

#include "sources/testi.h"
#include "tests/sources/testo_righe.h"

namespace compattatore {
namespace {

using prova::righe_di;

// Every line of the train source except the stations' names, by 1-based
// number; a station line is given up to its name.
const std::map<int, std::string> righe_fisse = {
    {1, "[generale]"},
    {2, "numero vetture,    6"},
    {3, "percentuale massa frenata,    120"},
    {4, "sabbia,    300"},
    {5, "orologio,    15              28            20 "},
    {6, "[aderenze]"},
    {7, "aderenza,       0,    75"},
    {8, "aderenza,   26200,    60"},
    {9, "[vel_limite]"},
    {10, "velocita,       0,    30"},
    {11, "velocita,     700,   100"},
    {12, "velocita,    1400,   150"},
    {13, "velocita,   16550,   120"},
    {14, "velocita,   18500,   150"},
    {15, "velocita,   31800,   135"},
    {16, "velocita,   39150,   120"},
    {17, "velocita,   41750,   135"},
    {18, "velocita,   52950,    75"},
    {19, "[stazioni]"},
    {32, "[rallentamenti]"},
    {33, "rallentamento,   27900,    70,  350, 0,  1,  0"},
    {34, "[segnali]"},
    {35, "segnale,    1350,   2, 4, 1,  0, 0,    0,  0,0,0, 0"},
    {36, "segnale,    5500,   1, 4, 0,  0, 0,    0,  3,0,0, 0"},
    {37, "segnale,    7100,   2, 4, 0,  0, 0,    2,  2,0,0, 0"},
    {38, "segnale,    9450,   2, 4, 1,  0, 0,    2,  2,1,0, 0"},
    {39, "segnale,   10200,   2, 4, 1,  0, 0,    2,  2,1,0, 0"},
    {40, "segnale,   13000,   1, 4, 1,  0, 0,    0,  0,0,0, 0"},
    {41, "segnale,   14150,   2, 5, 1,  0, 0,    2,  3,1,0, 0"},
    {42, "segnale,   15500,   2, 3, 1,  0, 0,    2,  2,1,0, 0"},
    {43, "segnale,   19900,   1, 4, 1,  0, 0,    1,  3,1,0, 0"},
    {44, "segnale,   21250,   2, 4, 1,  0, 0,    2,  2,1,0, 0"},
    {45, "segnale,   24000,   1, 4, 0,  0, 0,    0,  3,0,0, 0"},
    {46, "segnale,   25350,   2, 4, 0,  0, 0,    0,  2,0,0, 0"},
    {47, "segnale,   29350,   1, 4, 1,  0, 0,    1,  3,1,0, 0"},
    {48, "segnale,   30700,   2, 4, 1,  0, 0,    2,  2,1,0, 0"},
    {49, "segnale,   36750,   1, 5, 1,  0, 0,    1,  3,1,0, 0"},
    {50, "segnale,   38100,   2, 3, 1,  0, 0,    2,  2,1,0, 0"},
    {51, "segnale,   42150,   1, 4, 1,  0, 0,    1,  1,1,0, 0"},
    {52, "segnale,   43500,   2, 3, 1,  0, 0,    2,  3,1,0, 0"},
    {53, "segnale,   45400,   2, 4, 1,  0, 0,    2,  2,1,0, 240"},
    {54, "segnale,   50250,   1, 4, 1,  1, 0,    1,  3,1,1, 0"},
    {55, "segnale,   51600,   2, 4, 1,  1, 0,    2,  2,1,1, 0"},
    {56, "segnale,   52950,   2, 4, 1,  1, 0,    2,  2,1,1, 0"},
    {57, "[codici]"},
    {58, "[fine]"},
};

const std::map<int, std::string> stazioni_fino_al_nome = {
    {20, "stazione,       0, 12, 1000,  1, 0, 0,  4,1,0,  2,1,1,    1,  15,29, 0, "},
    {21, "stazione,    1600, 27,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, "},
    {22, "stazione,    7800, 24,  200,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, 0, "},
    {23, "stazione,   11000, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "},
    {24, "stazione,   16150, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,   30,  15,40, 0, "},
    {25, "stazione,   21900, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "},
    {26, "stazione,   25900, 24,  500,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, 0, "},
    {27, "stazione,   31300, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "},
    {28, "stazione,   38700, 12,  600,  0, 0, 0,  1,1,0,  4,1,1,   30,  15,53, 0, "},
    {29, "stazione,   46000, 12,  500,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "},
    {30, "stazione,   53800, 11, 1400,  0, 0, 0,  1,1,0,  3,1,1,    0,   0, 0, 0, "},
    {31, "stazione,   55500, 12,  700,  0, 0, 0,  1,1,0,  2,1,1,    0,  16, 6, 0, "},
};

std::vector<std::string> righe_treno() {
  prova::righe_testo t = righe_di(dati_treno());
  EXPECT_TRUE(t.chiuse_crlf);
  EXPECT_EQ(t.righe.size(), 58u);
  return t.righe;
}

TEST(DatiTreno, FiftyEightLinesEachClosedByCrLf) {
  const std::string testo = dati_treno();
  EXPECT_EQ(righe_di(testo).righe.size(), 58u);
  EXPECT_TRUE(righe_di(testo).chiuse_crlf);
  EXPECT_EQ(testo.substr(testo.size() - 18), "[codici]\r\n[fine]\r\n");
  EXPECT_EQ(testo.find(marcatore_fine), std::string::npos);
}

TEST(DatiTreno, FixedLinesExactly) {
  std::vector<std::string> righe = righe_treno();
  ASSERT_EQ(righe.size(), 58u);
  for (const auto& [numero, attesa] : righe_fisse) EXPECT_EQ(righe[numero - 1], attesa) << "line " << numero;
  for (const auto& [numero, prefisso] : stazioni_fino_al_nome)
    EXPECT_EQ(righe[numero - 1].substr(0, prefisso.size()), prefisso) << "line " << numero;
  EXPECT_EQ(righe[4].size(), 46u) << "the clock line keeps its trailing blank";
}

// Returns true when `riga` is `parola`, then for each width a comma and a
// number right-aligned in exactly that width; `resto` receives what follows.
bool colonne_allineate(const std::string& riga, std::string_view parola, std::initializer_list<size_t> larghezze,
                       std::string& resto) {
  if (riga.substr(0, parola.size()) != parola) return false;
  size_t p = parola.size();
  for (size_t l : larghezze) {
    if (p >= riga.size() || riga[p] != ',') return false;
    ++p;
    if (p + l > riga.size()) return false;
    std::string_view campo = std::string_view(riga).substr(p, l);
    size_t cifre = campo.find_first_not_of(' ');
    if (cifre == std::string_view::npos) return false;
    std::string_view numero = campo.substr(cifre);
    if (numero[0] == '-') numero.remove_prefix(1);
    if (!prova::tutte(numero, [](char c) { return c >= '0' && c <= '9'; })) return false;
    p += l;
  }
  resto = riga.substr(p);
  return true;
}

TEST(DatiTreno, RecordsStandInTheirFixedColumns) {
  std::vector<std::string> righe = righe_treno();
  ASSERT_EQ(righe.size(), 58u);
  std::string resto;
  for (int n : {7, 8}) {
    EXPECT_TRUE(colonne_allineate(righe[n - 1], "aderenza", {8, 6}, resto)) << righe[n - 1];
    EXPECT_EQ(resto, "");
  }
  for (int n = 10; n <= 18; ++n) {
    EXPECT_TRUE(colonne_allineate(righe[n - 1], "velocita", {8, 6}, resto)) << righe[n - 1];
    EXPECT_EQ(resto, "");
  }
  for (int n = 20; n <= 31; ++n) {
    EXPECT_TRUE(colonne_allineate(righe[n - 1], "stazione", {8, 3, 5, 3, 2, 2, 3, 1, 1, 3, 1, 1, 5, 4, 2, 2}, resto))
        << righe[n - 1];
    EXPECT_EQ(resto.substr(0, 2), ", ") << righe[n - 1];
    EXPECT_GT(resto.size(), 2u) << "a name follows";
  }
  EXPECT_TRUE(colonne_allineate(righe[32], "rallentamento", {8, 6, 5, 2, 3, 3}, resto)) << righe[32];
  EXPECT_EQ(resto, "");
  for (int n = 35; n <= 56; ++n) {
    EXPECT_TRUE(colonne_allineate(righe[n - 1], "segnale", {8, 4, 2, 2, 3, 2, 5, 3, 1, 1}, resto)) << righe[n - 1];
    // The last value follows a comma and a blank, unpadded.
    EXPECT_TRUE(resto == ", 0" || resto == ", 240") << righe[n - 1];
  }
}

std::string nome(const std::vector<std::string>& righe, int n) {
  return righe[n - 1].substr(stazioni_fino_al_nome.at(n).size());
}

// Splits "a<sep>b" into its two halves; both empty when `sep` is missing.
std::pair<std::string, std::string> due_nomi(const std::string& s, std::string_view sep) {
  size_t p = s.find(sep);
  if (p == std::string::npos) return {};
  return {s.substr(0, p), s.substr(p + sep.size())};
}

TEST(DatiTreno, StationNamesKeepTheirForms) {
  std::vector<std::string> righe = righe_treno();
  ASSERT_EQ(righe.size(), 58u);

  // The first station: two upper-case names, the first of them the place
  // the route key begins with.
  std::string prima = nome(righe, 20);
  EXPECT_EQ(prima.size(), 15u);
  auto [it, de] = due_nomi(prima, " / ");
  EXPECT_EQ(it, "VALMORA");
  EXPECT_TRUE(prova::tutte(de, prova::maiuscola)) << prima;

  // The junction: "Bivio" and a bilingual name joined by a bare slash.
  std::string bivio = nome(righe, 21);
  EXPECT_EQ(bivio.size(), 18u);
  EXPECT_EQ(bivio.substr(0, 6), "Bivio ");
  auto [bi, bd] = due_nomi(bivio.substr(6), "/");
  EXPECT_TRUE(prova::capitalizzata(bi)) << bivio;
  EXPECT_TRUE(prova::capitalizzata(bd)) << bivio;

  // Bilingual stations: two capitalised names and their separator.
  struct caso {
    int riga;
    size_t lunghezza;
    std::string_view separatore;
    bool accento;  // the first name ends in e grave
  } casi[] = {
      {22, 16, " / ", false}, {23, 19, " / ", false}, {24, 10, " / ", false},
      {25, 15, " / ", false}, {26, 14, "/ ", true},   {27, 16, " / ", false},
  };
  for (const caso& c : casi) {
    std::string n = nome(righe, c.riga);
    EXPECT_EQ(n.size(), c.lunghezza) << "line " << c.riga << ": " << n;
    auto [a, b] = due_nomi(n, c.separatore);
    EXPECT_TRUE(prova::capitalizzata(a, c.accento)) << "line " << c.riga << ": " << n;
    EXPECT_TRUE(prova::capitalizzata(b)) << "line " << c.riga << ": " << n;
    EXPECT_EQ(!a.empty() && a.back() == '\xE8', c.accento) << "line " << c.riga;
  }

  // Past the provincial border: one name each.
  std::string pieve = nome(righe, 28);
  EXPECT_EQ(pieve.size(), 11u);
  EXPECT_TRUE(prova::parole_capitalizzate(pieve)) << pieve;
  std::string piccola = nome(righe, 29);
  EXPECT_EQ(piccola.size(), 5u);
  EXPECT_TRUE(prova::capitalizzata(piccola)) << piccola;

  // The last station and, before it, its goods yard.
  std::string ultima = nome(righe, 31);
  EXPECT_EQ(ultima.size(), 6u);
  EXPECT_TRUE(prova::tutte(ultima, prova::maiuscola)) << ultima;
  EXPECT_EQ(nome(righe, 30), ultima + " SCALO");

  // Only the one accented name leaves ASCII.
  for (size_t i = 0; i < righe.size(); ++i) {
    if (i == 25) continue;
    EXPECT_TRUE(prova::solo_ascii(righe[i])) << "line " << i + 1;
  }
}

}  // namespace
}  // namespace compattatore
