#include "output/codici_gara.h"

#include <gtest/gtest.h>

#include <string>

namespace compattatore {
namespace {

// A model holding only what the codes read: the train key in entry 86 and
// the route key in entry 85.
modello con_chiavi(const std::string& treno, const std::string& linea) {
  modello m;
  m.tabella[86].nome = treno;
  m.tabella[85].nome = linea;
  return m;
}

// The expected codes were worked out by hand from the first 25 characters of
// W (shown in each row): og sums the codes, st weighs the i-th by i.
TEST(CodiciGara, KeysOfAnyCaseAndLength) {
  struct caso {
    const char* treno;
    const char* linea;
    const char* w;  // the first 25 characters of W, for the reader of the test
    int16_t og;
    int32_t st;
  } casi[] = {
      // The two worked examples.
      {"AB", "C", "abcaabbccddeeffgghhiillmm", 2546, 33756},
      {"", "", "aabbccddeeffgghhiillmmnno", 2583, 34355},
      // Lower case keys give the same codes as upper case ones.
      {"ab", "c", "abcaabbccddeeffgghhiillmm", 2546, 33756},
      {"Ab", "c", "abcaabbccddeeffgghhiillmm", 2546, 33756},
      // Swapped keys: the train key comes first, so the same characters are
      // summed (og unchanged) but weighed differently (st changes).
      {"C", "AB", "cabaabbccddeeffgghhiillmm", 2546, 33753},
      // The built-in keys, both ways round.
      {"R7736", "Valmora_Tessa", "r7736valmora_tessaaabbccd", 2410, 32688},
      {"Valmora_Tessa", "R7736", "valmora_tessar7736aabbccd", 2410, 30000},
      // Keys of 25 characters and more: the filler is left out entirely and
      // whatever stands beyond the 25th character is ignored.
      {"R7736", "Valmora_Tessa_Nordov", "r7736valmora_tessa_nordov", 2481, 34296},
      {"R7736", "Valmora_Tessa_Nordovest_Lunga", "r7736valmora_tessa_nordov", 2481, 34296},
      {"TRENO_NOTTURNO_VALMORA_01", "C", "treno_notturno_valmora_01", 2593, 32000},
      {"treno_notturno_valmora_01", "", "treno_notturno_valmora_01", 2593, 32000},
      // Keys of 24 and 23 characters bring the filler's first "a" or "aa" in.
      {"R7736", "Valmora_Tessa_Nordo", "r7736valmora_tessa_nordoa", 2460, 33771},
      {"R7736", "Valmora_Tessa_Nord", "r7736valmora_tessa_nordaa", 2446, 33435},
  };
  for (const caso& c : casi) {
    modello m = con_chiavi(c.treno, c.linea);
    EXPECT_EQ(codice_gara_og(m), c.og) << c.treno << " / " << c.linea << " -> " << c.w;
    EXPECT_EQ(codice_gara_st(m), c.st) << c.treno << " / " << c.linea << " -> " << c.w;
  }
}

TEST(CodiciGara, TheKeysAreReadFromTheTableNotFromTheModelKeys) {
  // The reader copies the keys into entries 85 and 86; the codes must follow
  // the table, which is what the compiled files carry.
  modello m = con_chiavi("AB", "C");
  m.nome_treno = "R7736";
  m.nome_linea = "Valmora_Tessa";
  EXPECT_EQ(codice_gara_og(m), 2546);
  EXPECT_EQ(codice_gara_st(m), 33756);
}

TEST(CodiciGara, AccentedCapitalsCountAsTheirLowerCaseLetter) {
  // A grave E (0xC8) and a grave e (0xE8) in code page 1252: one byte each,
  // the capital lower-cased to 0xE8 = 232 before it is summed.
  modello maiuscola = con_chiavi("\xC8", "");
  modello minuscola = con_chiavi("\xE8", "");
  EXPECT_EQ(codice_gara_og(maiuscola), 2704);
  EXPECT_EQ(codice_gara_st(maiuscola), 34284);
  EXPECT_EQ(codice_gara_og(minuscola), 2704);
  EXPECT_EQ(codice_gara_st(minuscola), 34284);
}

}  // namespace
}  // namespace compattatore
