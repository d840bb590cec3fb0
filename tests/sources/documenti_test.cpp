// Rules that hold across the three driver documents.
#include <gtest/gtest.h>

#include <set>

#include "sources/testi.h"
#include "tests/sources/testo_righe.h"

namespace compattatore {
namespace {

struct documento {
  const char* nome;
  std::string testo;
};

std::vector<documento> documenti() {
  return {{"scheda", dati_scheda()}, {"rallentamenti", dati_rallentamenti()}, {"note", dati_note()}};
}

TEST(Documenti, OnlyThreeLinesEndInBlanks) {
  // Line 3 of the sheet (one blank and nothing else), line 10 of the sheet
  // (seven blanks) and line 9 of the notes (one blank).
  const std::set<std::pair<std::string, int>> attese = {{"scheda", 3}, {"scheda", 10}, {"note", 9}};
  std::set<std::pair<std::string, int>> trovate;
  for (const documento& d : documenti()) {
    prova::righe_testo t = prova::righe_di(d.testo);
    EXPECT_TRUE(t.chiuse_crlf) << d.nome;
    for (size_t i = 0; i < t.righe.size(); ++i)
      if (!t.righe[i].empty() && t.righe[i].back() == ' ') trovate.insert({d.nome, static_cast<int>(i + 1)});
  }
  EXPECT_EQ(trovate, attese);
}

TEST(Documenti, SheetAndOrderHoldOnlyAscii) {
  for (const documento& d : documenti()) {
    bool note = std::string_view(d.nome) == "note";
    EXPECT_EQ(prova::solo_ascii(d.testo), !note) << d.nome;
  }
}

TEST(Documenti, NoEndMarkerAndNoByteOrderMark) {
  for (const documento& d : documenti()) {
    EXPECT_EQ(d.testo.find(marcatore_fine), std::string::npos) << d.nome;
    EXPECT_NE(d.testo.substr(0, 3), "\xEF\xBB\xBF") << d.nome;
    EXPECT_EQ(d.testo.find('\x1A'), std::string::npos) << d.nome;
  }
}

}  // namespace
}  // namespace compattatore
