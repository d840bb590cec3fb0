// Escaping outside text for diagnostic lines, and the diagnostics that use
// it: a name with a line end in it cannot forge a line of its own.
#include <gtest/gtest.h>

#include <string>

#include "model/diagnostica.h"
#include "pipeline/diagnosi.h"
#include "pipeline/in_memoria.h"
#include "pipeline/memorizza_dati.h"
#include "pipeline/testo_sicuro.h"
#include "tests/supporto/testo_sorgente.h"

namespace compattatore {
namespace {

TEST(TestoSicuro, EscapesControlBytesAndKeepsTheRest) {
  struct caso {
    std::string testo, atteso;
  } casi[] = {
      {"Prova_linea.txt", "Prova_linea.txt"},
      {"a\nb.txt:9: errore 0: x", "a\\nb.txt:9: errore 0: x"},
      {"a\rb\tc", "a\\rb\\tc"},
      {std::string("n\0l", 3), "n\\x00l"},
      {"\x1b[31m\x7f", "\\x1b[31m\\x7f"},
      {"c:\\n", "c:\\\\n"},  // a backslash is doubled: "\\n" is no line end
      {"Citt\xe0 \x80", "Citt\xe0 \x80"},  // code-page-1252 letters stay
  };
  for (const caso& c : casi) EXPECT_EQ(testo_sicuro(c.testo), c.atteso);
}

TEST(TestoSicuro, AbbreviaNamesAHugeTextWithoutEchoingIt) {
  EXPECT_EQ(abbrevia("corto", 10), "corto");
  EXPECT_EQ(abbrevia(std::string(10, 'K'), 10), std::string(10, 'K'));
  EXPECT_EQ(abbrevia(std::string(65535, 'K'), 4), "KKKK... (65535 byte)");
}

TEST(Diagnostica, FileNamesAreEscapedInTheLine) {
  diagnosi d;
  d.codice = 6;
  d.posizione = 450;
  d.dove = {"x\nb.txt:9: errore 0: falso", 4};
  EXPECT_EQ(formatta(d),
            "x\\nb.txt:9: errore 0: falso:4: errore 6: la cella del cartello e' occupata (posizione 450 m)");
}

// The plan's bound is reported on the route length record, in words that
// say what passed it.
TEST(Diagnostica, ThePlanBoundNamesTheLengthRecord) {
  modello m;
  m.nome_linea = "L";
  m.nome_treno = "T";
  m.crea_linea = 1;
  fonte_in_memoria f;
  f.testo_linea = testo_di({"[generale]", "sfondo uno, 1", "lunghezza percorso, 993002", "[fine]"});
  f.testo_treno = testo_di({"[generale]", "[fine]"});
  raccolta_diagnostiche diagnostiche;
  memorizza_dati(m, f, diagnostiche);
  EXPECT_EQ(formatta(diagnosi_di(m, "L_linea.txt", "L_T-.txt")),
            "L_linea.txt:3: errore 103: il percorso esteso supera l'ultimo punto che la planimetria puo' "
            "contenere (metro 999999)");
}

}  // namespace
}  // namespace compattatore
