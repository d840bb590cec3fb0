// The reader reports every error it stores into the sink it is handed, as
// a value with the line and column of the field it came from.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "model/codici.h"
#include "tests/supporto/sorgenti_in_memoria.h"

namespace compattatore {
namespace {

TEST(RaccoltaDiagnostiche, EachStoredErrorIsReportedWithItsLineAndColumn) {
  const std::string linea = testo_di({"[generale]", "lunghezza percorso, 62000", "[percorso]"});
  struct caso {
    const char* nome;
    std::string linea, treno;
    int32_t codice;
    sorgente fonte;
    int32_t riga, colonna;
    std::optional<int32_t> posizione;
    id_messaggio messaggio;
  } casi[] = {
      {"sign board in a taken cell",
       linea + testo_di({"indicatore cartello, 1000, ALFA", "indicatore cartello,  1000, BETA"}),
       "[generale]\r\n", 6, sorgente::linea, 5, 23, 1000, id_messaggio::codice_cella_cartello},
      {"a value that is no number",
       linea, "[generale]\r\nvelocita, 0, 1x0\r\n", 25, sorgente::treno, 2, 14, std::nullopt,
       id_messaggio::motivo_non_numero},
      {"a signal in a taken cell",
       linea, "[generale]\r\nsegnale, 1000, 0,0,0,0,0,0,0,0,0,0\r\n  segnale, 1000, 0,0,0,0,0,0,0,0,0,0\r\n",
       16, sorgente::treno, 3, 12, 1000, id_messaggio::codice_cella_segnale},
      {"no general part", "lunghezza percorso, 1000\r\n", "", 102, sorgente::nessuna, 0, 0, std::nullopt,
       id_messaggio::codice_generale_mancante},
  };
  for (const caso& c : casi) {
    lettura_in_memoria l = leggi_in_memoria(c.linea, c.treno, "V", "T");
    const modello& m = l.m;
    const raccolta_diagnostiche& r = l.diagnostiche;
    ASSERT_EQ(r.elenco.size(), 1u) << c.nome;
    const diagnostica& d = r.elenco[0];
    EXPECT_EQ(d.livello, gravita::errore) << c.nome;
    EXPECT_EQ(d.codice, c.codice) << c.nome;
    EXPECT_EQ(d.fonte, c.fonte) << c.nome;
    EXPECT_EQ(d.riga, c.riga) << c.nome;
    EXPECT_EQ(d.colonna, c.colonna) << c.nome;
    EXPECT_EQ(d.posizione, c.posizione) << c.nome;
    EXPECT_EQ(d.messaggio, c.messaggio) << c.nome;
    // The model's own error state says the same.
    EXPECT_EQ(m.codice_errore, d.codice) << c.nome;
    EXPECT_EQ(m.riga_errore, d.riga) << c.nome;
    EXPECT_EQ(m.sorgente_errore, d.fonte) << c.nome;
  }
}

// A code 15 ends the line phase as its end would; the train phase then
// stops at its first recorder, with 15 at that record's place.
TEST(RaccoltaDiagnostiche, ACode15OfTheLinePhaseStopsTheTrainPhaseAtItsFirstRecorder) {
  lettura_in_memoria l =
      leggi_in_memoria(testo_di({"[generale]", "lunghezza percorso, 1000", "[percorso]", "pendenza, 900000, 0"}),
                       treno({"velocita, 0, 100", "segnale, 1000, 0,0,0,0,0,0,0,0,0,0"}), "V", "T");
  const modello& m = l.m;
  const raccolta_diagnostiche& r = l.diagnostiche;
  ASSERT_EQ(r.elenco.size(), 2u);
  EXPECT_EQ(r.elenco[0].fonte, sorgente::linea);
  EXPECT_EQ(r.elenco[0].posizione, 900000);
  EXPECT_EQ(r.elenco[1].codice, 15);
  EXPECT_EQ(r.elenco[1].fonte, sorgente::treno);
  EXPECT_EQ(r.elenco[1].riga, 3);
  EXPECT_EQ(r.elenco[1].colonna, 10);
  EXPECT_EQ(r.elenco[1].posizione, 1000);
  EXPECT_EQ(m.codice_errore, 15);
  EXPECT_EQ(m.posizione_errore, 1000);
}

}  // namespace
}  // namespace compattatore
