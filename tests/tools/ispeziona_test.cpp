// ispeziona on small hand-made compiled files and on the built-in scenario
// compiled in memory: the role of a file, the text report, the JSON object,
// damaged files and usage errors, as the program prints them.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "output/decodifica.h"
#include "output/file_compilati.h"
#include "pipeline/catalogo.h"
#include "tests/supporto/processo_figlio.h"
#include "tests/supporto/scenario_incorporato.h"
#include "tools/compila/json.h"
#include "tools/ispeziona/contenuto.h"
#include "tools/ispeziona/esecuzione.h"
#include "tools/ispeziona/json.h"
#include "tools/ispeziona/pagina.h"
#include "tools/ispeziona/testo_1252.h"

namespace compattatore::ispeziona {
namespace {

namespace fs = std::filesystem;
using guasti::cartella_temporanea;

// A route of six cells: the header values, a signal, a station stop, a sign
// board; 100 km/h then 70, level then 4 per mille, adhesion 9.
std::vector<cella> celle_prova() {
  std::vector<cella> c(6);
  c[1].dato1 = 5121;
  c[1].dato2 = 77;
  c[2] = {1, 40, 10, 0, 6, 0, 0, 0, 0, 0, 0};
  c[3] = {10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  c[4] = {14, 80, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (size_t k = 0; k < c.size(); ++k) {
    c[k].velocita = k < 3 ? 20 : 14;
    c[k].pendenza = k < 4 ? 100 : 104;
    c[k].aderenza = 9;
  }
  return c;
}

std::array<voce, voci_tabella> tabella_prova() {
  std::array<voce, voci_tabella> t{};
  t[1] = {12, 0, 200, 100, 1, "Borgo Vall\xE8", 4, 1, 2, 1, 1, 0, 1, 0, 0, 55800};
  t[80].nome = "Ponte \x80 l\x92" "Arco";
  t[81] = {0, 0, 150400, 1, 0, "", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  t[84] = {0, 120, 0, 6, 0, "", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  t[85] = {0, 0, 1, 0, 0, "Prova", 610, 0, 0, 0, 0, 0, 0, 0, 0, 33756};
  t[86] = {0, 0, 200, 4, 0, "T1", 300, 0, 15, 28, 20, 0, 0, 0, 0, 0};
  return t;
}

// A plan as the reader builds it: straight to metre 20, a right-hand curve
// of radius 1000 m to metre 40, straight again; the last two metres empty.
planimetria piano_prova() {
  planimetria p;
  p.dimensionata = true;
  p.ultimo = 52;
  p.x.assign(53, 0.0);
  p.y.assign(53, 0.0);
  p.origine = true;
  p.y[1] = 1.0;
  for (size_t i = 2; i <= 50; ++i) {
    const double k = i > 20 && i <= 40 ? 0.001 : 0.0;
    const double dx = p.x[i - 1] - p.x[i - 2];
    const double dy = p.y[i - 1] - p.y[i - 2];
    p.x[i] = p.x[i - 1] + dx + k * dy;
    p.y[i] = p.y[i - 1] + dy - k * dx;
  }
  p.calcolati = 51;
  return p;
}

// The three files of the hand-made scenario in a temporary folder.
struct scenario_prova {
  cartella_temporanea cartella;
  std::string percorso, tabella, linea;
  scenario_prova() {
    percorso = (cartella.p / "Prova_T1.dat").string();
    tabella = (cartella.p / "Prova_T1.sim").string();
    linea = (cartella.p / "Prova_linea.dat").string();
    guasti::scrivi(percorso, codifica_percorso(celle_prova()));
    guasti::scrivi(tabella, codifica_tabella(tabella_prova()));
    guasti::scrivi(linea, codifica_linea(piano_prova()));
  }
};

esito_esecuzione esegui(const std::vector<std::string>& argomenti, lingua l = lingua::italiano) {
  return esegui_riga_di_comando(argomenti, l);
}

TEST(Ispeziona, TheRoleComesFromTheNameOrFromTheOption) {
  struct caso {
    const char* nome;
    std::optional<ruolo> atteso;
  } casi[] = {
      {"Valmora_Tessa_linea.dat", ruolo::linea}, {"dir/x_linea.dat", ruolo::linea},
      {"Valmora_Tessa_R7736.sim", ruolo::tabella}, {"Valmora_Tessa_R7736.dat", ruolo::percorso},
      {"a_lineaxdat", std::nullopt},            {"linea.dat", ruolo::percorso},
      {"x.txt", std::nullopt},                  {".dat", std::nullopt},
      {"cartella_linea.dat/x.sim", ruolo::tabella}, {"x.DAT", std::nullopt},
  };
  for (const caso& c : casi) EXPECT_EQ(ruolo_dal_nome(c.nome), c.atteso) << c.nome;

  // --role overrides the name: a route file read as a table file is refused
  // as a table file.
  scenario_prova s;
  esito_esecuzione e = esegui({"--role", "tabella", s.percorso});
  EXPECT_EQ(e.uscita, uscita_fallita);
  EXPECT_EQ(e.errore_standard, "ispeziona: " + s.percorso +
                                   " (tabella): offset 59: atteso nome della voce 1 (25614 byte), il file finisce prima\n");
}

TEST(Ispeziona, TheTextReportOfAHandMadeScenario) {
  scenario_prova s;
  esito_esecuzione e = esegui({s.percorso, s.tabella, s.linea});
  ASSERT_EQ(e.uscita, uscita_pulita) << e.errore_standard;
  EXPECT_EQ(e.errore_standard, "");
  const std::string atteso =
      "file del percorso: " + s.percorso +
      "\n"
      "  celle: 6 (0 - 5, 250 m)\n"
      "  intestazione (cella 1): valore di controllo 5121, codice di gara 77\n"
      "  elementi:\n"
      "    cella     2         50 m    km 0,050  segnale: s1·10+d1 40, s2·10+d2 10, s3·10+d3 0, rapp·10+sx·3+dx 6, "
      "tempo 0\n"
      "    cella     3        100 m    km 0,100  fermata di stazione: stazione 1 (\"Borgo Vallè\")\n"
      "    cella     4        150 m    km 0,150  cartello: testo 80 (\"Ponte € l’Arco\")\n"
      "  velocità di linea:\n"
      "    da 0 m: 100 km/h\n"
      "    da 100 m: 70 km/h\n"
      "  pendenza:\n"
      "    da 0 m: 0 ‰\n"
      "    da 150 m: 4 ‰\n"
      "  aderenza:\n"
      "    da 0 m: 9\n"
      "  montagna:\n"
      "    da 0 m: 0\n"
      "\n"
      "file della tabella: " +
      s.tabella +
      "\n"
      "  stazioni:\n"
      "    1 \"Borgo Vallè\": posizione 100 m (km 0,100), area 0 m - 200 m, tipo 12, orario 15:30:00\n"
      "      altri valori: byte1 1, intero1 4, intero2 1, intero3 2, intero4 1, intero5 1, byte2 0, byte3 1, byte4 0, "
      "byte5 0\n"
      "  testi dei cartelli:\n"
      "    80 \"Ponte € l’Arco\"\n"
      "  voci di intestazione:\n"
      "    81 riferimento chilometrico: posizione 0 m, progressiva 150.400 m, aggiunta di 100 m 1\n"
      "    82 riferimento chilometrico: posizione 0 m, progressiva 0 m, aggiunta di 100 m 0\n"
      "    83 riferimento chilometrico: posizione 0 m, progressiva 0 m, aggiunta di 100 m 0\n"
      "    84 treno e percorso: massa frenata (%) 120, lunghezza del percorso 0 m, vetture 6\n"
      "    85 sfondi e linea: sfondo uno 0, sfondo due 0, sfondo tre 1, linea \"Prova\", valore di controllo 610, "
      "codice di gara 33756\n"
      "    86 ripetizione segnali in cabina e treno: ripetizione da 0 m a 200 m, codici 4, treno \"T1\", sabbia 300, "
      "orologio 15:28:20\n"
      "\n"
      "file della linea: " +
      s.linea +
      "\n"
      "  punti della pianta: 53 (0 - 52 m), 51 x/y\n"
      "  estensione: x 0,0 m .. 0,4 m, y 0,0 m .. 50,0 m\n"
      "  cambi di curvatura:\n"
      "    da 1 m (km 0,001): rettilineo\n"
      "    da 20 m (km 0,020): curva a destra, raggio 1.000 m\n"
      "    da 40 m (km 0,040): rettilineo\n";
  EXPECT_EQ(e.uscita_standard, atteso);
}

// The language rule itself is the catalogue's (tests/pipeline/catalogo_test.cpp).
TEST(Ispeziona, EnglishWhenTheLocaleSaysSo) {
  scenario_prova s;
  esito_esecuzione e = esegui({s.percorso}, lingua::inglese);
  EXPECT_NE(e.uscita_standard.find("    cell     3        100 m    km 0.100  station stop: station 1\n"),
            std::string::npos)
      << e.uscita_standard;
  EXPECT_NE(e.uscita_standard.find("  line speed:\n    from 0 m: 100 km/h\n    from 100 m: 70 km/h\n"),
            std::string::npos);
}

TEST(Ispeziona, TheJsonObjectHoldsCellsEntriesAndPoints) {
  scenario_prova s;
  esito_esecuzione e = esegui({"--json", s.percorso, s.tabella, s.linea});
  ASSERT_EQ(e.uscita, uscita_pulita) << e.errore_standard;
  ASSERT_FALSE(e.uscita_standard.empty());
  EXPECT_EQ(e.uscita_standard.back(), '\n');
  for (char c : e.uscita_standard) ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "pure ASCII";
  const nlohmann::json o = nlohmann::json::parse(e.uscita_standard);
  ASSERT_EQ(o["celle"].size(), 3u);
  EXPECT_EQ(o["celle"][0], nlohmann::json::parse(R"({"cella":2,"tipo":1,"dato1":40,"dato2":10,"dato3":0,"dato4":6,
      "tempo":0,"marca":0,"montagna":0,"velocita":20,"pendenza":100,"aderenza":9})"));
  EXPECT_EQ(o["celle"][2]["cella"], 4);
  std::vector<int> indici;
  for (const auto& v : o["voci"]) indici.push_back(v["indice"]);
  EXPECT_EQ(indici, (std::vector<int>{1, 80, 81, 84, 85, 86}));
  EXPECT_EQ(o["voci"][0]["tipo"], 12);
  EXPECT_EQ(o["voci"][0]["orario"], 55800);
  EXPECT_EQ(o["punti"], 53);
  EXPECT_EQ(o["file"][1]["ruolo"], "tabella");
  // The name's bytes, each from 0x80 up as \u0080..\u00ff.
  EXPECT_NE(e.uscita_standard.find(R"("nome":"Borgo Vall\u00e8")"), std::string::npos);
  EXPECT_NE(e.uscita_standard.find(R"("nome":"Ponte \u0080 l\u0092Arco")"), std::string::npos);

  // Without a route or line file, their members are null.
  const nlohmann::json solo_tabella = nlohmann::json::parse(esegui({"--json", s.tabella}).uscita_standard);
  EXPECT_TRUE(solo_tabella["celle"].is_null());
  EXPECT_TRUE(solo_tabella["punti"].is_null());
}

TEST(Ispeziona, EveryByteOfANameIsWrittenByTheProjectsRule) {
  std::string nome;
  for (int b = 1; b < 256; ++b) nome.push_back(static_cast<char>(b));
  std::array<voce, voci_tabella> t{};
  t[5].nome = nome;
  file_letto f;
  f.nome = "t.sim";
  f.r = ruolo::tabella;
  f.voci = t;
  const std::string json = oggetto_json({f});
  EXPECT_NE(json.find("\"nome\":" + stringa_json(nome) + ","), std::string::npos) << json;
  EXPECT_EQ(nlohmann::json::parse(json)["voci"][0]["indice"], 5);
}

TEST(Ispeziona, DamagedFilesAreRefusedWithTheFileTheOffsetAndWhatWasExpected) {
  cartella_temporanea c;
  struct caso {
    const char* nome;
    std::string byte;
    std::string messaggio;  // after "ispeziona: " and the path
  } casi[] = {
      {"corto.dat", std::string(17, '\0'),
       " (percorso): offset 16: atteso dato1 della cella 1 (2 byte), il file finisce prima"},
      {"lungo.sim", codifica_tabella(tabella_prova()) + "xy",
       " (tabella): offset 2990: attesa la fine del file dopo la voce 86"},
      {"vuoto.sim", "", " (tabella): offset 0: atteso tipo della voce 0 (1 byte), il file finisce prima"},
      {"tag_linea.dat", std::string("\x02\x00\x00\x00\x09\x00", 6),
       " (linea): offset 4: atteso un tipo di punto 0, 2 o 5 al punto 1, letto 9"},
      {"dispari_linea.dat", std::string(6, '\0'),
       " (linea): offset 6: atteso il valore y del metro 1: la meta y e' piu' corta della meta x"},
  };
  for (const caso& k : casi) {
    const std::string percorso = (c.p / k.nome).string();
    guasti::scrivi(percorso, k.byte);
    for (bool json : {false, true}) {
      std::vector<std::string> argomenti = {percorso};
      if (json) argomenti.insert(argomenti.begin(), "--json");
      esito_esecuzione e = esegui(argomenti);
      EXPECT_EQ(e.uscita, uscita_fallita) << k.nome;
      EXPECT_EQ(e.uscita_standard, "") << k.nome;
      EXPECT_EQ(e.errore_standard, "ispeziona: " + percorso + k.messaggio + "\n") << k.nome;
    }
  }
  // In English, the same place in English words.
  const std::string corto = (c.p / "corto.dat").string();
  EXPECT_EQ(esegui({corto}, lingua::inglese).errore_standard,
            "ispeziona: " + corto + " (percorso): offset 16: expected dato1 of cell 1 (2 bytes), the file ends before\n");
  // A file that cannot be read names the file.
  esito_esecuzione assente = esegui({(c.p / "assente.dat").string()});
  EXPECT_EQ(assente.uscita, uscita_fallita);
  EXPECT_EQ(assente.errore_standard.rfind("ispeziona: " + (c.p / "assente.dat").string() + ": ", 0), 0u)
      << assente.errore_standard;
  // A page that cannot be written names the page, and leaves nothing behind.
  scenario_prova s;
  const std::string pagina = (c.p / "manca" / "pagina.html").string();
  esito_esecuzione non_scritta = esegui({"--html", pagina, s.percorso});
  EXPECT_EQ(non_scritta.uscita, uscita_fallita);
  EXPECT_EQ(non_scritta.errore_standard.rfind("ispeziona: " + pagina + ": ", 0), 0u) << non_scritta.errore_standard;
  EXPECT_FALSE(fs::exists(c.p / "manca"));
}

TEST(Ispeziona, UsageErrorsSayWhatWasWrongAndShowTheUsage) {
  const std::string uso =
      "uso: ispeziona [--json] [--html FILE] [--role linea|tabella|percorso] FILE_COMPILATO...\n";
  struct caso {
    std::vector<std::string> argomenti;
    std::string motivo;
  } casi[] = {
      {{}, "manca il file compilato da leggere"},
      {{"--json"}, "manca il file compilato da leggere"},
      {{"--colore", "x.dat"}, "argomento inatteso: --colore"},
      {{"--role", "binario", "x.dat"}, "ruolo sconosciuto: \"binario\" (linea, tabella, percorso)"},
      {{"x.txt"}, "x.txt: il nome non dice il ruolo (atteso *_linea.dat, *.sim o *.dat): usare --role"},
      {{"--json", "a.dat", "b.dat"}, "b.dat: più di un file con lo stesso ruolo per la pagina (percorso)"},
  };
  for (const caso& c : casi) {
    esito_esecuzione e = esegui(c.argomenti);
    EXPECT_EQ(e.uscita, uscita_fallita) << c.motivo;
    EXPECT_EQ(e.uscita_standard, "");
    EXPECT_EQ(e.errore_standard, "ispeziona: " + c.motivo + " (ispeziona --help per l'uso)\n" + uso);
  }
  // --html needs its file.
  esito_esecuzione senza_valore = esegui({"x.dat", "--html"});
  EXPECT_EQ(senza_valore.uscita, uscita_fallita);
  EXPECT_NE(senza_valore.errore_standard.find(uso), std::string::npos);

  for (const char* aiuto : {"-h", "--help"}) {
    esito_esecuzione e = esegui({"x.dat", aiuto});
    EXPECT_EQ(e.uscita, uscita_pulita);
    EXPECT_EQ(e.uscita_standard.rfind(uso, 0), 0u) << e.uscita_standard;
    EXPECT_NE(e.uscita_standard.find("  --html FILE"), std::string::npos);
  }
  esito_esecuzione versione = esegui({"--version"});
  EXPECT_EQ(versione.uscita, uscita_pulita);
  EXPECT_EQ(versione.uscita_standard, "ispeziona 1.0.0\n");
  EXPECT_EQ(esegui({"--help"}, lingua::inglese).uscita_standard.rfind("usage: ispeziona", 0), 0u);
}

// The built-in scenario, compiled in memory as the one-shot program does.
destinazione_in_memoria incorporato() {
  modello m;
  destinazione_in_memoria d;
  EXPECT_EQ(compila_incorporato(m, d), 0);
  return d;
}

TEST(Ispeziona, TheBuiltInScenario) {
  const destinazione_in_memoria d = incorporato();
  cartella_temporanea c;
  const std::string percorso = (c.p / d.percorso.nome).string();
  const std::string tabella = (c.p / d.tabella.nome).string();
  const std::string linea = (c.p / d.linea.nome).string();
  guasti::scrivi(percorso, d.percorso.byte);
  guasti::scrivi(tabella, d.tabella.byte);
  guasti::scrivi(linea, d.linea.byte);

  esito_esecuzione testo = esegui({percorso, tabella, linea});
  ASSERT_EQ(testo.uscita, uscita_pulita) << testo.errore_standard;
  for (const char* riga : {
           "  celle: 1381 (0 - 1380, 69.000 m)\n",
           "    cella    28      1.350 m    km 1,350  segnale: s1·10+d1 40, s2·10+d2 10, s3·10+d3 0, "
           "rapp·10+sx·3+dx 6, tempo 0\n",
           "    cella   559     27.900 m   km 27,900  inizio rallentamento: velocità (km/h) 70, d_v 0, f_tt 0\n",
           "    cella   522     26.050 m   km 26,050  fermata di stazione: stazione 7 (\"Rondè/ Rundach\")\n",
           "    da 1.350 m: 150 km/h\n",
           "    da 16.550 m: -4 ‰\n",
           "    1 \"VALMORA / ALMAU\": posizione 0 m (km 0,000), area -500 m - 500 m, tipo 12, orario 15:29:00\n",
           "    84 treno e percorso: massa frenata (%) 120, lunghezza del percorso 62.000 m, vetture 6\n",
           "  punti della pianta: 69001 (0 - 69000 m), 68999 x/y\n",
           "    da 350 m (km 0,350): curva a sinistra, raggio 333 m\n",
       }) {
    EXPECT_NE(testo.uscita_standard.find(riga), std::string::npos) << riga;
  }

  esito_esecuzione json = esegui({"--json", percorso, tabella, linea});
  ASSERT_EQ(json.uscita, uscita_pulita) << json.errore_standard;
  const nlohmann::json o = nlohmann::json::parse(json.uscita_standard);
  size_t elementi = 0;
  for (size_t k = 0; k < d.percorso.byte.size(); k += 15) elementi += d.percorso.byte[k] != 0;
  EXPECT_EQ(o["celle"].size(), elementi);
  EXPECT_EQ(o["punti"], 69001);
  bool linea_trovata = false;
  for (const auto& v : o["voci"]) {
    if (v["indice"] == 85) {
      linea_trovata = true;
      EXPECT_EQ(v["nome"], "Valmora_Tessa");
      EXPECT_EQ(v["intero1"], 610);
    }
  }
  EXPECT_TRUE(linea_trovata);

  // The page: written whole, self-contained, the names in UTF-8.
  const std::string pagina = (c.p / "pagina.html").string();
  esito_esecuzione html = esegui({"--html", pagina, percorso, tabella, linea});
  ASSERT_EQ(html.uscita, uscita_pulita) << html.errore_standard;
  EXPECT_EQ(html.uscita_standard, "") << "with --html the text report is left out";
  const std::string h = guasti::leggi(pagina);
  EXPECT_EQ(h.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(h.find("<polyline id=\"polilinea-pianta\""), std::string::npos);
  EXPECT_NE(h.find("Rondè/ Rundach"), std::string::npos);
  EXPECT_EQ(h.find("http"), std::string::npos);
  EXPECT_EQ(h.find("<script"), std::string::npos);
}

TEST(Ispeziona, CodePage1252NamesBecomeUtf8AndHtml) {
  EXPECT_EQ(utf8_da_1252("Vall\xE8 \x80 l\x92" "a \x81"), "Vallè € l’a \xEF\xBF\xBD");
  EXPECT_EQ(html_da_1252("<b>&\"'\x93"), "&lt;b&gt;&amp;&quot;&#39;“");
}

TEST(Ispeziona, APageWithoutPlanOrRouteSaysWhatIsMissing) {
  file_letto f;
  f.nome = "t.sim";
  f.r = ruolo::tabella;
  f.voci = tabella_prova();
  const std::string h = pagina_html({f}, lingua::italiano);
  EXPECT_NE(h.find("Nessun file della linea: la pianta non è disponibile."), std::string::npos);
  EXPECT_NE(h.find("Nessun file del percorso: i profili non sono disponibili."), std::string::npos);
  EXPECT_NE(h.find("Borgo Vallè"), std::string::npos);
}

}  // namespace
}  // namespace compattatore::ispeziona

namespace compattatore::ispeziona {
namespace {

TEST(Ispeziona, FiguresAndAbsurdPlansStayWellDefined) {
  EXPECT_EQ(metri(lingua::italiano, 12200), "12.200 m");
  EXPECT_EQ(metri(lingua::inglese, 12200), "12,200 m");
  EXPECT_EQ(metri(lingua::italiano, INT64_MIN), "-9.223.372.036.854.775.808 m");
  EXPECT_EQ(chilometri(lingua::italiano, 12200), "km 12,200");
  EXPECT_EQ(chilometri(lingua::inglese, -50), "km -0.050");

  // A damaged but well-formed line file: points far beyond any route and
  // points that are no number. The page draws what it can, with no scale bar
  // (no integer holds its length), and the text lists no curvature of them.
  punti_linea p;
  const double valori[] = {0, 1, 1e300, -1e300, std::nan(""), 2e300};
  for (double v : valori) {
    p.x.push_back({planimetria::tipo_punto::doppio, v});
    p.y.push_back({planimetria::tipo_punto::doppio, -v});
  }
  file_letto f;
  f.nome = "x_linea.dat";
  f.r = ruolo::linea;
  f.punti = p;
  const std::string h = pagina_html({f}, lingua::italiano);
  EXPECT_NE(h.find("<polyline id=\"polilinea-pianta\""), std::string::npos);
  EXPECT_EQ(h.find("class=\"scala\""), std::string::npos);
  for (const cambio_curvatura& c : cambi_curvatura(p)) EXPECT_TRUE(std::isfinite(c.curvatura));
}


// The decoder's sentences are written twice: as the decoder's own Italian
// defaults and in the catalogue, where ispeziona takes them from. The two
// Italian texts must not drift apart, and the English ones must use the
// decoder's named placeholders ({campo}, {indice}, ...), which the
// catalogue's check of {n} arguments does not see.
TEST(Ispeziona, TheDecoderSentencesAreTheDecodersInBothLanguages) {
  auto segnaposti = [](std::string_view t) {
    std::set<std::string> n;
    for (size_t i = t.find('{'); i != std::string_view::npos; i = t.find('{', i + 1)) {
      const size_t fine = t.find('}', i);
      if (fine != std::string_view::npos) n.insert(std::string(t.substr(i, fine - i + 1)));
    }
    return n;
  };
  using enum id_messaggio;
  const frasi_decodifica d;
  const struct {
    std::string_view frasi_decodifica::*frase;
    id_messaggio id;
  } casi[] = {
      {&frasi_decodifica::campo_cella, ispeziona_decodifica_campo_cella},
      {&frasi_decodifica::campo_voce, ispeziona_decodifica_campo_voce},
      {&frasi_decodifica::campo_punto, ispeziona_decodifica_campo_punto},
      {&frasi_decodifica::fine_tabella, ispeziona_decodifica_fine_tabella},
      {&frasi_decodifica::fine_file, ispeziona_decodifica_fine_file},
      {&frasi_decodifica::tipo_noto, ispeziona_decodifica_tipo_noto},
      {&frasi_decodifica::punto_y, ispeziona_decodifica_punto_y},
      {&frasi_decodifica::tipo_uguale, ispeziona_decodifica_tipo_uguale},
      {&frasi_decodifica::tipo_calcolato_o_vuoto, ispeziona_decodifica_tipo_calcolato_o_vuoto},
      {&frasi_decodifica::tipo_vuoto, ispeziona_decodifica_tipo_vuoto},
      {&frasi_decodifica::valore_origine, ispeziona_decodifica_valore_origine},
  };
  for (const auto& c : casi) {
    const std::string_view it = testo_catalogo(c.id, lingua::italiano);
    EXPECT_EQ(it, d.*c.frase);
    EXPECT_EQ(segnaposti(testo_catalogo(c.id, lingua::inglese)), segnaposti(it)) << it;
  }
}

}  // namespace
}  // namespace compattatore::ispeziona
