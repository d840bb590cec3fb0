#include "compiler/lettore_campi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace compattatore {
namespace {

// Reads every field of `testo` as text.
std::vector<std::string> campi_di(std::string_view testo) {
  lettore_campi l(testo);
  std::vector<std::string> v;
  while (!l.alla_fine()) v.emplace_back(l.testo());
  return v;
}

using campi = std::vector<std::string>;

TEST(LettoreCampi, CutsFieldsAtCommasAndLineEnds) {
  struct caso {
    const char* testo;
    campi attesi;
  } casi[] = {
      {"a,b,c", {"a", "b", "c"}},
      {"a\r\nb\r\nc\r\n", {"a", "b", "c"}},
      {"a\nb\rc", {"a", "b", "c"}},
      // A line end separates fields exactly like a comma: a record may go
      // on over the following lines.
      {"pendenza,\r\n  16600,\r\n   -4", {"pendenza", "16600", "-4"}},
      // Blanks before a field and blank lines between records carry nothing.
      {"   a,\t b\r\n\r\n   \r\n  c", {"a", "b", "c"}},
      // Blanks just before the comma or line end are not part of a text.
      {"RONCO   ,  (P.L.  )  \r\nx", {"RONCO", "(P.L.  )", "x"}},
      // Double quotes are ordinary characters and do not protect a comma.
      {"\"a,b\"", {"\"a", "b\""}},
      // Minus signs, brackets and parentheses inside a text are kept.
      {"  (A-B)(C D)  , [curve]", {"(A-B)(C D)", "[curve]"}},
      // Two commas in a row hold an empty field.
      {"a,,b", {"a", "", "b"}},
  };
  for (const caso& c : casi) EXPECT_EQ(campi_di(c.testo), c.attesi) << c.testo;
}

TEST(LettoreCampi, ANumberAlsoEndsAtABlank) {
  // The clock record holds three numbers in one comma-separated field.
  lettore_campi l("orologio, 15 29 0, 7\r\n-12");
  EXPECT_EQ(l.testo(), "orologio");
  EXPECT_EQ(l.numero16(), 15);
  EXPECT_EQ(l.numero16(), 29);
  EXPECT_EQ(l.numero16(), 0);
  EXPECT_EQ(l.numero32(), 7);
  EXPECT_EQ(l.numero32(), -12);
  EXPECT_TRUE(l.alla_fine());

  // What follows a number after a blank is the next field.
  lettore_campi t("450 resto, x");
  EXPECT_EQ(t.numero32(), 450);
  EXPECT_EQ(t.testo(), "resto");
  EXPECT_EQ(t.testo(), "x");
}

TEST(LettoreCampi, NumbersKeepToTheirWidths) {
  enum larghezza { l32, l16, l8 };
  struct caso {
    const char* testo;
    larghezza w;
    int64_t atteso;  // the value read, when no failure is expected
    motivo_fallimento errore;
  } casi[] = {
      {"2147483647", l32, 2147483647, motivo_fallimento::nessuno},
      {"-2147483648", l32, -2147483648LL, motivo_fallimento::nessuno},
      {"2147483648", l32, 0, motivo_fallimento::fuori_32_bit},
      {"-2147483649", l32, 0, motivo_fallimento::fuori_32_bit},
      {"99999999999999999999999", l32, 0, motivo_fallimento::fuori_32_bit},
      {"32767", l16, 32767, motivo_fallimento::nessuno},
      {"-32768", l16, -32768, motivo_fallimento::nessuno},
      {"32768", l16, 0, motivo_fallimento::fuori_16_bit},
      {"-32769", l16, 0, motivo_fallimento::fuori_16_bit},
      {"255", l8, 255, motivo_fallimento::nessuno},
      {"0", l8, 0, motivo_fallimento::nessuno},
      {"256", l8, 0, motivo_fallimento::fuori_byte},
      {"-1", l8, 0, motivo_fallimento::fuori_byte},
      {"007", l32, 7, motivo_fallimento::nessuno},
      {"-0", l32, 0, motivo_fallimento::nessuno},
  };
  for (const caso& c : casi) {
    lettore_campi l(c.testo);
    auto leggi = [&]() -> int64_t {
      switch (c.w) {
        case l32: return l.numero32();
        case l16: return l.numero16();
        case l8: return l.numero8();
      }
      return 0;
    };
    if (c.errore == motivo_fallimento::nessuno) {
      EXPECT_EQ(leggi(), c.atteso) << c.testo;
    } else {
      try {
        leggi();
        ADD_FAILURE() << c.testo << " read without failure";
      } catch (const fallimento_lettura& f) {
        EXPECT_EQ(f.motivo, c.errore) << c.testo;
      }
    }
  }
}

TEST(LettoreCampi, AValueThatIsNotANumberFails) {
  for (const char* testo : {"abc", "-", "1a", "+1", "--1", "1-", "1.5", ",5", "\"5\""}) {
    lettore_campi l(testo);
    try {
      l.numero32();
      ADD_FAILURE() << testo << " read as a number";
    } catch (const fallimento_lettura& f) {
      EXPECT_EQ(f.motivo, motivo_fallimento::non_numero) << testo;
    }
  }
}

TEST(LettoreCampi, ReadingPastTheEndFails) {
  for (const char* testo : {"", "   ", "\r\n\r\n", "a,", "a\r\n  \r\n"}) {
    lettore_campi l(testo);
    if (!l.alla_fine()) l.testo();
    EXPECT_TRUE(l.alla_fine()) << testo;
    EXPECT_THROW(l.testo(), fallimento_lettura) << testo;
    try {
      l.numero32();
      ADD_FAILURE() << testo;
    } catch (const fallimento_lettura& f) {
      EXPECT_EQ(f.motivo, motivo_fallimento::testo_finito) << testo;
    }
  }
}

TEST(LettoreCampi, AtEndMeansNoFieldIsLeft) {
  struct caso {
    const char* testo;
    int campi_prima;  // fields read before the test
    bool alla_fine;
  } casi[] = {
      {"a, b", 1, false},
      {"a, b", 2, true},
      {"a, b\r\n", 2, true},
      {"a, b  \r\n \r\n\t", 2, true},
      {"a, b,", 2, true},    // a comma that ends the text leaves no field
      {"a, b,,", 2, false},  // ... but two leave an empty one
      {"", 0, true},
  };
  for (const caso& c : casi) {
    lettore_campi l(c.testo);
    for (int n = 0; n < c.campi_prima; ++n) l.testo();
    EXPECT_EQ(l.alla_fine(), c.alla_fine) << c.testo << " after " << c.campi_prima;
  }
}

TEST(LettoreCampi, CountsTheLineOfEachField) {
  // Lines end in CR LF, LF or a lone CR; blank lines count.
  lettore_campi l("a, b\r\n\r\n  c\nd\re,\r\n7 8\r\n\r\n9");
  std::vector<int32_t> righe;
  for (int n = 0; n < 5; ++n) {
    l.testo();
    righe.push_back(l.riga_ultimo_campo());
  }
  l.numero32();
  righe.push_back(l.riga_ultimo_campo());
  l.numero32();
  righe.push_back(l.riga_ultimo_campo());
  l.numero32();
  righe.push_back(l.riga_ultimo_campo());
  EXPECT_EQ(righe, (std::vector<int32_t>{1, 1, 3, 4, 5, 6, 6, 8}));
}

TEST(LettoreCampi, AFailedReadNamesItsLine) {
  lettore_campi l("lunghezza percorso,\r\n\r\n  12x4");
  l.testo();
  try {
    l.numero32();
    ADD_FAILURE();
  } catch (const fallimento_lettura& f) {
    EXPECT_EQ(f.dove.riga, 3);
  }
}

TEST(LettoreCampi, CountsTheColumnOfEachFieldInBytes) {
  // The column is where the value begins, after its leading blanks, counted
  // in bytes from 1 at the start of its line; a line end of any kind starts
  // a new count. A byte above 0x7F counts one.
  lettore_campi l("a, b\r\n  c\n\xe8,d\re\r\n7  8,\t9");
  std::vector<luogo_testo> visti;
  for (int n = 0; n < 6; ++n) {
    l.testo();
    visti.push_back(l.luogo_ultimo_campo());
  }
  for (int n = 0; n < 3; ++n) {
    l.numero32();
    visti.push_back(l.luogo_ultimo_campo());
  }
  const std::vector<std::pair<int32_t, int32_t>> attesi{{1, 1}, {1, 4}, {2, 3}, {3, 1}, {3, 3},
                                                         {4, 1}, {5, 1}, {5, 4}, {5, 7}};
  ASSERT_EQ(visti.size(), attesi.size());
  for (size_t i = 0; i < attesi.size(); ++i) {
    EXPECT_EQ(visti[i].riga, attesi[i].first) << i;
    EXPECT_EQ(visti[i].colonna, attesi[i].second) << i;
  }
}

TEST(LettoreCampi, AFailedReadNamesTheColumnOfItsField) {
  struct caso {
    const char* testo;
    int letture_prima;
    int32_t riga, colonna;
  } casi[] = {
      {"x,  12x4", 1, 1, 5},            // not a number: where the field begins
      {"x,\r\n  99999999999", 1, 2, 3}, // beyond 32 bits
      {"x, 7", 2, 1, 5},                // the text has ended: just past its end
  };
  for (const caso& c : casi) {
    lettore_campi l(c.testo);
    l.testo();
    for (int n = 1; n < c.letture_prima; ++n) l.numero32();
    try {
      l.numero32();
      ADD_FAILURE() << c.testo;
    } catch (const fallimento_lettura& f) {
      EXPECT_EQ(f.dove.riga, c.riga) << c.testo;
      EXPECT_EQ(f.dove.colonna, c.colonna) << c.testo;
    }
  }
}

TEST(LettoreCampi, ANameFitsItsSixteenBitCount) {
  const std::string lungo(65535, 'A');
  const std::string testo = lungo + "," + lungo + "B";
  lettore_campi l(testo);
  EXPECT_EQ(l.nome().size(), 65535u);
  try {
    l.nome();
    ADD_FAILURE();
  } catch (const fallimento_lettura& f) {
    EXPECT_EQ(f.motivo, motivo_fallimento::testo_troppo_lungo);
  }
}

}  // namespace
}  // namespace compattatore
