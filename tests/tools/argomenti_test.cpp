// The command line of compila and the keys it takes from the source names.
#include "tools/compila/argomenti.h"

#include <gtest/gtest.h>

#include "tools/compila/chiavi.h"

namespace compattatore {
namespace {

using azione = esito_argomenti::azione;

TEST(ArgomentiCompila, OptionsAndOperands) {
  esito_argomenti e = analizza_argomenti({"--no-plan", "--out", "uscite", "--route=R", "--train", "T", "--json",
                                          "--check", "l.txt", "t.txt"});
  ASSERT_EQ(e.a, azione::compila) << e.errore;
  const opzioni_compila& o = e.opzioni;
  EXPECT_EQ(o.sorgente_linea, "l.txt");
  EXPECT_EQ(o.sorgente_treno, "t.txt");
  EXPECT_EQ(o.cartella, "uscite");
  EXPECT_EQ(o.chiave_linea, "R");
  EXPECT_EQ(o.chiave_treno, "T");
  EXPECT_FALSE(o.crea_linea);
  EXPECT_TRUE(o.json);
  EXPECT_TRUE(o.solo_verifica);

  esito_argomenti semplice = analizza_argomenti({"A_linea.txt", "A_B-.txt"});
  ASSERT_EQ(semplice.a, azione::compila);
  EXPECT_TRUE(semplice.opzioni.crea_linea);
  EXPECT_FALSE(semplice.opzioni.json);
  EXPECT_FALSE(semplice.opzioni.solo_verifica);
  EXPECT_FALSE(semplice.opzioni.cartella.has_value());
  EXPECT_FALSE(semplice.opzioni.chiave_linea.has_value());
  EXPECT_FALSE(semplice.opzioni.chiave_treno.has_value());
}

TEST(ArgomentiCompila, DoubleDashEndsTheOptions) {
  // Operands may stand before options, and after "--" even a name that
  // starts with "-" is a source.
  esito_argomenti e = analizza_argomenti({"l.txt", "--json", "--", "--check"});
  ASSERT_EQ(e.a, azione::compila) << e.errore;
  EXPECT_EQ(e.opzioni.sorgente_linea, "l.txt");
  EXPECT_EQ(e.opzioni.sorgente_treno, "--check");
  EXPECT_TRUE(e.opzioni.json);
  EXPECT_FALSE(e.opzioni.solo_verifica);

  // A lone "-" is a name, not an option.
  EXPECT_EQ(analizza_argomenti({"-", "t.txt"}).a, azione::compila);
}

TEST(ArgomentiCompila, HelpWinsWhereverItStands) {
  EXPECT_EQ(analizza_argomenti({"--help"}).a, azione::aiuto);
  EXPECT_EQ(analizza_argomenti({"--bogus", "--help"}).a, azione::aiuto);
  EXPECT_EQ(analizza_argomenti({"l.txt", "t.txt", "--help"}).a, azione::aiuto);
  // After "--" it is a file name.
  EXPECT_EQ(analizza_argomenti({"l.txt", "--", "--help"}).a, azione::compila);
  EXPECT_NE(testo_uso().find("uso: compila"), std::string::npos);
}

TEST(ArgomentiCompila, UsageErrorsGiveOneLineReasons) {
  struct caso {
    std::vector<std::string> argomenti;
    std::string nel_motivo;
  } casi[] = {
      {{}, "mancano"},
      {{"l.txt"}, "manca la sorgente del treno"},
      {{"l.txt", "t.txt", "x.txt"}, "troppi file: x.txt"},
      {{"--bogus", "l.txt", "t.txt"}, "opzione sconosciuta: --bogus"},
      {{"-x", "l.txt", "t.txt"}, "opzione sconosciuta: -x"},
      {{"l.txt", "t.txt", "--out"}, "manca il valore di --out"},
      {{"--out=", "l.txt", "t.txt"}, "valore vuoto per --out"},
      {{"--route", "", "l.txt", "t.txt"}, "valore vuoto per --route"},
      {{"--out", "a", "--out=b", "l.txt", "t.txt"}, "opzione ripetuta: --out"},
      {{"--json", "--json", "l.txt", "t.txt"}, "opzione ripetuta: --json"},
      {{"--check=1", "l.txt", "t.txt"}, "--check non vuole un valore"},
  };
  for (const caso& c : casi) {
    esito_argomenti e = analizza_argomenti(c.argomenti);
    EXPECT_EQ(e.a, azione::errore) << c.nel_motivo;
    EXPECT_NE(e.errore.find(c.nel_motivo), std::string::npos) << e.errore;
    EXPECT_EQ(e.errore.find('\n'), std::string::npos) << e.errore;
  }
}

TEST(ChiaviCompila, FolderAndBaseName) {
  struct caso {
    std::string percorso, cartella, base;
  } casi[] = {
      {"A_linea.txt", "", "A_linea.txt"},
      {"d/A_linea.txt", "d", "A_linea.txt"},
      {"/A_linea.txt", "/", "A_linea.txt"},
      {"/x/y/A_linea.txt", "/x/y", "A_linea.txt"},
      {"d/", "d", ""},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(cartella_di(c.percorso), c.cartella) << c.percorso;
    EXPECT_EQ(nome_base(c.percorso), c.base) << c.percorso;
  }
}

opzioni_compila opzioni(std::string linea, std::string treno, std::optional<std::string> percorso = {},
                        std::optional<std::string> treno_chiave = {}) {
  opzioni_compila o;
  o.sorgente_linea = std::move(linea);
  o.sorgente_treno = std::move(treno);
  o.chiave_linea = std::move(percorso);
  o.chiave_treno = std::move(treno_chiave);
  return o;
}

TEST(ChiaviCompila, KeysFromNamesAndOptions) {
  struct caso {
    opzioni_compila o;
    std::string linea, treno;
  } casi[] = {
      {opzioni("Valmora_Tessa_linea.txt", "Valmora_Tessa_R7736-.txt"), "Valmora_Tessa", "R7736"},
      // The folder plays no part; the train key may hold "_" and "-".
      {opzioni("d/Valmora_Tessa_linea.txt", "e/Valmora_Tessa_R_7-b-.txt"), "Valmora_Tessa", "R_7-b"},
      // The split comes after the route key, not at the first "_".
      {opzioni("A_B_linea.txt", "A_B_C-.txt"), "A_B", "C"},
      // Both from options: any names.
      {opzioni("uno.txt", "due.txt", "R", "T"), "R", "T"},
      // One from its option, the other from its name.
      {opzioni("uno.txt", "R_T9-.txt", "R"), "R", "T9"},
      {opzioni("P_linea.txt", "qualunque.txt", {}, "T"), "P", "T"},
      // An explicit route key is the one the train name must start with.
      {opzioni("P_linea.txt", "Q_T-.txt", "Q"), "Q", "T"},
      // Bytes beyond ASCII are kept as they are.
      {opzioni("Vall\xe8_linea.txt", "Vall\xe8_\xc3\xa8-.txt"), "Vall\xe8", "\xc3\xa8"},
  };
  for (const caso& c : casi) {
    esito_chiavi e = chiavi_di(c.o);
    ASSERT_TRUE(e.valide) << c.o.sorgente_linea << " " << c.o.sorgente_treno << ": " << e.errore;
    EXPECT_EQ(e.k.linea, c.linea);
    EXPECT_EQ(e.k.treno, c.treno);
  }
}

TEST(ChiaviCompila, NamesThatFitNeitherFormAreRefused) {
  struct caso {
    opzioni_compila o;
    std::string nel_motivo;
  } casi[] = {
      {opzioni("uno.txt", "A_T-.txt"), "--route"},
      {opzioni("_linea.txt", "_T-.txt"), "--route"},          // empty route key
      {opzioni("A_linea.TXT", "A_T-.txt"), "--route"},        // the suffix is exact
      {opzioni("A_linea.txt", "B_T-.txt"), "--train"},        // another route key
      {opzioni("A_linea.txt", "A_-.txt"), "--train"},         // empty train key
      {opzioni("A_linea.txt", "A_T.txt"), "--train"},         // no "-" before ".txt"
      {opzioni("A_linea.txt", "AT-.txt"), "--train"},
      {opzioni("A_linea.txt", "x/A_linea.txt/"), "--train"},  // a folder, no name
      {opzioni("l.txt", "t.txt", "a/b", "T"), "\"/\""},
      {opzioni("l.txt", "t.txt", "R", "a/b"), "\"/\""},
      {opzioni("l.txt", "t.txt", std::string(65536, 'r'), "T"), "65535"},
      // Control bytes would name files no listing shows plainly, and
      // forge lines in messages: refused (the printed line escapes them).
      {opzioni("l.txt", "t.txt", "a\nb", "T"), "carattere di controllo: a\nb"},
      {opzioni("l.txt", "t.txt", "R", "T\t"), "carattere di controllo: T\t"},
      {opzioni("l.txt", "t.txt", "R", std::string("T\x7f")), "carattere di controllo: T\x7f"},
      {opzioni("a\rb_linea.txt", "a\rb_T-.txt"), "carattere di controllo: a\rb"},
  };
  for (const caso& c : casi) {
    esito_chiavi e = chiavi_di(c.o);
    EXPECT_FALSE(e.valide) << c.o.sorgente_linea << " " << c.o.sorgente_treno;
    EXPECT_NE(e.errore.find(c.nel_motivo), std::string::npos) << e.errore;
    EXPECT_LT(e.errore.size(), 300u) << "a huge key is echoed";
  }
  // The longest key the table file can count is accepted.
  EXPECT_TRUE(chiavi_di(opzioni("l.txt", "t.txt", std::string(65535, 'r'), "T")).valide);
}

}  // namespace
}  // namespace compattatore
