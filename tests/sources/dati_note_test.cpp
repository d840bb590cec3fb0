#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "sources/testi.h"
#include "tests/sources/testo_righe.h"

namespace compattatore {
namespace {

using prova::righe_di;

std::vector<std::string> righe_note() {
  prova::righe_testo t = righe_di(dati_note());
  EXPECT_TRUE(t.chiuse_crlf);
  EXPECT_EQ(t.righe.size(), 22u);
  return t.righe;
}

TEST(DatiNote, TwentyTwoLinesEachClosedByCrLf) {
  const std::string testo = dati_note();
  prova::righe_testo t = righe_di(testo);
  EXPECT_TRUE(t.chiuse_crlf);
  EXPECT_EQ(t.righe.size(), 22u);
  EXPECT_EQ(testo.substr(testo.size() - 13), "bilingui.\r\n\r\n");
  EXPECT_EQ(testo.find(marcatore_fine), std::string::npos);
}

TEST(DatiNote, HeaderAndFixedLines) {
  std::vector<std::string> righe = righe_note();
  ASSERT_EQ(righe.size(), 22u);
  const std::map<int, std::string> fisse = {
      {3, "NUMERO PROGRESSIVO SCENARIO: 2"},
      {4, "DATA REALIZZAZIONE SCENARIO: 25.03.2001"},
      {5, ""},
      {6, ""},
      {21, "bilingui."},
      {22, ""},
  };
  for (const auto& [numero, attesa] : fisse) EXPECT_EQ(righe[numero - 1], attesa) << "line " << numero;

  std::string autore = prova::dopo(righe[0], "AUTORE: ");
  EXPECT_EQ(righe[0].size(), 27u) << righe[0];
  EXPECT_TRUE(prova::parole_capitalizzate(autore)) << autore;

  std::string posta = prova::dopo(righe[1], "INDIRIZZO EMAIL: ");
  EXPECT_EQ(righe[1].size(), 32u) << righe[1];
  size_t chiocciola = posta.find('@');
  ASSERT_NE(chiocciola, std::string::npos) << posta;
  EXPECT_GT(chiocciola, 0u);
  EXPECT_EQ(posta.find('@', chiocciola + 1), std::string::npos) << posta;
  EXPECT_NE(posta.find('.', chiocciola), std::string::npos) << posta;
  EXPECT_EQ(posta.find(' '), std::string::npos) << posta;
}

TEST(DatiNote, ProseLinesKeepTheirLengths) {
  std::vector<std::string> righe = righe_note();
  ASSERT_EQ(righe.size(), 22u);
  for (int n = 7; n <= 20; ++n) {
    EXPECT_LE(righe[n - 1].size(), 96u) << "line " << n;
    EXPECT_FALSE(righe[n - 1].empty()) << "line " << n;
  }
  const std::map<int, size_t> lunghezze = {{15, 90}, {16, 95}, {20, 94}};
  for (const auto& [numero, attesa] : lunghezze) EXPECT_EQ(righe[numero - 1].size(), attesa) << "line " << numero;
  EXPECT_EQ(righe[8].back(), ' ');
  EXPECT_NE(righe[8][righe[8].size() - 2], ' ') << "line 9 ends with exactly one blank";
}

TEST(DatiNote, SecondParagraphNamesTheRun) {
  std::vector<std::string> righe = righe_note();
  ASSERT_EQ(righe.size(), 22u);

  const std::string& l15 = righe[14];
  EXPECT_NE(l15.find("diretto"), std::string::npos) << l15;
  EXPECT_EQ(l15.substr(l15.size() - 4), ", ma");
  EXPECT_NE(l15.find(" Valmora "), std::string::npos) << "the route's first station: " << l15;
  // The destination, in full: three capitalised words, 18 characters.
  std::string destinazione = l15.substr(l15.size() - 4 - 18, 18);
  EXPECT_TRUE(prova::parole_capitalizzate(destinazione)) << destinazione;
  EXPECT_EQ(std::count(destinazione.begin(), destinazione.end(), ' '), 2) << destinazione;
  EXPECT_EQ(l15[l15.size() - 4 - 19], ' ') << l15;

  const std::string& l16 = righe[15];
  const std::string fine16 = "; fra le due stazioni";
  ASSERT_EQ(l16.substr(l16.size() - fine16.size()), fine16);
  // The stretch: the two end stations, capitalised, joined by " - ".
  std::string inizio16 = l16.substr(0, l16.size() - fine16.size());
  std::string tratto = inizio16.substr(inizio16.size() - 16);
  EXPECT_EQ(tratto.substr(0, 10), "Valmora - ") << tratto;
  EXPECT_TRUE(prova::capitalizzata(tratto.substr(10))) << tratto;

  const std::string apertura = "Anche in questo scenario, come nel primo (";
  const std::string& l20 = righe[19];
  ASSERT_EQ(l20.substr(0, apertura.size()), apertura);
  ASSERT_GE(l20.size(), apertura.size() + 23);
  std::string chiave = l20.substr(apertura.size(), 22);
  EXPECT_EQ(l20[apertura.size() + 22], ')') << l20;
  EXPECT_EQ(chiave.find(' '), std::string::npos) << chiave;
  EXPECT_EQ(l20.size() - apertura.size() - 23, 29u) << "the clause after the parenthesis";
}

TEST(DatiNote, OnlyTheStatedLinesHoldAccentedLetters) {
  std::vector<std::string> righe = righe_note();
  ASSERT_EQ(righe.size(), 22u);
  // Line 8 holds e grave and a grave, lines 17 to 19 e grave, as single
  // bytes of code page 1252; no other byte leaves ASCII.
  const std::map<int, std::string> accenti = {
      {8, "\xE0\xE8"}, {17, "\xE8"}, {18, "\xE8"}, {19, "\xE8"}};
  for (int n = 1; n <= 22; ++n) {
    std::string trovati;
    for (char c : righe[n - 1])
      if (static_cast<unsigned char>(c) >= 0x80 && trovati.find(c) == std::string::npos) trovati += c;
    std::sort(trovati.begin(), trovati.end(),
              [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
    auto atteso = accenti.find(n);
    EXPECT_EQ(trovati, atteso == accenti.end() ? "" : atteso->second) << "line " << n;
  }
}

}  // namespace
}  // namespace compattatore
