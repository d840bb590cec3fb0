#include "compiler/codifica.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pipeline/rilievi.h"

namespace compattatore {
namespace {

struct caso {
  const char* nome;
  std::string ingresso;
  codifica c;
  bool letto;
  std::string uscita;              // when letto
  std::vector<std::string> righe;  // the findings, as printed
};

std::vector<std::string> righe_di(const testo_convertito& t) {
  std::vector<std::string> out;
  for (const rilievo& r : t.rilievi)
    out.push_back(formatta_rilievo(r, "L.txt", "T-.txt", lingua::italiano));
  return out;
}

class tabella_codifiche : public ::testing::TestWithParam<caso> {};

TEST_P(tabella_codifiche, testo_e_rilievi) {
  const caso& c = GetParam();
  const testo_convertito t = in_cp1252(c.ingresso, c.c, sorgente::treno);
  EXPECT_EQ(t.letto, c.letto);
  if (c.letto) {
    EXPECT_EQ(t.testo, c.uscita);
  }
  EXPECT_EQ(righe_di(t), c.righe);
}

using enum codifica;

INSTANTIATE_TEST_SUITE_P(
    codifica, tabella_codifiche,
    ::testing::Values(
        caso{"ascii_invariato",
             "[generale]\r\nvetture, 6\r\n",
             automatica,
             true,
             "[generale]\r\nvetture, 6\r\n",
             {}},
        // cp1252 with an accented letter is not valid UTF-8: byte for byte.
        caso{"cp1252_byte_per_byte", "s, Rond\xE8\r\n", automatica, true, "s, Rond\xE8\r\n", {}},
        caso{"utf8_convertito_una_nota_per_riga",
             "a\r\ns, Rond\xC3\xA8 \xE2\x82\xAC\r\nb\nc\xC3\xA0",
             automatica,
             true,
             "a\r\ns, Rond\xE8 \x80\r\nb\nc\xE0",
             {"T-.txt:2: nota: riga convertita da UTF-8 a cp1252",
              "T-.txt:4: nota: riga convertita da UTF-8 a cp1252"}},
        caso{"bom_utf8_saltato", "\xEF\xBB\xBF[generale]\r\n", automatica, true, "[generale]\r\n", {}},
        caso{"bom_utf8_e_accento",
             "\xEF\xBB\xBFx\xC3\xA8\r\n",
             automatica,
             true,
             "x\xE8\r\n",
             {"T-.txt:1: nota: riga convertita da UTF-8 a cp1252"}},
        caso{"carattere_senza_cp1252",
             "ab\r\nc\xC3\xA8\xE2\x86\x92",
             automatica,
             false,
             "",
             {"T-.txt:2:3: errore: il carattere U+2192 non ha forma in cp1252"}},
        caso{"utf16_con_bom",
             std::string("\xFF\xFE[\0g\0", 6),
             automatica,
             false,
             "",
             {"T-.txt: errore: la sorgente e' in UTF-16: va salvata in cp1252 (o UTF-8)"}},
        caso{"utf16_senza_bom",
             std::string("[\0g\0e\0n\0", 8),
             cp1252,
             false,
             "",
             {"T-.txt: errore: la sorgente e' in UTF-16: va salvata in cp1252 (o UTF-8)"}},
        caso{"cp1252_forzato_non_converte", "x\xC3\xA8\r\n", cp1252, true, "x\xC3\xA8\r\n", {}},
        caso{"utf8_forzato_non_valido",
             "ab\rc\xE8",
             utf8,
             false,
             "",
             {"T-.txt:2:2: errore: la sorgente non e' UTF-8 valido (--encoding=utf-8)"}},
        caso{"utf8_forzato_ascii", "ab\r\n", utf8, true, "ab\r\n", {}},
        // U+0081 is a control character that cp1252 leaves out.
        caso{"controllo_c1_senza_forma",
             "\xC2\x81",
             automatica,
             false,
             "",
             {"T-.txt:1:1: errore: il carattere U+0081 non ha forma in cp1252"}}),
    [](const ::testing::TestParamInfo<caso>& i) { return std::string(i.param.nome); });

}  // namespace
}  // namespace compattatore
