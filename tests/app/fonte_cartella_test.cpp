// The one-shot program's source files: which of the two remain in its
// folder after each outcome of the line phase.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/piattaforma.h"
#include "pipeline/memorizza_dati.h"
#include "model/modello.h"
#include "model/nomi_file.h"
#include "tests/supporto/file.h"
#include "tests/supporto/testo_sorgente.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;

using supporto::cartella_temporanea;
using supporto::scrivi;

std::string con_lunghezza(const std::string& lunghezza, const std::vector<std::string>& resto) {
  std::vector<std::string> r{"[generale]", "lunghezza percorso, " + lunghezza};
  r.insert(r.end(), resto.begin(), resto.end());
  return testo_di(r);
}

const std::string treno = "[generale]\r\n[fine]\r\n";

TEST(FonteCartella, SourcesLeftAfterEachOutcomeOfTheLinePhase) {
  std::vector<std::string> troppi_cartelli{"[indicazioni]"};
  for (int n = 0; n < 79; ++n) troppi_cartelli.push_back("cartello_indicatore, " + std::to_string(50 * n) + ", (X)");

  enum resta { nessuna, treno_resta };
  struct caso {
    const char* nome;
    std::optional<std::string> linea;  // nothing: no line source in the folder
    bool con_treno;                    // a train source lies in the folder
    int32_t crea_linea;
    int32_t codice;
    resta restano;  // what is left of the two sources; never the line source
  } casi[] = {
      {"read without error", con_lunghezza("0", {"[fine]"}), true, 1, 0, nessuna},
      // No line source: nothing is opened or deleted.
      {"101 no line source", std::nullopt, true, 0, 101, treno_resta},
      // Failure exits: the line source goes, the train source is not touched.
      {"102 no [generale]", testo_di({"lunghezza percorso, 0"}), true, 0, 102, treno_resta},
      {"1 route too long", con_lunghezza("1000001", {}), true, 0, 1, treno_resta},
      {"3 repetition start", con_lunghezza("0", {"ripetizione segnali 4 codici, 25, 100"}), true, 0, 3,
       treno_resta},
      {"4 repetition end", con_lunghezza("0", {"ripetizione segnali 4 codici, 0, 75"}), true, 0, 4,
       treno_resta},
      {"5 repetition codes", con_lunghezza("0", {"ripetizione segnali, 0, 100"}), true, 0, 5, treno_resta},
      {"103 curve class", con_lunghezza("0", {"[curve]", "curva, 100, 50"}), true, 1, 103, treno_resta},
      {"103 curve beyond the plan", con_lunghezza("0", {"[curve]", "curvas6, 6000, 1001"}), true, 1, 103,
       treno_resta},
      {"103 plan to the end", con_lunghezza("1000000", {}), true, 1, 103, treno_resta},
      {"6 sign cell taken",
       con_lunghezza("0", {"[indicazioni]", "cartello_indicatore, 450, (A)", "cartello_indicatore, 450, (B)"}),
       true, 0, 6, treno_resta},
      {"21 indicators refused",
       con_lunghezza("0", {"[cartelli]", "indicatori_vmax, 450, 1, 1, 1, 0, 1, 1, 1, 0",
                           "indicatori_vmax, 450, 1, 1, 1, 0, 1, 1, 1, 0"}),
       true, 0, 21, treno_resta},
      {"10 too many signs", con_lunghezza("0", troppi_cartelli), true, 0, 10, treno_resta},
      // A record beyond the route ends the phase normally: the train source
      // is still read, and deleted.
      {"15 beyond the route", con_lunghezza("0", {"[pendenze]", "pendenza, 6950, 0"}), true, 0, 15,
       nessuna},
      // Unexpected failures: both sources go.
      {"25 empty line source", "", true, 0, 25, nessuna},
      {"25 not a number", con_lunghezza("sei", {}), true, 0, 25, nessuna},
      {"25 no route length", testo_di({"[generale]", "[pendenze]", "pendenza, 0, 0"}), true, 0, 25,
       nessuna},
      {"25 without a train source", testo_di({"[generale]", "sfondo uno, 0"}), false, 0, 25, nessuna},
      // The line phase ends normally but the train source is missing.
      {"25 train source missing", con_lunghezza("0", {"[fine]"}), false, 0, 25, nessuna},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    cartella_temporanea cartella;
    modello m;
    m.nome_linea = "Valmora_Tessa";
    m.nome_treno = "R7736";
    m.crea_linea = c.crea_linea;
    const std::string linea = unisci(cartella.p.string(), nome_sorgente_linea(m));
    const std::string treno_file = unisci(cartella.p.string(), nome_sorgente_treno(m));
    if (c.linea) scrivi(linea, *c.linea);
    if (c.con_treno) scrivi(treno_file, treno);

    fonte_cartella fonte(linea, treno_file);
    raccolta_diagnostiche diagnostiche;
    memorizza_dati(m, fonte, diagnostiche);

    EXPECT_EQ(m.codice_errore, c.codice);
    EXPECT_FALSE(esiste(linea));
    EXPECT_EQ(esiste(treno_file), c.restano == treno_resta);
    // Nothing else appears in the folder.
    size_t file = 0;
    for ([[maybe_unused]] const auto& voce : fs::directory_iterator(cartella.p)) ++file;
    EXPECT_EQ(file, esiste(treno_file) ? 1u : 0u);
  }
}

TEST(FonteCartella, AMissingLineSourceLeavesTheFolderAsItWas) {
  // The name alone decides: a line source under another key is not taken.
  cartella_temporanea cartella;
  modello m;
  m.nome_linea = "Valmora_Tessa";
  m.nome_treno = "R7736";
  const std::string altra = unisci(cartella.p.string(), "Valmora_Tessa_linea.TXT");
  scrivi(altra, con_lunghezza("0", {}));
  fonte_cartella fonte(unisci(cartella.p.string(), nome_sorgente_linea(m)),
                       unisci(cartella.p.string(), nome_sorgente_treno(m)));
  raccolta_diagnostiche diagnostiche;
  memorizza_dati(m, fonte, diagnostiche);
  EXPECT_EQ(m.codice_errore, 101);
  EXPECT_TRUE(esiste(altra));
}

}  // namespace
}  // namespace compattatore
