#include "pipeline/catalogo.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <set>
#include <string>

#include "model/codici.h"

namespace compattatore {
namespace {

// Returns the placeholders {n} a text uses, as the set of their numbers.
std::set<int> argomenti_di(std::string_view t) {
  std::set<int> n;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] != '{') continue;
    size_t j = i + 1;
    int v = 0;
    while (j < t.size() && t[j] >= '0' && t[j] <= '9') v = v * 10 + (t[j++] - '0');
    if (j > i + 1 && j < t.size() && t[j] == '}') n.insert(v);
  }
  return n;
}

// The ids run from 0 without a gap; any value past the last is no id. A
// new enumerator without words does not compile (the catalogue's switch has
// no default), so walking the values finds every id.
TEST(Catalogo, OgniMessaggioHaDueLingueConGliStessiArgomenti) {
  int ultimo = -1;
  for (int i = 0; i <= 4000; ++i) {
    id_messaggio id = static_cast<id_messaggio>(i);
    if (!nel_catalogo(id)) continue;
    EXPECT_EQ(ultimo, i - 1) << "hole before id " << i;
    ultimo = i;
    std::string_view it = testo_catalogo(id, lingua::italiano);
    std::string_view en = testo_catalogo(id, lingua::inglese);
    if (id == id_messaggio::nessuno) {
      EXPECT_EQ(it, "");
      EXPECT_EQ(en, "");
      continue;
    }
    EXPECT_FALSE(it.empty()) << "id " << i;
    EXPECT_FALSE(en.empty()) << "id " << i;
    std::set<int> a = argomenti_di(it);
    EXPECT_EQ(a, argomenti_di(en)) << "id " << i << ": " << it << " / " << en;
    // Arguments are numbered 1, 2, ... without a gap.
    int atteso = 1;
    for (int n : a) EXPECT_EQ(n, atteso++) << "id " << i;
  }
  EXPECT_GT(ultimo, static_cast<int>(id_messaggio::uscita_standard_fallita) - 1);
}

// Every code the system uses has its own meaning, and the words are the
// ones the tools have always printed.
TEST(Catalogo, OgniCodiceHaIlSuoSignificato) {
  std::set<id_messaggio> visti;
  for (const voce_codice& v : tabella_codici) {
    EXPECT_TRUE(codice_noto(numero(v.c)));
    if (v.c == codice::nessuno) continue;
    id_messaggio id = significato_di(numero(v.c));
    EXPECT_NE(id, id_messaggio::codice_sconosciuto) << numero(v.c);
    EXPECT_TRUE(visti.insert(id).second) << numero(v.c);
  }
  for (int32_t n : {-1, 14, 23, 26, 100, 104, 1249, 1252})
    EXPECT_FALSE(codice_noto(n)) << n;

  struct caso {
    int32_t codice;
    motivo_fallimento motivo;
    const char* testo;
  } casi[] = {
      {6, motivo_fallimento::nessuno, "la cella del cartello e' occupata"},
      {25, motivo_fallimento::fuori_byte, "un valore non sta in un byte (da 0 a 255)"},
      {25, motivo_fallimento::nessuno, "errore imprevisto di lettura"},
      {1251, motivo_fallimento::nessuno,
       "il secondo valore della cella d'intestazione (cella 1) e' gia' occupato"},
      {14, motivo_fallimento::nessuno, "errore sconosciuto"},
      {0, motivo_fallimento::nessuno, "errore sconosciuto"},
  };
  for (const caso& c : casi)
    EXPECT_EQ(rendi(significato_di(c.codice, c.motivo), {}, lingua::italiano), c.testo) << c.codice;
}

TEST(Catalogo, RendeGliArgomentiAlLoroPosto) {
  EXPECT_EQ(rendi(id_messaggio::uso_nome_sorgente_treno, {"Valle_", "x.txt"}, lingua::italiano),
            "il nome della sorgente del treno non e' Valle_TRENO-.txt (serve --train): x.txt");
  EXPECT_EQ(rendi(id_messaggio::uso_nome_sorgente_treno, {"Valle_", "x.txt"}, lingua::inglese),
            "the train source's name is not Valle_TRAIN-.txt (--train is needed): x.txt");
  // An argument is put in as it is, never read again for placeholders.
  EXPECT_EQ(rendi(id_messaggio::uso_opzione_sconosciuta, {"{1}"}, lingua::italiano), "opzione sconosciuta: {1}");
  // A missing argument leaves its placeholder, so the fault shows.
  EXPECT_EQ(rendi(id_messaggio::uso_troppi_file, {}, lingua::inglese), "too many files: {1}");
}

// Saves one environment variable and puts it back at the end.
struct variabile {
  std::string nome;
  std::optional<std::string> prima;
  explicit variabile(std::string n) : nome(std::move(n)) {
    if (const char* v = getenv(nome.c_str())) prima = v;
  }
  void poni(const char* v) {
    if (v) {
      setenv(nome.c_str(), v, 1);
    } else {
      unsetenv(nome.c_str());
    }
  }
  ~variabile() { poni(prima ? prima->c_str() : nullptr); }
};

TEST(Catalogo, LaLinguaSegueIlLocale) {
  variabile all("LC_ALL"), messaggi("LC_MESSAGES"), lang("LANG");
  struct caso {
    const char *lc_all, *lc_messages, *lang;
    lingua attesa;
  } casi[] = {
      {nullptr, nullptr, nullptr, lingua::italiano},
      {nullptr, nullptr, "C.UTF-8", lingua::italiano},
      {nullptr, nullptr, "POSIX", lingua::italiano},
      {nullptr, nullptr, "en_US.UTF-8", lingua::inglese},
      {nullptr, nullptr, "en", lingua::inglese},
      {nullptr, nullptr, "en@quot", lingua::inglese},
      {nullptr, nullptr, "eng_XX", lingua::italiano},
      {nullptr, nullptr, "it_IT.UTF-8", lingua::italiano},
      {nullptr, "en_GB.UTF-8", "it_IT.UTF-8", lingua::inglese},
      {"it_IT.UTF-8", "en_GB.UTF-8", "en_US", lingua::italiano},
      {"en_IE", nullptr, "it_IT", lingua::inglese},
      // An empty variable counts as unset.
      {"", "", "en_US", lingua::inglese},
  };
  for (const caso& c : casi) {
    all.poni(c.lc_all);
    messaggi.poni(c.lc_messages);
    lang.poni(c.lang);
    EXPECT_EQ(lingua_da_ambiente(), c.attesa)
        << (c.lc_all ? c.lc_all : "-") << " " << (c.lc_messages ? c.lc_messages : "-") << " "
        << (c.lang ? c.lang : "-");
  }
}

TEST(Catalogo, FormattaUnaDiagnosticaInUnaRiga) {
  diagnostica errore;
  errore.fonte = sorgente::linea;
  errore.riga = 20;
  errore.colonna = 7;
  errore.codice = 6;
  errore.posizione = 1200;
  errore.messaggio = significato_di(6);

  diagnostica senza_posizione = errore;
  senza_posizione.posizione.reset();

  diagnostica fermo;
  fermo.codice = 1250;
  fermo.messaggio = significato_di(1250);

  diagnostica avviso;
  avviso.livello = gravita::avviso;
  avviso.riga = 3;
  avviso.colonna = 12;
  avviso.messaggio = id_messaggio::uso_opzione_sconosciuta;
  avviso.argomenti = {"a\r\nb\x7f"};

  diagnostica nota = avviso;
  nota.livello = gravita::nota;

  struct caso {
    const diagnostica* d;
    const char* file;
    lingua l;
    const char* riga;
  } casi[] = {
      // A known column is shown on every kind of line, so editors jump to it.
      {&errore, "V_linea.txt", lingua::italiano,
       "V_linea.txt:20:7: errore 6: la cella del cartello e' occupata (posizione 1200 m)"},
      {&errore, "V_linea.txt", lingua::inglese,
       "V_linea.txt:20:7: error 6: the sign board's cell is taken (position 1200 m)"},
      {&senza_posizione, "V_linea.txt", lingua::italiano,
       "V_linea.txt:20:7: errore 6: la cella del cartello e' occupata"},
      {&errore, "", lingua::italiano, "errore 6: la cella del cartello e' occupata (posizione 1200 m)"},
      {&fermo, "", lingua::italiano,
       "errore 1250: il primo valore della cella d'intestazione (cella 1) e' gia' occupato"},
      {&avviso, "T-.txt", lingua::italiano, "T-.txt:3:12: avviso: opzione sconosciuta: a\\r\\nb\\x7f"},
      {&avviso, "T-.txt", lingua::inglese, "T-.txt:3:12: warning: unknown option: a\\r\\nb\\x7f"},
      {&nota, "T-.txt", lingua::italiano, "T-.txt:3:12: nota: opzione sconosciuta: a\\r\\nb\\x7f"},
      {&nota, "T-.txt", lingua::inglese, "T-.txt:3:12: note: unknown option: a\\r\\nb\\x7f"},
  };
  for (const caso& c : casi) EXPECT_EQ(formatta(*c.d, c.file, c.l), c.riga);
}

TEST(Catalogo, RaccoltaTieneLOrdine) {
  raccolta_diagnostiche r;
  diagnostica a;
  a.codice = 2;
  diagnostica b;
  b.codice = 8;
  r.riporta(a);
  r.riporta(b);
  ASSERT_EQ(r.elenco.size(), 2u);
  EXPECT_EQ(r.elenco[0].codice, 2);
  EXPECT_EQ(r.elenco[1].codice, 8);
}

}  // namespace
}  // namespace compattatore
