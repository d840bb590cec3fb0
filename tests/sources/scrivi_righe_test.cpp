#include <gtest/gtest.h>

#include "sources/testi.h"

namespace compattatore {
namespace {

const std::string marcatore(marcatore_fine);

TEST(ScriviRighe, StopsAtTheMarkerAndNeverWritesIt) {
  struct caso {
    const char* nome;
    std::vector<std::string> tabella;
    std::string atteso;
  } casi[] = {
      {"lines then marker", {"[generale]", "sabbia,    300", marcatore}, "[generale]\r\nsabbia,    300\r\n"},
      {"marker first", {marcatore, "mai scritta"}, ""},
      {"entries after the marker are never read", {"uno", marcatore, "due", marcatore, "tre"}, "uno\r\n"},
      {"empty line is CR LF alone", {"", " ", "", marcatore}, "\r\n \r\n\r\n"},
      // Only the exact text ends the table.
      {"other case is a line", {"Riferimento fine del file", marcatore}, "Riferimento fine del file\r\n"},
      {"marker inside a line is a line",
       {" riferimento fine del file", "riferimento fine del file ", marcatore},
       " riferimento fine del file\r\nriferimento fine del file \r\n"},
      {"no marker: the table's end", {"a", "b"}, "a\r\nb\r\n"},
      {"empty table", {}, ""},
  };
  for (const caso& c : casi) EXPECT_EQ(scrivi_righe(c.tabella), c.atteso) << c.nome;
}

size_t righe_scritte(const std::string& testo) {
  size_t n = 0;
  for (size_t p = testo.find("\r\n"); p != std::string::npos; p = testo.find("\r\n", p + 2)) ++n;
  return n;
}

TEST(ScriviRighe, WritesAtMostOneThousandLines) {
  // A full table: 1000 lines and the marker in its last entry.
  std::vector<std::string> piena(1000, "x");
  piena.push_back(marcatore);
  EXPECT_EQ(righe_scritte(scrivi_righe(piena)), 1000u);

  // A table that lost its marker, or runs past 1001 entries, still stops at
  // 1000 lines.
  for (size_t voci : {1001u, 1002u, 1500u}) {
    std::vector<std::string> senza(voci, "x");
    std::string testo = scrivi_righe(senza);
    EXPECT_EQ(righe_scritte(testo), 1000u) << voci << " entries";
    EXPECT_EQ(testo.size(), 3000u) << voci << " entries";
  }
}

}  // namespace
}  // namespace compattatore
