// The author's guide and the worked example, compiled, so that neither can
// drift from the program:
// - every source snippet in docs/ marked with the code it gives (the
//   convention is written in docs/README.md) gives exactly that code, and
//   where a diagnostic line is quoted, exactly that line;
// - the scenario in esempi/ compiles with no error code, every record of it
//   lands in the compiled route, and its texts keep the source rules (CR LF,
//   code page 1252, comments that really are comments).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "compiler/verifica.h"
#include "pipeline/diagnosi.h"
#include "pipeline/rilievi.h"
#include "tools/compila/chiavi.h"
#include "tools/compila/esecuzione.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;

const fs::path progetto = CARTELLA_PROGETTO;

// The names a snippet is compiled under, as a diagnostic quotes them.
const chiavi chiavi_frammento{"Prova", "T1"};
const std::string file_linea_frammento = "Prova_linea.txt";
const std::string file_treno_frammento = "Prova_T1-.txt";

std::string leggi(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::vector<std::string> righe_di(const std::string& testo) {
  std::vector<std::string> righe;
  std::istringstream s(testo);
  for (std::string r; std::getline(s, r);) {
    if (!r.empty() && r.back() == '\r') r.pop_back();
    righe.push_back(r);
  }
  return righe;
}

std::string senza_spazi_ai_lati(const std::string& s) {
  size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}

// --- The snippets of docs/ ---------------------------------------------------

// One marked example: its line and train source (either may be absent and is
// then the minimal one), the code it must give and, optionally, the one
// diagnostic line it must give.
struct esempio_guida {
  std::string dove;  // "docs/FILE.md:LINE" of its marker
  std::optional<std::string> linea, treno;
  int32_t codice = 0;
  std::optional<std::string> diagnostica;
};

struct guida {
  std::vector<esempio_guida> esempi;
  std::optional<std::string> linea_minima, treno_minima;
  std::vector<std::string> difetti;  // marking faults, one line each
};

// Returns the value of a marker line "<!-- NAME: VALUE -->", or nothing. A
// marker starts its line: an indented one is part of an indented block that
// shows the convention itself.
std::optional<std::string> marcatore(const std::string& riga, const std::string& nome) {
  const std::string t = riga.substr(0, riga.find_last_not_of(" \t") + 1);
  const std::string testa = "<!-- " + nome + ":";
  const std::string coda = "-->";
  if (t.rfind(testa, 0) != 0 || t.size() < testa.size() + coda.size() ||
      t.compare(t.size() - coda.size(), coda.size(), coda) != 0)
    return std::nullopt;
  return senza_spazi_ai_lati(t.substr(testa.size(), t.size() - testa.size() - coda.size()));
}

// A block's lines as a source text: every line ended by CR LF.
std::string come_sorgente(const std::vector<std::string>& righe) {
  std::string t;
  for (const std::string& r : righe) t += r + "\r\n";
  return t;
}

void leggi_guida(const fs::path& file, guida& g) {
  const std::string nome = "docs/" + file.filename().string();
  const std::vector<std::string> righe = righe_di(leggi(file));
  std::optional<std::string> linea, treno;  // blocks waiting for their marker
  std::string dove_attesa;
  for (size_t i = 0; i < righe.size(); ++i) {
    const std::string dove = nome + ":" + std::to_string(i + 1);
    const std::string& r = righe[i];
    if (r.rfind("```", 0) == 0) {  // a fenced block, with or without a language
      std::istringstream info(r.substr(3));
      std::string lingua, qualita;
      info >> lingua >> qualita;
      std::vector<std::string> corpo;
      size_t j = i + 1;
      for (; j < righe.size() && righe[j].rfind("```", 0) != 0; ++j) corpo.push_back(righe[j]);
      if (j == righe.size()) g.difetti.push_back(dove + ": block never closed");
      i = j;
      if (lingua != "linea" && lingua != "treno") continue;
      const std::string testo = come_sorgente(corpo);
      for (unsigned char c : testo)
        if (c >= 0x80) {
          g.difetti.push_back(dove + ": a snippet must be ASCII (a document is UTF-8, a source code page 1252)");
          break;
        }
      std::optional<std::string>& posto = lingua == "linea" ? linea : treno;
      if (posto) g.difetti.push_back(dove + ": two " + lingua + " blocks before one marker");
      posto = testo;
      dove_attesa = dove;
      if (qualita == "minima") {
        std::optional<std::string>& minima = lingua == "linea" ? g.linea_minima : g.treno_minima;
        if (minima) g.difetti.push_back(dove + ": a second minimal " + lingua + " source");
        minima = testo;
      }
      continue;
    }
    if (std::optional<std::string> v = marcatore(r, "atteso")) {
      if (!linea && !treno) {
        g.difetti.push_back(dove + ": a marker with no block before it");
        continue;
      }
      esempio_guida e;
      e.dove = dove;
      e.linea = linea;
      e.treno = treno;
      int32_t codice = 0;
      char resto = 0;
      if (std::sscanf(v->c_str(), "codice %d%c", &codice, &resto) != 1) {
        g.difetti.push_back(dove + ": a marker must read <!-- atteso: codice N -->");
        continue;
      }
      e.codice = codice;
      g.esempi.push_back(e);
      linea.reset();
      treno.reset();
      continue;
    }
    if (std::optional<std::string> v = marcatore(r, "diagnostica")) {
      if (g.esempi.empty() || g.esempi.back().diagnostica ||
          g.esempi.back().dove != nome + ":" + std::to_string(i))
        g.difetti.push_back(dove + ": a diagnostic marker must follow its example's code marker");
      else
        g.esempi.back().diagnostica = *v;
    }
  }
  if (linea || treno) g.difetti.push_back(dove_attesa + ": a source block without its marker");
}

guida leggi_guide() {
  guida g;
  std::vector<fs::path> file;
  for (const fs::directory_entry& d : fs::directory_iterator(progetto / "docs"))
    if (d.path().extension() == ".md") file.push_back(d.path());
  std::sort(file.begin(), file.end());
  for (const fs::path& f : file) leggi_guida(f, g);
  return g;
}

// The code a compile ends with, as compila reports it: the stop of a header
// guard, else the stored error code (0 for none).
int32_t codice_di(const compilazione& c) { return c.fermo != 0 ? c.fermo : c.m.codice_errore; }

// The one diagnostic line compila prints last for this compile.
std::string ultima_diagnostica(const compilazione& c) {
  if (c.fermo != 0) {
    diagnosi d;
    d.codice = c.fermo;
    d.messaggio = significato(c.fermo);
    return formatta(d);
  }
  return formatta(diagnosi_di(c.m, file_linea_frammento, file_treno_frammento));
}

TEST(Guida, EveryMarkedSnippetGivesTheCodeItStates) {
  const guida g = leggi_guide();
  for (const std::string& d : g.difetti) ADD_FAILURE() << d;
  ASSERT_TRUE(g.linea_minima) << "docs/README.md must hold the minimal line source (```linea minima)";
  ASSERT_TRUE(g.treno_minima) << "docs/README.md must hold the minimal train source (```treno minima)";
  ASSERT_FALSE(g.esempi.empty()) << "no marked snippet found in docs/";

  for (const esempio_guida& e : g.esempi) {
    SCOPED_TRACE(e.dove);
    const compilazione c = compila_testi(e.linea.value_or(*g.linea_minima), e.treno.value_or(*g.treno_minima),
                                         chiavi_frammento, true);
    EXPECT_EQ(codice_di(c), e.codice) << ultima_diagnostica(c);
    if (e.diagnostica) {
      EXPECT_EQ(ultima_diagnostica(c), *e.diagnostica);
    }
  }
}

// The guide promises one example for every code a source can cause. 101
// (no line source at all) and 10 (78 stations and signs) are described but
// not shown: the first is no text, the second would be 79 records long.
TEST(Guida, ErrorGuideShowsEveryCodeASourceCanCause) {
  const guida g = leggi_guide();
  std::map<int32_t, bool> mostrato;
  for (const esempio_guida& e : g.esempi)
    if (e.dove.rfind("docs/errori.md:", 0) == 0) mostrato[e.codice] = true;
  for (int32_t codice : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 102,
                         103, 1250, 1251})
    EXPECT_TRUE(mostrato[codice]) << "docs/errori.md shows no example giving code " << codice;
}

// --- The example scenario in esempi/ ------------------------------------------

struct esempio_scenario {
  std::string nome_linea, nome_treno;  // file names
  std::string linea, treno;            // texts
  chiavi k;
};

esempio_scenario carica_esempio() {
  esempio_scenario s;
  for (const fs::directory_entry& d : fs::directory_iterator(progetto / "esempi")) {
    const std::string n = d.path().filename().string();
    if (n.size() > 10 && n.compare(n.size() - 10, 10, "_linea.txt") == 0) s.nome_linea = n;
    else if (n.size() > 5 && n.compare(n.size() - 5, 5, "-.txt") == 0) s.nome_treno = n;
  }
  s.linea = leggi(progetto / "esempi" / s.nome_linea);
  s.treno = leggi(progetto / "esempi" / s.nome_treno);
  opzioni_compila o;
  o.sorgente_linea = s.nome_linea;
  o.sorgente_treno = s.nome_treno;
  esito_chiavi k = chiavi_di(o);
  EXPECT_TRUE(k.valide) << k.errore;
  s.k = k.k;
  return s;
}

// The records of a source text: each non-comment, non-header line cut at its
// commas, leading and trailing blanks removed.
std::vector<std::vector<std::string>> record_di(const std::string& testo) {
  std::vector<std::vector<std::string>> record;
  for (const std::string& r : righe_di(testo)) {
    const std::string t = senza_spazi_ai_lati(r);
    if (t.empty() || t[0] == '-' || t[0] == '[') continue;
    std::vector<std::string> campi;
    std::istringstream s(t);
    for (std::string c; std::getline(s, c, ',');) campi.push_back(senza_spazi_ai_lati(c));
    record.push_back(campi);
  }
  return record;
}

int32_t numero(const std::string& s) { return static_cast<int32_t>(std::stol(s)); }

// The keywords as the guide spells them. A record under any other spelling
// would be dropped without a word, or read by a test it was not meant for.
bool parola_della_linea(const std::string& k) {
  static const std::set<std::string> parole = {
      "lunghezza percorso", "progressiva chilometrica uno", "progressiva chilometrica due",
      "progressiva chilometrica tre", "sfondo uno", "sfondo due", "sfondo tre",
      "ripetizione segnali 4 codici", "ripetizione segnali 9 codici", "pendenza", "montagna",
      "indicatori_vmax", "cartello_indicatore"};
  const bool curva = k.size() == 7 && k.rfind("curva", 0) == 0 && (k[5] == 's' || k[5] == 'd') &&
                     k[6] >= '1' && k[6] <= '6';
  return curva || parole.count(k) > 0;
}

bool parola_del_treno(const std::string& k) {
  static const std::set<std::string> parole = {
      "numero vetture", "percentuale massa frenata", "sabbia", "orologio", "aderenza", "velocita",
      "stazione", "rallentamento", "segnale", "abbattimento"};
  return parole.count(k) > 0;
}

TEST(Esempio, CompilesCleanAndEveryRecordLandsInTheRoute) {
  const esempio_scenario s = carica_esempio();
  ASSERT_FALSE(s.nome_linea.empty());
  ASSERT_FALSE(s.nome_treno.empty());
  const compilazione c = compila_testi(s.linea, s.treno, s.k, true);
  ASSERT_EQ(codice_di(c), 0) << formatta(diagnosi_di(c.m, s.nome_linea, s.nome_treno));
  EXPECT_TRUE(c.compilati.linea.scritto);
  EXPECT_TRUE(c.compilati.tabella.scritto);
  EXPECT_TRUE(c.compilati.percorso.scritto);
  // An example authors copy must draw no warning from the check pass.
  for (const rilievo& r : verifica_sorgenti(s.linea, s.treno, true))
    ADD_FAILURE() << formatta_rilievo(r, s.nome_linea, s.nome_treno, lingua::italiano);

  const std::vector<cella>& p = c.m.percorso;
  auto celle_di_tipo = [&](uint8_t tipo) {
    int n = 0;
    for (const cella& z : p) n += z.tipo == tipo;
    return n;
  };
  // The cell of a point element at a position, and the cell where a run of
  // values (gradient, speed, adhesion) starts.
  auto punto = [&](int32_t posizione) -> const cella& {
    EXPECT_EQ(posizione % 50, 0) << "off the 50 m grid";
    return p.at(static_cast<size_t>(posizione / 50 + 1));
  };
  auto corsa = [&](int32_t posizione) -> const cella& {
    EXPECT_EQ(posizione % 50, 0) << "off the 50 m grid";
    return p.at(static_cast<size_t>(posizione / 50));
  };

  // A misspelt keyword compiles without a word and drops its record: each
  // record must be found where it puts its element or its value. The
  // example keeps to the 50 m grid, so no position rounds.
  std::map<std::string, int> quanti;
  for (const auto& r : record_di(s.linea)) {
    SCOPED_TRACE(r.at(0) + " at " + (r.size() > 1 ? r.at(1) : ""));
    ++quanti[r.at(0)];
    EXPECT_TRUE(parola_della_linea(r.at(0))) << "not a keyword of the line source as the guide spells it";
    if (r.at(0) == "pendenza") {
      EXPECT_EQ(corsa(numero(r.at(1))).pendenza, numero(r.at(2)) + 100);
    }
    if (r.at(0) == "indicatori_vmax") {
      EXPECT_EQ(punto(numero(r.at(1))).tipo, 6);
    }
    if (r.at(0) == "cartello_indicatore") {
      ASSERT_EQ(punto(numero(r.at(1))).tipo, 14);
      EXPECT_EQ(c.m.tabella.at(static_cast<size_t>(punto(numero(r.at(1))).dato1)).nome, r.at(2));
    }
    if (r.at(0).rfind("curva", 0) == 0) {
      // The plan turns by about the class's curvature times the length,
      // to the left (counter-clockwise) for an "s".
      const planimetria& pl = c.m.plan;
      const int32_t a = numero(r.at(1)), b = numero(r.at(1)) + numero(r.at(2));
      const double x1 = pl.x.at(a) - pl.x.at(a - 1), y1 = pl.y.at(a) - pl.y.at(a - 1);
      const double x2 = pl.x.at(b) - pl.x.at(b - 1), y2 = pl.y.at(b) - pl.y.at(b - 1);
      const double svolta = std::atan2(x1 * y2 - y1 * x2, x1 * x2 + y1 * y2);
      const double k[] = {0, 0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
      const double attesa = (r.at(0).find('s') != std::string::npos ? 1 : -1) * k[r.at(0).back() - '0'] * numero(r.at(2));
      EXPECT_NEAR(svolta, attesa, 1e-3);
    }
  }
  EXPECT_EQ(quanti["lunghezza percorso"], 1);
  EXPECT_EQ(c.m.tabella[84].fine, 20000) << "the example is a line of about 20 km";
  EXPECT_EQ(celle_di_tipo(6), quanti["indicatori_vmax"]);
  EXPECT_EQ(celle_di_tipo(14), quanti["cartello_indicatore"]);
  EXPECT_GT(quanti["pendenza"], 0);
  EXPECT_GT(quanti["cartello_indicatore"], 0);
  EXPECT_GT(quanti["indicatori_vmax"], 0);

  quanti.clear();
  int stazioni_con_fermata = 0;
  int avvisi = 0;
  for (const auto& r : record_di(s.treno)) {
    SCOPED_TRACE(r.at(0) + " at " + (r.size() > 1 ? r.at(1) : ""));
    ++quanti[r.at(0)];
    EXPECT_TRUE(parola_del_treno(r.at(0))) << "not a keyword of the train source as the guide spells it";
    if (r.at(0) == "velocita") {
      EXPECT_EQ(corsa(numero(r.at(1))).velocita * 5, numero(r.at(2))) << "a speed off the 5 km/h steps";
    }
    if (r.at(0) == "aderenza") {
      EXPECT_EQ(corsa(numero(r.at(1))).aderenza, numero(r.at(2)));
    }
    if (r.at(0) == "segnale") {
      EXPECT_EQ(punto(numero(r.at(1))).tipo, 1);
    }
    if (r.at(0) == "rallentamento") {
      EXPECT_EQ(punto(numero(r.at(1))).tipo, 3);
      EXPECT_EQ(punto(numero(r.at(1))).dato1, numero(r.at(2)));
      avvisi += numero(r.at(1)) > 1500;
    }
    if (r.at(0) == "stazione") {
      const voce& v = c.m.tabella.at(static_cast<size_t>(quanti["stazione"]));
      EXPECT_EQ(v.posizione, numero(r.at(1)));
      EXPECT_EQ(v.nome, r.at(17));
      stazioni_con_fermata += numero(r.at(2)) < 25;
    }
  }
  EXPECT_EQ(celle_di_tipo(1), quanti["segnale"]);
  EXPECT_EQ(celle_di_tipo(3), quanti["rallentamento"]);
  EXPECT_EQ(celle_di_tipo(2), quanti["rallentamento"]);
  EXPECT_EQ(celle_di_tipo(4), avvisi);
  EXPECT_EQ(celle_di_tipo(10), stazioni_con_fermata);
  for (const char* tipo : {"numero vetture", "percentuale massa frenata", "sabbia", "orologio"})
    EXPECT_EQ(quanti[tipo], 1) << tipo;
  EXPECT_GT(quanti["stazione"], 1);
  EXPECT_GT(quanti["segnale"], 0);
  EXPECT_GT(quanti["rallentamento"], 0);
}

TEST(Esempio, TextsKeepTheSourceRules) {
  const esempio_scenario s = carica_esempio();
  for (const auto& [nome, testo] : {std::pair{s.nome_linea, s.linea}, std::pair{s.nome_treno, s.treno}}) {
    SCOPED_TRACE(nome);
    ASSERT_GE(testo.size(), 2u);
    EXPECT_EQ(testo.substr(testo.size() - 2), "\r\n") << "the last line too ends with CR LF";
    for (size_t i = 0; i < testo.size(); ++i) {
      if (testo[i] == '\n') {
        EXPECT_TRUE(i > 0 && testo[i - 1] == '\r') << "a line end without CR at byte " << i;
      }
      if (testo[i] == '\r') {
        EXPECT_TRUE(i + 1 < testo.size() && testo[i + 1] == '\n') << "a lone CR at byte " << i;
      }
      // Code page 1252: one byte per letter. A UTF-8 letter would be a lead
      // byte followed by a continuation byte.
      const unsigned char c = static_cast<unsigned char>(testo[i]);
      if (c >= 0x80) {
        const bool utf8 = c >= 0xC2 && c <= 0xF4 && i + 1 < testo.size() &&
                          (static_cast<unsigned char>(testo[i + 1]) & 0xC0) == 0x80;
        EXPECT_FALSE(utf8) << "a UTF-8 sequence at byte " << i;
      }
    }

    // Each record has its comment on the line above. A comment is a field
    // holding "-": a comma in it would start a field that is no comment.
    const std::vector<std::string> righe = righe_di(testo);
    bool generale = false;
    for (size_t i = 0; i < righe.size(); ++i) {
      SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + righe[i]);
      const std::string t = senza_spazi_ai_lati(righe[i]);
      EXPECT_EQ(t.find('#'), std::string::npos) << "'#' starts no comment";
      EXPECT_EQ(t.find("//"), std::string::npos) << "'//' starts no comment";
      if (t.empty()) continue;
      if (t[0] == '-') {
        EXPECT_EQ(t.find(','), std::string::npos);
        continue;
      }
      if (t == "[generale]") generale = true;
      if (t[0] == '[') continue;
      EXPECT_TRUE(generale) << "a record before the general part is skipped";
      EXPECT_TRUE(i > 0 && senza_spazi_ai_lati(righe[i - 1]).rfind("-", 0) == 0) << "a record without its comment";
    }
  }
}

}  // namespace
}  // namespace compattatore
