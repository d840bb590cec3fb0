// The check pass, as an author meets it: source snippets and the exact
// lines they produce.
#include "compiler/verifica.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pipeline/in_memoria.h"
#include "pipeline/memorizza_percorso.h"
#include "pipeline/rilievi.h"
#include "sources/testi.h"
#include "tests/supporto/testo_sorgente.h"

namespace compattatore {
namespace {

// Line source: "[generale]" and a 10000 m route on lines 1 and 2, the
// general records given from line 3, then "[percorso]" and the route records.
std::string linea(const std::vector<std::string>& percorso, const std::vector<std::string>& generale = {}) {
  std::vector<std::string> r = {"[generale]", "lunghezza percorso, 10000"};
  r.insert(r.end(), generale.begin(), generale.end());
  r.push_back("[percorso]");
  r.insert(r.end(), percorso.begin(), percorso.end());
  r.push_back("[fine]");
  return testo_di(r);
}

// Train source: "[generale]" on line 1, the records from line 2.
std::string treno(std::vector<std::string> record) {
  record.insert(record.begin(), "[generale]");
  record.push_back("[fine]");
  return testo_di(record);
}

std::vector<std::string> righe(const std::string& l, const std::string& t, lingua lingua,
                               bool crea_linea = true) {
  std::vector<std::string> out;
  for (const rilievo& r : verifica_sorgenti(l, t, crea_linea))
    out.push_back(formatta_rilievo(r, "V_linea.txt", "V_T-.txt", lingua));
  return out;
}

struct caso {
  const char* nome;
  std::string linea;
  std::string treno;
  std::vector<std::string> attese;
};

const std::string linea_vuota = linea({});
const std::string treno_vuoto = treno({});
const std::string linea_vuota_ripetizione = linea({}, {"ripetizione segnali codici, 0, 60000"});

class tabella_rilievi : public ::testing::TestWithParam<caso> {};

TEST_P(tabella_rilievi, righe_esatte) {
  const caso& c = GetParam();
  EXPECT_EQ(righe(c.linea, c.treno, lingua::italiano), c.attese);
}

INSTANTIATE_TEST_SUITE_P(
    verifica, tabella_rilievi,
    ::testing::Values(
        caso{"parola_storpiata",
             linea({"pendneza, 2000, 4"}),
             treno_vuoto,
             {"V_linea.txt:4:1: avviso: il campo \"pendneza\" non e' un record "
              "di questa parte: e' ignorato (forse \"pendenza\"?) "
              "[-Wparola-ignota]"}},
        caso{"parola_storpiata_treno",
             linea_vuota,
             treno({"segnal, 1350, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0", "rallentameto, 5000, 70, 350, 0, 1, 0"}),
             {"V_T-.txt:2:1: avviso: il campo \"segnal\" non e' un record di "
              "questa parte: e' ignorato (forse \"segnale\"?) [-Wparola-ignota]",
              "V_T-.txt:3:1: avviso: il campo \"rallentameto\" non e' un record "
              "di questa parte: e' ignorato (forse \"rallentamento\"?) "
              "[-Wparola-ignota]"}},
        caso{"parola_senza_suggerimento",
             linea({"viadotto, 2000"}),
             treno_vuoto,
             {"V_linea.txt:4:1: avviso: il campo \"viadotto\" non e' un record "
              "di questa parte: e' ignorato [-Wparola-ignota]"}},
        caso{"maiuscola",
             linea({}, {"Sfondo tre, 1", "Progressiva chilometrica uno, 0, 150300, 1"}),
             treno_vuoto,
             {"V_linea.txt:3:1: avviso: \"sfondo\" vale solo scritto in "
              "minuscolo: il campo \"Sfondo tre\" e' ignorato [-Wmaiuscole]",
              "V_linea.txt:4:1: avviso: \"progressiva\" vale solo scritto in "
              "minuscolo: il campo \"Progressiva chilometrica uno\" e' "
              "ignorato [-Wmaiuscole]"}},
        caso{"record_della_parte_generale_dopo",
             linea({"sfondo uno, 1"}),
             treno_vuoto,
             {"V_linea.txt:4:1: avviso: il record \"sfondo\" vale solo nella "
              "parte generale: qui e' ignorato [-Wparte]"}},
        caso{"record_del_percorso_nella_generale",
             linea({}, {"pendenza, 0, 0"}),
             treno_vuoto,
             {"V_linea.txt:3:1: avviso: il record \"pendenza\" non vale nella "
              "parte generale: e' ignorato [-Wparte]"}},
        caso{"generale_storpiata_treno",
             linea_vuota,
             testo_di({"[generle]", "velocita, 0, 30"}),
             {"V_T-.txt:1:1: avviso: \"[generle]\" non e' [generale]: la "
              "sorgente del treno e' ignorata tutta [-Wsezione]"}},
        caso{"generale_assente_treno",
             linea_vuota,
             testo_di({"velocita, 0, 30"}),
             {"V_T-.txt: avviso: la sorgente del treno non ha la sezione "
              "[generale]: e' ignorata tutta [-Wsezione]"}},
        caso{"generale_storpiata_linea",
             testo_di({"[Generali]", "lunghezza percorso, 10000", "[fine]"}),
             treno_vuoto,
             {"V_linea.txt:1:1: errore 102: la sorgente della linea non ha la "
              "sezione [generale] (\"[Generali]\" non lo e')"}},
        caso{"valori_in_piu",
             linea({"pendenza, 2000, 4, 7"}),
             treno_vuoto,
             {"V_linea.txt:4:20: avviso: il valore \"7\" non appartiene a "
              "nessun record: e' ignorato [-Wvalori-in-piu]"}},
        caso{"valori_mancanti",
             linea_vuota,
             treno({"velocita, 0", "velocita, 700, 100"}),
             {"V_T-.txt:2:1: errore 25: il record \"velocita\" ha 1 valore, ne "
              "servono 2",
              "V_T-.txt:3:11: avviso: il primo record \"velocita\" e' a 700 m, "
              "non a 0: prima vale 0 [-Wda-zero]"}},
        caso{"non_numero",
             linea_vuota,
             treno({"velocita, 0, trenta"}),
             {"V_T-.txt:2:14: errore 25: il valore \"trenta\" del record "
              "\"velocita\" non e' un numero intero"}},
        caso{"pendenze_indietro",
             linea({"pendenza, 0, 0", "pendenza, 5000, 4", "pendenza, 3000, 2", "pendenza, 3010, 1"}),
             treno_vuoto,
             {"V_linea.txt:6:11: avviso: il record \"pendenza\" a 3000 m viene "
              "prima di quello di V_linea.txt:5 (5000 m): vale da qui a un "
              "record successivo [-Wordine]",
              "V_linea.txt:7:11: avviso: pendenza a 3010 m non e' sulla "
              "griglia di 50 m: vale come 3000 m [-Wgriglia]",
              "V_linea.txt:7:11: avviso: il record \"pendenza\" a 3010 m cade "
              "nella cella di quello di V_linea.txt:6 (3000 m): uno dei due "
              "non vale [-Wordine]"}},
        caso{"velocita_prima_non_a_zero",
             linea_vuota,
             treno({"velocita, 700, 100", "aderenza, 50, 60"}),
             {"V_T-.txt:2:11: avviso: il primo record \"velocita\" e' a 700 m, "
              "non a 0: prima vale 0 [-Wda-zero]",
              "V_T-.txt:3:11: avviso: il primo record \"aderenza\" e' a 50 m, "
              "non a 0: prima vale 0 [-Wda-zero]"}},
        caso{"pendenza_oltre_byte",
             linea({"pendenza, 0, 200", "pendenza, 1000, -120"}),
             treno_vuoto,
             {"V_linea.txt:4:14: avviso: pendenza 200 fuori da -100 a 155: e' "
              "memorizzata come -56 [-Wfuori-misura]",
              "V_linea.txt:5:17: avviso: pendenza -120 fuori da -100 a 155: e' "
              "memorizzata come 136 [-Wfuori-misura]"}},
        caso{"velocita_fuori_misura",
             linea_vuota,
             treno({"velocita, 0, 33", "velocita, 700, 350", "velocita, 900, 1280"}),
             {"V_T-.txt:2:14: avviso: velocita' 33 non multipla di 5: vale 35 "
              "[-Wfuori-misura]",
              "V_T-.txt:3:16: avviso: velocita' 350 oltre 300 km/h "
              "[-Wfuori-misura]",
              "V_T-.txt:4:16: errore 25: velocita' 1280: divisa per 5 non sta "
              "in un byte (da 0 a 1277)"}},
        caso{"aderenza_fuori",
             linea_vuota,
             treno({"aderenza, 0, 300"}),
             {"V_T-.txt:2:14: avviso: aderenza 300 fuori da 0 a 255: e' "
              "memorizzata come 44 [-Wfuori-misura]"}},
        caso{"orologio",
             linea_vuota,
             treno({"orologio, 25 61 0"}),
             {"V_T-.txt:2:11: avviso: 25:61:0 non e' un'ora del giorno (da "
              "0:0:0 a 23:59:59) [-Worario]"}},
        caso{"curva_classe",
             linea({"curvas12, 350, 100", "curvad7, 600, 100", "curvas6, 300, 50"}),
             treno_vuoto,
             {"V_linea.txt:4:1: avviso: la classe di \"curvas12\" e' letta "
              "come 1 [-Wcurva]",
              "V_linea.txt:5:1: errore 103: \"curvad7\" senza classe (una "
              "cifra da 1 a 6)",
              "V_linea.txt:6:10: avviso: il record \"curva\" a 300 m viene "
              "prima di quello di V_linea.txt:4 (450 m): vale da qui a un "
              "record successivo [-Wordine]"}},
        caso{"tipo_stazione",
             linea_vuota,
             treno({"stazione, 0, 3, 1000, 1, 0, 0, 4,1,0, 2,1,1, 1, 15,29,0, "
                    "ALFA"}),
             {"V_T-.txt:2:14: avviso: tipo di stazione 3 senza significato "
              "(valgono 5, 6, 7, 8, 11, 12, 24 e da 25 in su) [-Wstazione]"}},
        caso{"commento_falso",
             linea({"# pendenza vecchia", "// curve"}),
             treno_vuoto,
             {"V_linea.txt:4:1: avviso: \"# pendenza vecchia\" sembra un "
              "commento ma non lo e': e' commento solo un campo con \"-\" "
              "[-Wcommento]",
              "V_linea.txt:4:1: errore 25: il record \"pendenza\" ha 0 valori, "
              "ne servono 2",
              "V_linea.txt:5:1: avviso: \"// curve\" sembra un commento ma non "
              "lo e': e' commento solo un campo con \"-\" [-Wcommento]"}},
        caso{"meno_nella_parola",
             linea({"curva-s6, 350, 100"}),
             treno_vuoto,
             {"V_linea.txt:4:1: avviso: \"curva-s6\" contiene \"-\" ed e' letto "
              "come commento: il record \"curva\" e' ignorato [-Wcommento]"}},
        caso{"cartello_lungo",
             linea({"cartello_indicatore, 450, (PONTE SUL FIUME)(A)(B)(C)"}),
             treno_vuoto,
             {"V_linea.txt:4:27: avviso: la riga \"PONTE SUL FIUME\" del "
              "cartello supera 12 caratteri [-Wtesto-lungo]",
              "V_linea.txt:4:27: avviso: il cartello ha 4 righe, ne stanno 3 "
              "[-Wtesto-lungo]"}},
        caso{"nome_con_virgola",
             linea_vuota,
             treno({"stazione, 0, 12, 1000, 1, 0, 0, 4,1,0, 2,1,1, 1, 15,29,0, "
                    "ALFA, BETA"}),
             {"V_T-.txt:2:59: avviso: il testo \"ALFA\" e' tagliato alla "
              "virgola: \"BETA\" e' letto come un altro campo [-Wvirgola]"}},
        caso{"fuori_griglia",
             linea_vuota,
             treno({"segnale, 1370, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"}),
             {"V_T-.txt:2:10: avviso: segnale a 1370 m non e' sulla griglia di "
              "50 m: vale come 1350 m [-Wgriglia]"}},
        caso{"fermata_su_segnale",
             linea_vuota,
             treno({"segnale, 400, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0",
                    "stazione, 0, 12, 1000, 1, 0, 0, 4,1,0, 2,1,1, 1, 15,29,0, "
                    "ALFA"}),
             {"V_T-.txt:3:11: avviso: la fermata della stazione prende la "
              "cella 9, che era del record \"segnale\" di V_T-.txt:2 "
              "[-Wsovrascritto]"}},
        caso{"segnale_su_preavviso",
             linea_vuota,
             treno({"rallentamento, 8950, 70, 350, 0, 1, 0", "segnale, 7750, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"}),
             {"V_T-.txt:3:10: errore 16: segnale a 7750 m: la cella 156 e' "
              "gia' presa dal preavviso del rallentamento di V_T-.txt:2 "
              "(posizione 7750 m)"}},
        caso{"segnale_su_approccio",
             linea_vuota,
             treno({"rallentamento, 8950, 70, 350, 0, 1, 0", "segnale, 7650, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"}),
             {"V_T-.txt:3:10: errore 16: segnale a 7650 m: la cella 154 e' "
              "gia' presa da una cella d'approccio del rallentamento di "
              "V_T-.txt:2 (posizione 7650 m)"}},
        caso{"segnale_su_cartello",
             linea({"cartello_indicatore, 7750, (A)"}),
             treno({"segnale, 7750, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"}),
             {"V_T-.txt:2:10: errore 16: segnale a 7750 m: la cella 156 e' "
              "gia' presa dal record \"cartello_indicatore\" di V_linea.txt:4 "
              "(posizione 7750 m)"}},
        caso{"stazioni_vicine",
             linea_vuota,
             treno({"stazione, 0, 12, 1000, 1, 0, 0, 4,1,0, 2,1,1, 1, 15,29,0, "
                    "ALFA",
                    "stazione, 1100, 12, 600, 1, 0, 0, 4,1,0, 2,1,1, 1, "
                    "15,29,0, BETA"}),
             {"V_T-.txt:3:11: errore 22: stazione a 1100 m: inizia a 800 m, "
              "meno di 350 m dopo la fine della precedente di V_T-.txt:2 (500 "
              "m) (posizione 1100 m)"}},
        caso{"errori_dopo_il_primo",
             linea_vuota,
             treno({"stazione, 4520, 12, 1000, 1, 0, 0, 4,1,0, 2,1,1, 1, "
                    "15,29,0, ALFA",
                    "stazione, 7770, 12, 1000, 1, 0, 0, 4,1,0, 2,1,1, 1, "
                    "15,29,0, BETA"}),
             {"V_T-.txt:2:11: errore 8: stazione a 4520 m: la posizione non e' "
              "multipla di 50 (posizione 4520 m)",
              "V_T-.txt:3:11: errore 8: stazione a 7770 m: la posizione non e' "
              "multipla di 50 (posizione 7770 m)"}},
        caso{"oltre_percorso",
             linea({"pendenza, 16950, 0"}),
             treno_vuoto,
             {"V_linea.txt:4:11: errore 15: pendenza a 16950 m oltre il limite "
              "del percorso esteso (16900 m) (posizione 16950 m)"}},
        caso{"senza_lunghezza",
             testo_di({"[generale]", "[percorso]", "pendenza, 0, 0", "pendenza, 100, 0"}),
             treno_vuoto,
             {"V_linea.txt:3:1: errore 25: il record \"pendenza\" viene prima "
              "della lunghezza del percorso"}},
        caso{"lunghezza_mancante",
             testo_di({"[generale]", "[x]", "[fine]"}),
             treno_vuoto,
             {"V_linea.txt: errore 25: la sorgente della linea non ha la lunghezza del percorso"}},
        // The reader ends the train phase at its first signal after a record
        // beyond the route in the line source.
        caso{"treno_fermato_dalla_linea",
             linea({"pendenza, 16950, 0"}),
             treno({"segnale, 1350, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"}),
             {"V_linea.txt:4:11: errore 15: pendenza a 16950 m oltre il limite del percorso esteso (16900 m) "
              "(posizione 16950 m)",
              "V_T-.txt:2:10: errore 15: segnale a 1350 m: la sorgente del treno si ferma qui, per il record "
              "oltre "
              "il percorso di V_linea.txt:4 (posizione 1350 m)"}},
        caso{"ripetizione",
             linea_vuota_ripetizione,
             treno_vuoto,
             {"V_linea.txt:3:1: errore 5: \"ripetizione segnali codici\" non "
              "indica 4 o 9 codici"}}),
    [](const ::testing::TestParamInfo<caso>& i) { return std::string(i.param.nome); });

// The same findings in English: the words change, the places and names do not.
TEST(verifica, in_inglese) {
  EXPECT_EQ(
      righe(linea({"pendneza, 2000, 4"}), treno({"velocita, 0", "velocita, 700, 100"}), lingua::inglese),
      (std::vector<std::string>{"V_linea.txt:4:1: warning: the field \"pendneza\" is no record "
                                "of this part: it is ignored (did you "
                                "mean \"pendenza\"?) [-Wparola-ignota]",
                                "V_T-.txt:2:1: error 25: the \"velocita\" record has 1 value, "
                                "it takes 2",
                                "V_T-.txt:3:11: warning: the first \"velocita\" record is at "
                                "700 m, not at 0: 0 applies before it "
                                "[-Wda-zero]"}));
  EXPECT_EQ(
      righe(linea_vuota,
            treno({"rallentamento, 8950, 70, 350, 0, 1, 0", "segnale, 7750, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"}),
            lingua::inglese),
      (std::vector<std::string>{"V_T-.txt:3:10: error 16: segnale at 7750 m: cell 156 is already "
                                "taken by the "
                                "warning board of the slow-down of V_T-.txt:2 (position 7750 m)"}));
}

TEST(verifica, scenario_incorporato_senza_rilievi) {
  EXPECT_TRUE(verifica_sorgenti(dati_linea(), dati_treno(), true).empty());
  EXPECT_TRUE(verifica_sorgenti(dati_linea(), dati_treno(), false).empty());
}

// Without a track plan a curve keyword is nothing to the reader: its values
// pass no test. That is the author's choice, not a mistake.
TEST(verifica, senza_planimetria_le_curve_tacciono) {
  EXPECT_TRUE(
      verifica_sorgenti(linea({"curvad7, 350, 100", "curvas6, 9990, 5000"}), treno_vuoto, false).empty());
}

TEST(verifica, distanza_parole) {
  struct {
    const char* a;
    const char* b;
    int d;
  } casi[] = {{"pendneza", "pendenza", 1},
              {"segnal", "segnale", 1},
              {"rallentameto", "rallentamento", 1},
              {"PENDENZA", "pendenza", 0},
              {"", "curva", 5},
              {"generle", "generale", 1},
              {"abc", "cab", 2}};
  for (const auto& c : casi) EXPECT_EQ(distanza_parole(c.a, c.b), c.d) << c.a << " " << c.b;
}

// Over the fuzz corpus: the check pass changes nothing of the compile (same
// bytes, same code and position whether it ran or not), and every error the
// compile stores while reading is among the errors the check pass reports.
TEST(verifica, corpus_stessa_compilazione_e_stessi_errori) {
  namespace fs = std::filesystem;
  const fs::path corpus = fs::path(__FILE__).parent_path().parent_path().parent_path() / "fuzz" / "corpus";
  int provati = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(corpus)) {
    std::ifstream in(e.path(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string d = ss.str();
    if (d.empty()) continue;
    const uint8_t bandiere = static_cast<uint8_t>(d[0]);
    const std::string resto = d.substr(1);
    const size_t zero = resto.find('\0');
    const std::string l = resto.substr(0, zero);
    const std::string t = zero == std::string::npos ? std::string() : resto.substr(zero + 1);

    auto compila = [&](modello& m, destinazione_in_memoria& out, raccolta_diagnostiche& r) {
      fonte_in_memoria f;
      if (!(bandiere & 2)) f.testo_linea = l;
      if (!(bandiere & 4)) f.testo_treno = t;
      m.nome_linea = "Valle";
      m.nome_treno = "T1";
      return numero(memorizza_percorso(m, bandiere & 1, f, out, r));
    };
    modello prima, dopo;
    destinazione_in_memoria file_prima, file_dopo;
    raccolta_diagnostiche diagnostiche_prima, diagnostiche_dopo;
    const int32_t fermo_prima = compila(prima, file_prima, diagnostiche_prima);
    std::optional<std::string_view> treno_presente;
    if (!(bandiere & 4)) treno_presente = t;
    const std::vector<rilievo> rilievi = verifica_sorgenti(l, treno_presente, bandiere & 1);
    const int32_t fermo_dopo = compila(dopo, file_dopo, diagnostiche_dopo);

    SCOPED_TRACE(e.path().filename().string());
    EXPECT_EQ(fermo_prima, fermo_dopo);
    EXPECT_EQ(prima.codice_errore, dopo.codice_errore);
    EXPECT_EQ(prima.posizione_errore, dopo.posizione_errore);
    EXPECT_EQ(prima.riga_errore, dopo.riga_errore);
    ASSERT_EQ(diagnostiche_prima.elenco.size(), diagnostiche_dopo.elenco.size());
    for (size_t i = 0; i < diagnostiche_prima.elenco.size(); ++i) {
      EXPECT_EQ(diagnostiche_prima.elenco[i].codice, diagnostiche_dopo.elenco[i].codice);
      EXPECT_EQ(diagnostiche_prima.elenco[i].colonna, diagnostiche_dopo.elenco[i].colonna);
    }
    EXPECT_EQ(file_prima.percorso.byte, file_dopo.percorso.byte);
    EXPECT_EQ(file_prima.tabella.byte, file_dopo.tabella.byte);
    EXPECT_EQ(file_prima.linea.byte, file_dopo.linea.byte);

    // Codes of route finishing and a missing line source are not the
    // reader's: the check pass does not look for them.
    const int32_t c = prima.codice_errore;
    if (c == 0 || (c >= 11 && c <= 13) || c == 101 || (bandiere & 2)) continue;
    bool trovato = false;
    for (const rilievo& r : rilievi)
      if (r.livello == livello_rilievo::errore && r.codice == c &&
          (prima.sorgente_errore == sorgente::nessuna || r.fonte == prima.sorgente_errore))
        trovato = true;
    EXPECT_TRUE(trovato) << "code " << c;
    ++provati;
  }
  EXPECT_GT(provati, 5);
}

}  // namespace
}  // namespace compattatore
