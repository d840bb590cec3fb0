// The report of compila in memory: the compile's stored error told in the
// check pass's words at the record's own line, even where the reader
// blamed a later line; a finishing code in its general words.
#include "tools/compila/rapporto.h"

#include <gtest/gtest.h>

#include "tests/supporto/testo_sorgente.h"
#include "tools/compila/esecuzione.h"

namespace compattatore {
namespace {

std::string rapporto_di(const std::string& linea, const std::string& treno) {
  compilazione c = compila_testi(linea, treno, {"P", "T"}, true);
  opzioni_compila o;
  o.sorgente_linea = "P_linea.txt";
  o.sorgente_treno = "P_T-.txt";
  return componi_rapporto(c.m, {}, verifica_sorgenti(linea, treno, true), o).righe;
}

TEST(RapportoCompila, ErroreDelCompilatoNelleParoleDellaVerifica) {
  const std::string linea = testo_di({"[generale]", "lunghezza percorso, 5000", "[x]"});
  // The speed record runs short: the reader takes "velocita" of line 3 for
  // its second value and blames line 3; the report names line 2.
  EXPECT_EQ(
      rapporto_di(linea, testo_di({"[generale]", "velocita, 0", "velocita, 700, 100"})),
      "P_T-.txt:2:1: errore 25: il record \"velocita\" ha 1 valore, ne servono 2\n"
      "P_T-.txt:3:11: avviso: il primo record \"velocita\" e' a 700 m, non a 0: prima vale 0 [-Wda-zero]\n");
  // Every error after the first is reported too, in file order.
  EXPECT_EQ(rapporto_di(linea, testo_di({"[generale]", "abbattimento, 1000, 0", "abbattimento, 1000, 5",
                                         "abbattimento, 2010, 5"})),
            "P_T-.txt:3:15: errore 7: abbattimento a 1000 m: la cella 20 e' gia' presa dal record "
            "\"abbattimento\" di P_T-.txt:2 (posizione 1000 m)\n"
            "P_T-.txt:4:15: avviso: abbattimento a 2010 m non e' sulla griglia di 50 m: vale come 2000 m "
            "[-Wgriglia]\n");
}

TEST(RapportoCompila, AvvisiTaciuti) {
  compilazione c =
      compila_testi(testo_di({"[generale]", "lunghezza percorso, 5000", "[x]", "pendneza, 0, 0"}),
                    testo_di({"[generale]"}), {"P", "T"}, true);
  opzioni_compila o;
  o.sorgente_linea = "l";
  o.sorgente_treno = "t";
  o.avvisi_spenti = {"parola-ignota"};
  const rapporto r = componi_rapporto(
      c.m, {},
      verifica_sorgenti("[generale]\nlunghezza percorso, 5000\n[x]\npendneza, 0, 0\n", "[generale]\n", true),
      o);
  EXPECT_EQ(r.righe, "");
  EXPECT_TRUE(r.avvisi.empty());
}

}  // namespace
}  // namespace compattatore
