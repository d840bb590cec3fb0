// The invented places read the same in every text: the two sources, the
// timetable sheet, the slow-down order and the notes.
#include <gtest/gtest.h>

#include "sources/testi.h"
#include "tests/sources/testo_righe.h"

namespace compattatore {
namespace {

struct testi {
  std::vector<std::string> linea = prova::righe_di(dati_linea()).righe;
  std::vector<std::string> treno = prova::righe_di(dati_treno()).righe;
  std::vector<std::string> scheda = prova::righe_di(dati_scheda()).righe;
  std::vector<std::string> ordine = prova::righe_di(dati_rallentamenti()).righe;
  std::vector<std::string> note = prova::righe_di(dati_note()).righe;

  bool completi() const {
    return linea.size() == 71 && treno.size() == 58 && scheda.size() == 48 && ordine.size() == 46 &&
           note.size() == 22;
  }
  // The name of the station on line `n` of the train source.
  std::string stazione(int n) const { return treno[n - 1].substr(treno[n - 1].rfind(", ") + 2); }
  // The place named on timetable line `n`, without padding.
  std::string localita(int n) const {
    std::string s = scheda[n - 1].substr(33, 26);
    return s.erase(s.find_last_not_of(' ') + 1);
  }
};

// Returns a name as the sheet and the order print it: upper case, the accent
// as an apostrophe, blanks around the slash dropped.
std::string come_stampato(std::string_view nome) {
  std::string s;
  for (size_t i = 0; i < nome.size(); ++i) {
    char c = nome[i];
    if (c == ' ' && ((i + 1 < nome.size() && nome[i + 1] == '/') || (i > 0 && nome[i - 1] == '/'))) continue;
    if (c == '\xE8') s += "E'";
    else s += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  }
  return s;
}

std::pair<std::string, std::string> meta(const std::string& s, char sep) {
  size_t p = s.find(sep);
  if (p == std::string::npos) return {};
  std::string a = s.substr(0, p), b = s.substr(p + 1);
  a.erase(a.find_last_not_of(' ') + 1);
  b.erase(0, b.find_first_not_of(' '));
  b.erase(b.find_last_not_of(' ') + 1);
  return {a, b};
}

TEST(Luoghi, TimetableStationsAreTheTrainSourceStations) {
  testi t;
  ASSERT_TRUE(t.completi());
  struct caso {
    int riga_treno, riga_scheda;
  } casi[] = {{20, 19}, {22, 22}, {23, 23}, {24, 24}, {25, 27}, {26, 28}, {27, 29}, {28, 31}, {29, 34}, {31, 37}};
  for (const caso& c : casi)
    EXPECT_EQ(t.localita(c.riga_scheda), come_stampato(t.stazione(c.riga_treno)))
        << "train line " << c.riga_treno << ", sheet line " << c.riga_scheda;
  EXPECT_EQ(t.localita(36), t.stazione(31) + " scalo");
  EXPECT_EQ(t.stazione(30), t.stazione(31) + " SCALO");
  // The title block departs from the first station.
  EXPECT_NE(t.scheda[5].find("da: " + come_stampato(t.stazione(20)) + " "), std::string::npos) << t.scheda[5];
}

TEST(Luoghi, SlowDownLiesBetweenTheStationsAroundIt) {
  testi t;
  ASSERT_TRUE(t.completi());
  // The slow-down at 27900 m lies between the stations at 25900 m (train
  // line 26) and 31300 m (line 27); the order names them in both languages.
  auto [prima_it, prima_de] = meta(t.stazione(26), '/');
  auto [seconda_it, seconda_de] = meta(t.stazione(27), '/');
  auto nomi = [](const std::string& riga) { return meta(riga.substr(6, 28), '-'); };
  EXPECT_EQ(nomi(t.ordine[13]), std::make_pair(come_stampato(prima_it), come_stampato(seconda_it)));
  EXPECT_EQ(nomi(t.ordine[14]), std::make_pair(come_stampato(prima_de), come_stampato(seconda_de)));
}

TEST(Luoghi, EndsOfTheRouteAndTheDestinationAgree) {
  testi t;
  ASSERT_TRUE(t.completi());
  const std::string ultima = t.stazione(31);  // upper case in the train source
  std::string ultima_capitalizzata = ultima;
  for (size_t i = 1; i < ultima.size(); ++i) ultima_capitalizzata[i] = static_cast<char>(ultima[i] - 'A' + 'a');

  // The province on the sign at 33600 m is the last station's.
  EXPECT_EQ(t.linea[60], "cartello_indicatore,  33600,   (PROVINCIA)(DI " + ultima + ")");

  // The route key "Valmora_Tessa": the first station is Valmora, and the
  // train runs on to a station of Tessa.
  const std::string partenza = meta(t.stazione(20), '/').first;
  EXPECT_EQ(partenza, "VALMORA");
  const std::string& l15 = t.note[14];
  const std::string destinazione = l15.substr(l15.size() - 4 - 18, 18);
  EXPECT_EQ(destinazione.substr(0, 6), "Tessa ");

  // The notes' stretch runs between the route's two end stations.
  EXPECT_NE(t.note[15].find(" Valmora - " + ultima_capitalizzata + "; "), std::string::npos) << t.note[15];

  // The order's line and the sheet's next stretch end at the destination;
  // the sheet's title block abbreviates it.
  EXPECT_EQ(t.ordine[4].substr(t.ordine[4].size() - 21), " - " + come_stampato(destinazione));
  EXPECT_NE(t.scheda[39].find("TRATTO " + ultima + " - " + come_stampato(destinazione) + " "), std::string::npos)
      << t.scheda[39];
  EXPECT_NE(t.scheda[6].find("a: TESSA "), std::string::npos) << t.scheda[6];
}

}  // namespace
}  // namespace compattatore
