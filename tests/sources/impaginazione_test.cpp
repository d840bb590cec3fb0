#include "sources/impaginazione.h"

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(Impaginazione, PadsToTheWidthAndNeverCuts) {
  struct caso {
    std::string_view testo;
    size_t larghezza;
    std::string sinistra, destra;
  } casi[] = {
      {"30", 4, "30  ", "  30"},
      {"150.200", 8, "150.200 ", " 150.200"},
      {"", 3, "   ", "   "},
      {"VALMORA", 7, "VALMORA", "VALMORA"},
      // Too long for its cell: kept whole, so the line length shows it.
      {"TROPPO LUNGO", 5, "TROPPO LUNGO", "TROPPO LUNGO"},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(a_sinistra(c.testo, c.larghezza), c.sinistra) << c.testo;
    EXPECT_EQ(a_destra(c.testo, c.larghezza), c.destra) << c.testo;
  }
}

TEST(Impaginazione, UpperCaseWritesTheAccentAsAnApostrophe) {
  struct caso {
    std::string_view nome, atteso;
  } casi[] = {
      {"Valmora", "VALMORA"},
      {"Rond\xE8", "RONDE'"},
      {"Tessa P.Gr.", "TESSA P.GR."},
      {"Lesta/Lesten", "LESTA/LESTEN"},
      {"GI\xC0", "GI\xC0"},  // other bytes are kept as they are
      {"", ""},
  };
  for (const caso& c : casi) EXPECT_EQ(maiuscolo(c.nome), c.atteso) << c.nome;
}

}  // namespace
}  // namespace compattatore
