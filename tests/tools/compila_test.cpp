// compila run as a program on small source pairs: what it writes, where,
// what it says, and that it never changes its inputs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "pipeline/diagnosi.h"
#include "pipeline/in_memoria.h"
#include "tests/supporto/processo_figlio.h"
#include "tools/compila/esecuzione.h"

namespace {

using namespace guasti;
using compattatore::destinazione_in_memoria;
using compattatore::significato;

const fs::path programma = fs::path(CARTELLA_BIN) / PROGRAMMA_COMPILA;
const fs::path dati = fs::path(__FILE__).parent_path() / "dati";

// The fixture pairs. Each error fixture is the clean pair with one change.
constexpr const char* linea_pulita = "linea_pulita.txt";
constexpr const char* treno_pulito = "treno_pulito.txt";

// The clean route: 5000 m, so lunghezza_estesa 12000 and cells 0 to 240.
constexpr size_t byte_percorso = 15 * 241;
constexpr size_t byte_linea = 4 * 4 + 4 * 2 + (2 * 12001 - 8) * 10;

std::string una_riga(const std::string& s) { return s + "\n"; }

// The three compiled files the compile of the same texts hands over, in
// memory: the tool's own compile, without its files.
destinazione_in_memoria compilati_dal_nucleo(const std::string& linea, const std::string& treno,
                                             const std::string& chiave_linea, const std::string& chiave_treno,
                                             int32_t j) {
  compattatore::compilazione c = compattatore::compila_testi(linea, treno, {chiave_linea, chiave_treno}, j != 0);
  EXPECT_EQ(c.fermo, 0);
  return c.compilati;
}

class Compila : public ::testing::Test {
 protected:
  cartella_temporanea cartella;  // the sources, and the compiled files by default
  fs::path linea, treno;
  std::string testo_linea, testo_treno;
  std::string lingua = "C";  // LC_ALL of the runs; "C" gives Italian

  // Puts the fixtures into the folder under the names the keys come from.
  void prepara(const std::string& dato_linea, const std::string& dato_treno,
               const std::string& nome_linea = "Prova_linea.txt", const std::string& nome_treno = "Prova_T1-.txt") {
    testo_linea = leggi(dati / dato_linea);
    testo_treno = leggi(dati / dato_treno);
    ASSERT_FALSE(testo_linea.empty()) << dato_linea;
    ASSERT_FALSE(testo_treno.empty()) << dato_treno;
    linea = cartella.p / nome_linea;
    treno = cartella.p / nome_treno;
    scrivi(linea, testo_linea);
    scrivi(treno, testo_treno);
  }

  // Runs compila; whatever the outcome, both inputs must still be there,
  // byte for byte as before.
  esito avvia(const std::vector<std::string>& argomenti, fs::path cartella_lavoro = fs::temp_directory_path(),
              rlim_t limite = RLIM_INFINITY) {
    // The language of the messages comes from the environment: pinned, so
    // that the expected lines do not depend on the machine's.
    ::setenv("LC_ALL", lingua.c_str(), 1);
    avvio a;
    a.programma = programma;
    a.argomenti = argomenti;
    a.cartella_lavoro = cartella_lavoro;
    a.limite_file = limite;
    esito e = esegui(a);
    EXPECT_EQ(e.segnale, 0) << "killed by signal " << e.segnale << "; stderr: " << e.errori;
    if (!linea.empty()) {
      EXPECT_TRUE(fs::exists(linea)) << "line source gone";
      EXPECT_EQ(leggi(linea), testo_linea) << "line source changed";
    }
    if (!treno.empty()) {
      EXPECT_TRUE(fs::exists(treno)) << "train source gone";
      EXPECT_EQ(leggi(treno), testo_treno) << "train source changed";
    }
    return e;
  }

  std::vector<std::string> sorgenti() const { return {linea.string(), treno.string()}; }
  std::string in_cartella(const std::string& nome) const { return (cartella.p / nome).string(); }

  // The folder holds the sources and exactly the compiled files named, with
  // the bytes the core makes of the same texts.
  void attendi_compilati(const fs::path& dove, const destinazione_in_memoria& attesi, bool con_linea = true) {
    istantanea s = fotografa(dove);
    s.erase(linea.filename().string());
    s.erase(treno.filename().string());
    std::vector<const destinazione_in_memoria::file*> file = {&attesi.tabella, &attesi.percorso};
    if (con_linea) file.insert(file.begin(), &attesi.linea);
    ASSERT_EQ(s.size(), file.size()) << differenze({}, s);
    for (const destinazione_in_memoria::file* f : file) {
      ASSERT_TRUE(f->scritto);
      ASSERT_TRUE(s.count(f->nome)) << f->nome << " missing;" << differenze({}, s);
      EXPECT_TRUE(s[f->nome].contenuto == f->byte) << f->nome << " differs from the core's bytes";
    }
  }
};

TEST_F(Compila, CleanPairWritesTheCoresThreeFiles) {
  prepara(linea_pulita, treno_pulito);
  esito e = avvia(sorgenti());
  EXPECT_EQ(e.stato, 0) << e.errori;
  // One summary line: what the route became and what was written.
  EXPECT_EQ(e.errori, una_riga("compila: percorso di 5000 m; 2 stazioni, 1 segnali, 1 rallentamenti, 1 cartelli, "
                               "1 cambi di velocita'; 3 file scritti"));
  EXPECT_EQ(e.uscita, "");
  destinazione_in_memoria attesi = compilati_dal_nucleo(testo_linea, testo_treno, "Prova", "T1", 1);
  EXPECT_EQ(attesi.linea.nome, "Prova_linea.dat");
  EXPECT_EQ(attesi.tabella.nome, "Prova_T1.sim");
  EXPECT_EQ(attesi.percorso.nome, "Prova_T1.dat");
  attendi_compilati(cartella.p, attesi);
  // The route really was compiled: every cell and every plan point is there.
  EXPECT_EQ(leggi(cartella.p / "Prova_T1.dat").size(), byte_percorso);
  EXPECT_EQ(leggi(cartella.p / "Prova_linea.dat").size(), byte_linea);

  // A second run replaces the files with the same bytes.
  esito ancora = avvia(sorgenti());
  EXPECT_EQ(ancora.stato, 0) << ancora.errori;
  attendi_compilati(cartella.p, attesi);
}

// One stored error of each kind: where it is reported, in words that say
// what and where; that an earlier build is left as it was; and that
// --write-on-error writes the files all the same.
TEST_F(Compila, StoredErrorsPointAtTheirSourceLine) {
  enum class dove { linea, treno, nessuno };
  struct caso {
    const char* dato_linea;
    const char* dato_treno;
    dove file;
    std::string resto;  // what follows "FILE:"
  } casi[] = {
      // A reader code of the line source: the second sign on one cell,
      // naming the record that took it.
      {"linea_cartello_doppio.txt", treno_pulito, dove::linea,
       "20:23: errore 6: cartello_indicatore a 1200 m: la cella 25 e' gia' presa dal record "
       "\"cartello_indicatore\" di {L}:19 (posizione 1200 m)"},
      // A reader code whose record runs over three lines: the line of the
      // position value, not of the keyword.
      {linea_pulita, "treno_stazione_su_piu_righe.txt", dove::treno,
       "15:4: errore 8: stazione a 4520 m: la posizione non e' multipla di 50 (posizione 4520 m)"},
      // A value that does not fit its field: which value, which field, what range.
      {linea_pulita, "treno_tipo_stazione_oltre_byte.txt", dove::treno,
       "15:4: errore 25: il valore 300 non sta nel campo \"tipo\" del record \"stazione\" (da 0 a 255)"},
      // A recorder code: the second signal on one cell.
      {linea_pulita, "treno_segnale_doppio.txt", dove::treno,
       "19:13: errore 16: segnale a 3000 m: la cella 61 e' gia' presa dal record \"segnale\" di {T}:18 "
       "(posizione 3000 m)"},
      // A finishing code: the three cells before the slow-down start hold
      // signs. No source line applies.
      {"linea_cartelli_prima_del_rallentamento.txt", treno_pulito, dove::nessuno,
       "errore 12: " + significato(12) + " (posizione 3550 m)"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(std::string(c.dato_linea) + " + " + c.dato_treno);
    for (const fs::directory_entry& d : fs::directory_iterator(cartella.p)) fs::remove(d.path());
    prepara(c.dato_linea, c.dato_treno);
    std::string resto = c.resto;
    for (auto [segnaposto, nome] : {std::pair{"{L}", linea.string()}, std::pair{"{T}", treno.string()}})
      if (size_t p = resto.find(segnaposto); p != std::string::npos) resto.replace(p, 3, nome);
    const std::string atteso = c.file == dove::linea   ? linea.string() + ":" + resto
                               : c.file == dove::treno ? treno.string() + ":" + resto
                                                       : resto;
    const std::string nessuno_scritto =
        "compila: nessun file scritto: la compilazione ha memorizzato un errore (--write-on-error li scrive "
        "comunque)";

    // A good earlier build stays as it was.
    scrivi(cartella.p / "Prova_T1.dat", "corsa precedente");
    istantanea prima = fotografa(cartella.p);
    esito e = avvia(sorgenti());
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.errori, una_riga(atteso) + una_riga(nessuno_scritto));
    EXPECT_EQ(e.uscita, "");
    EXPECT_EQ(differenze(prima, fotografa(cartella.p)), "");

    fs::remove(cartella.p / "Prova_T1.dat");
    esito comunque = avvia({"--write-on-error", linea.string(), treno.string()});
    EXPECT_EQ(comunque.stato, 1);
    EXPECT_EQ(comunque.errori, una_riga(atteso));
    attendi_compilati(cartella.p, compilati_dal_nucleo(testo_linea, testo_treno, "Prova", "T1", 1));
  }
}

TEST_F(Compila, HeaderGuardsStopBeforeAnyFileIsWritten) {
  struct caso {
    const char* dato_treno;
    int codice;
    std::string memorizzato;  // the line of a code stored before the stop, if any
  } casi[] = {
      {"treno_segnale_in_cella_1_primo_valore.txt", 1250, ""},
      {"treno_segnale_in_cella_1_secondo_valore.txt", 1251, ""},
      // The reader stopped at a refused signal after the one in cell 1: both
      // the stored code and the stop are reported, the stop last.
      {"treno_segnale_in_cella_1_poi_doppio.txt", 1250,
       ":20:13: errore 16: segnale a 3000 m: la cella 61 e' gia' presa dal record \"segnale\" di {T}:18 "
       "(posizione 3000 m)\n"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.dato_treno);
    for (const fs::directory_entry& d : fs::directory_iterator(cartella.p)) fs::remove(d.path());
    prepara(linea_pulita, c.dato_treno);
    // The route file of an earlier run stays as it was.
    scrivi(cartella.p / "Prova_T1.dat", "corsa precedente");
    istantanea prima = fotografa(cartella.p);
    esito e = avvia({"--json", linea.string(), treno.string()});
    EXPECT_EQ(e.stato, 2);
    std::string memorizzato = c.memorizzato.empty() ? "" : treno.string() + c.memorizzato;
    if (size_t p = memorizzato.find("{T}"); p != std::string::npos) memorizzato.replace(p, 3, treno.string());
    EXPECT_EQ(e.errori,
              memorizzato + una_riga("errore " + std::to_string(c.codice) + ": " + significato(c.codice)));
    // The stop decides the outcome, so its code is the one reported.
    EXPECT_EQ(e.uscita, "{\"codice_errore\":" + std::to_string(c.codice) +
                            ",\"posizione_errore\":null,\"file\":null,\"riga\":null,\"messaggio\":\"" +
                            significato(c.codice) + "\",\"scritti\":[],\"avvisi\":[]}\n");
    EXPECT_EQ(differenze(prima, fotografa(cartella.p)), "");
  }
}

TEST_F(Compila, NoPlanLeavesTheLineFileAlone) {
  prepara(linea_pulita, treno_pulito);
  scrivi(cartella.p / "Prova_linea.dat", "planimetria precedente");
  esito e = avvia({"--no-plan", linea.string(), treno.string()});
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(leggi(cartella.p / "Prova_linea.dat"), "planimetria precedente");
  fs::remove(cartella.p / "Prova_linea.dat");
  destinazione_in_memoria attesi = compilati_dal_nucleo(testo_linea, testo_treno, "Prova", "T1", 0);
  EXPECT_FALSE(attesi.linea.scritto);
  attendi_compilati(cartella.p, attesi, false);
}

TEST_F(Compila, CheckWritesNothing) {
  struct caso {
    const char* dato_linea;
    int stato;
  } casi[] = {{linea_pulita, 0}, {"linea_cartello_doppio.txt", 1}};
  for (const caso& c : casi) {
    SCOPED_TRACE(c.dato_linea);
    for (const fs::directory_entry& d : fs::directory_iterator(cartella.p)) fs::remove(d.path());
    prepara(c.dato_linea, treno_pulito);
    istantanea prima = fotografa(cartella.p);
    esito e = avvia({"--check", linea.string(), treno.string()});
    EXPECT_EQ(e.stato, c.stato);
    // The diagnostics are those of a run that writes; the summary says
    // that nothing was meant to be written.
    EXPECT_EQ(e.errori, c.stato == 0 ? una_riga("compila: percorso di 5000 m; 2 stazioni, 1 segnali, 1 "
                                                "rallentamenti, 1 cartelli, 1 cambi di velocita'; nessun file "
                                                "scritto (--check)")
                                     : una_riga(linea.string() + ":20:23: errore 6: cartello_indicatore a 1200 m: "
                                                                 "la cella 25 e' gia' presa dal record "
                                                                 "\"cartello_indicatore\" di " +
                                                linea.string() + ":19 (posizione 1200 m)"));
    EXPECT_EQ(differenze(prima, fotografa(cartella.p)), "");
  }
}

TEST_F(Compila, OutPutsTheFilesElsewhere) {
  prepara(linea_pulita, treno_pulito);
  cartella_temporanea altrove;
  istantanea prima = fotografa(cartella.p);
  esito e = avvia({"--out", altrove.p.string(), linea.string(), treno.string()});
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(differenze(prima, fotografa(cartella.p)), "");
  attendi_compilati(altrove.p, compilati_dal_nucleo(testo_linea, testo_treno, "Prova", "T1", 1));
}

TEST_F(Compila, RelativeNamesWriteBesideTheLineSourceAndAreReportedAsGiven) {
  // Run from the folder with bare names: the compiled files land there (the
  // folder of the line source), and a diagnostic names the file as given.
  prepara("linea_cartello_doppio.txt", treno_pulito);
  esito e = avvia({"--write-on-error", "Prova_linea.txt", "Prova_T1-.txt"}, cartella.p);
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.errori, una_riga("Prova_linea.txt:20:23: errore 6: cartello_indicatore a 1200 m: la cella 25 e' "
                               "gia' presa dal record \"cartello_indicatore\" di Prova_linea.txt:19 (posizione "
                               "1200 m)"));
  attendi_compilati(cartella.p, compilati_dal_nucleo(testo_linea, testo_treno, "Prova", "T1", 1));
}

TEST_F(Compila, KeysFromOptionsNameTheFilesAndEnterTheCodes) {
  struct caso {
    std::vector<std::string> opzioni;
    std::string nome_linea, nome_treno;  // the source names
    std::string chiave_linea, chiave_treno;
  } casi[] = {
      {{"--route", "Nord", "--train", "X9"}, "uno.txt", "due.txt", "Nord", "X9"},
      {{"--route=Nord"}, "uno.txt", "Nord_X9-.txt", "Nord", "X9"},
      {{"--train", "X9"}, "Nord_linea.txt", "due.txt", "Nord", "X9"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome_linea + " " + c.nome_treno);
    for (const fs::directory_entry& d : fs::directory_iterator(cartella.p)) fs::remove(d.path());
    prepara(linea_pulita, treno_pulito, c.nome_linea, c.nome_treno);
    std::vector<std::string> argomenti = c.opzioni;
    argomenti.push_back(linea.string());
    argomenti.push_back(treno.string());
    esito e = avvia(argomenti);
    EXPECT_EQ(e.stato, 0) << e.errori;
    // The competition codes in the table and route files come from the
    // keys, so equal bytes mean the keys reached the compile.
    attendi_compilati(cartella.p,
                      compilati_dal_nucleo(testo_linea, testo_treno, c.chiave_linea, c.chiave_treno, 1));
  }
}

TEST_F(Compila, UsageErrorsExit3WithTheReasonAndTheUsageLine) {
  prepara(linea_pulita, treno_pulito);
  std::vector<std::vector<std::string>> casi = {
      {},
      {linea.string()},
      {"--bogus", linea.string(), treno.string()},
      {linea.string(), treno.string(), "--out"},
      {"--json", linea.string(), treno.string(), treno.string()},
      // Names that fit neither form.
      {"--json", linea.string(), (cartella.p / "Altro_T1-.txt").string()},
      {(cartella.p / "senza_forma.txt").string(), treno.string()},
  };
  istantanea prima = fotografa(cartella.p);
  for (const std::vector<std::string>& argomenti : casi) {
    esito e = avvia(argomenti);
    EXPECT_EQ(e.stato, 3);
    EXPECT_EQ(e.uscita, "") << "no JSON object for a usage error";
    EXPECT_EQ(e.errori.rfind("compila: ", 0), 0u) << e.errori;
    EXPECT_EQ(std::count(e.errori.begin(), e.errori.end(), '\n'), 2) << e.errori;
    EXPECT_NE(e.errori.find("\nuso: compila [OPZIONI] SORGENTE_LINEA SORGENTE_TRENO"), std::string::npos) << e.errori;
  }
  EXPECT_EQ(differenze(prima, fotografa(cartella.p)), "");
}

TEST_F(Compila, HelpAndVersion) {
  for (const char* aiuto : {"--help", "-h"}) {
    esito e = avvia({aiuto});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.uscita.rfind("uso: compila", 0), 0u) << e.uscita;
    EXPECT_EQ(e.errori, "");
  }
  esito v = avvia({"--version"});
  EXPECT_EQ(v.stato, 0);
  EXPECT_EQ(v.uscita, "compila 1.0\n");
  EXPECT_EQ(v.errori, "");
}

TEST_F(Compila, MissingInputIsAFileErrorNotACode) {
  prepara(linea_pulita, treno_pulito);
  const std::string manca_linea = in_cartella("Assente_linea.txt");
  const std::string manca_treno = in_cartella("Prova_Assente-.txt");
  struct caso {
    std::vector<std::string> argomenti;
    std::string nominato;
  } casi[] = {
      {{manca_linea, treno.string(), "--route", "Prova"}, manca_linea},
      {{"--json", linea.string(), manca_treno}, manca_treno},
      // A folder is not a source either.
      {{"--route", "Prova", "--train", "T1", cartella.p.string(), treno.string()}, cartella.p.string()},
  };
  istantanea prima = fotografa(cartella.p);
  for (const caso& c : casi) {
    esito e = avvia(c.argomenti);
    EXPECT_EQ(e.stato, 3);
    EXPECT_EQ(e.errori.rfind("compila: " + c.nominato + ": ", 0), 0u) << e.errori;
    EXPECT_EQ(e.errori.find("errore 101"), std::string::npos);
    EXPECT_EQ(e.errori.find("errore 25"), std::string::npos);
    EXPECT_EQ(e.uscita, "");
  }
  EXPECT_EQ(differenze(prima, fotografa(cartella.p)), "");
}

TEST_F(Compila, NeverWritesOverASource) {
  // With explicit keys any source names are accepted, also the name of a
  // compiled file: here the table file would land on the train source.
  prepara(linea_pulita, treno_pulito, "Prova_linea.txt", "Nord_X9.sim");
  istantanea prima = fotografa(cartella.p);
  esito e = avvia({"--route", "Nord", "--train", "X9", linea.string(), treno.string()});
  EXPECT_EQ(e.stato, 3);
  EXPECT_EQ(e.errori.rfind("compila: " + treno.string() + ": ", 0), 0u) << e.errori;
  // Refused before the first file: not even the line file is there.
  EXPECT_EQ(differenze(prima, fotografa(cartella.p)), "");

  // The line source read through a link whose target has the name of the
  // route file: replacing that name would change what the link reads.
  for (const fs::directory_entry& d : fs::directory_iterator(cartella.p)) fs::remove(d.path());
  prepara(linea_pulita, treno_pulito, "Nord_X9.dat", "Prova_T1-.txt");
  fs::create_symlink("Nord_X9.dat", cartella.p / "collegamento.txt");
  linea = cartella.p / "collegamento.txt";
  prima = fotografa(cartella.p);
  esito collegato = avvia({"--route", "Nord", "--train", "X9", "--no-plan", linea.string(), treno.string()});
  EXPECT_EQ(collegato.stato, 3);
  EXPECT_EQ(collegato.errori.rfind("compila: " + in_cartella("Nord_X9.dat") + ": ", 0), 0u) << collegato.errori;
  EXPECT_EQ(differenze(prima, fotografa(cartella.p)), "");
}

TEST_F(Compila, WriteFailuresNameTheFile) {
  prepara(linea_pulita, treno_pulito);
  // An output folder that does not exist.
  const std::string assente = in_cartella("non_esiste");
  esito e = avvia({"--out", assente, "--json", linea.string(), treno.string()});
  EXPECT_EQ(e.stato, 3);
  EXPECT_NE(e.errori.find("compila: " + assente + "/Prova_"), std::string::npos) << e.errori;
  EXPECT_EQ(e.uscita, "") << "no JSON object after a file error";

  // A file-size limit below the table file: the write fails with a
  // message instead of a signal, and no part of the file is left.
  istantanea prima = fotografa(cartella.p);
  esito limitato = avvia({"--no-plan", linea.string(), treno.string()}, fs::temp_directory_path(), 1000);
  EXPECT_EQ(limitato.stato, 3);
  EXPECT_NE(limitato.errori.find("compila: " + in_cartella("Prova_T1.sim") + ": "), std::string::npos)
      << limitato.errori;
  EXPECT_EQ(differenze(prima, fotografa(cartella.p)), "");
}

TEST_F(Compila, JsonReportsTheOutcomeFieldByField) {
  // Clean: every error field null, the files in the order written.
  prepara(linea_pulita, treno_pulito);
  esito pulito = avvia({"--json", linea.string(), treno.string()});
  EXPECT_EQ(pulito.stato, 0);
  EXPECT_EQ(pulito.uscita, "{\"codice_errore\":0,\"posizione_errore\":null,\"file\":null,\"riga\":null,"
                           "\"messaggio\":null,\"scritti\":[\"" +
                               in_cartella("Prova_linea.dat") + "\",\"" + in_cartella("Prova_T1.sim") + "\",\"" +
                               in_cartella("Prova_T1.dat") + "\"],\"avvisi\":[]}\n");

  // --check: the same report, nothing written.
  esito verifica = avvia({"--json", "--check", "--no-plan", linea.string(), treno.string()});
  EXPECT_EQ(verifica.uscita, "{\"codice_errore\":0,\"posizione_errore\":null,\"file\":null,\"riga\":null,"
                             "\"messaggio\":null,\"scritti\":[],\"avvisi\":[]}\n");

  // A recorder code: position, file and line, and the files written.
  prepara(linea_pulita, "treno_segnale_doppio.txt");
  esito segnale = avvia({"--json", "--no-plan", "--write-on-error", linea.string(), treno.string()});
  EXPECT_EQ(segnale.stato, 1);
  EXPECT_EQ(segnale.uscita, "{\"codice_errore\":16,\"posizione_errore\":3000,\"file\":\"" + treno.string() +
                                "\",\"riga\":19,\"messaggio\":\"" + significato(16) + "\",\"scritti\":[\"" +
                                in_cartella("Prova_T1.sim") + "\",\"" + in_cartella("Prova_T1.dat") +
                                "\"],\"avvisi\":[]}\n");
  // The diagnostic line still goes to standard error.
  EXPECT_EQ(std::count(segnale.errori.begin(), segnale.errori.end(), '\n'), 1) << segnale.errori;
}

TEST_F(Compila, JsonEscapesOddBytesInPaths) {
  // A line source whose name holds a quote and a code-page-1252 grave e,
  // with the error in it: the path comes back escaped, pure ASCII.
  fs::create_directory(cartella.p / "a\"b");
  prepara("linea_cartello_doppio.txt", treno_pulito, "a\"b/citt\xe8.txt", "Prova_T1-.txt");
  esito e = avvia({"--json", "--check", "--route", "Prova", linea.string(), treno.string()});
  EXPECT_EQ(e.stato, 1);
  const std::string atteso_file = cartella.p.string() + "/a\\\"b/citt\\u00e8.txt";
  EXPECT_NE(e.uscita.find("\"file\":\"" + atteso_file + "\",\"riga\":20,"), std::string::npos) << e.uscita;
  for (char c : e.uscita) EXPECT_LT(static_cast<unsigned char>(c), 0x80u);
  // The diagnostic on standard error keeps the bytes as given.
  EXPECT_EQ(e.errori.rfind(linea.string() + ":20:23: errore 6: ", 0), 0u) << e.errori;
}

// Warnings: printed gcc-style after the compile's own report, silenced one
// by one with -Wno-NAME, fatal with --strict, listed in the JSON object, in
// English where the environment says so; the summary line goes with --quiet.
TEST_F(Compila, WarningsStrictSilenceQuietAndJson) {
  prepara("linea_avvisi.txt", treno_pulito);
  const std::string curva = linea.string() +
                            ":11:1: avviso: la classe di \"curvad12\" e' letta come 1 [-Wcurva]";
  const std::string parola = linea.string() +
                             ":14:1: avviso: il campo \"pendneza\" non e' un record di questa parte: e' ignorato "
                             "(forse \"pendenza\"?) [-Wparola-ignota]";
  const std::string riepilogo =
      "compila: percorso di 5000 m; 2 stazioni, 1 segnali, 1 rallentamenti, 1 cartelli, 1 cambi di velocita'; ";
  const destinazione_in_memoria attesi = compilati_dal_nucleo(testo_linea, testo_treno, "Prova", "T1", 1);

  esito e = avvia(sorgenti());
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.errori, una_riga(curva) + una_riga(parola) + una_riga(riepilogo + "3 file scritti"));
  attendi_compilati(cartella.p, attesi);

  esito quieto = avvia({"--quiet", "-Wno-curva", linea.string(), treno.string()});
  EXPECT_EQ(quieto.stato, 0);
  EXPECT_EQ(quieto.errori, una_riga(parola));

  // --strict: a warning fails the run and nothing is written.
  for (const fs::directory_entry& d : fs::directory_iterator(cartella.p))
    if (d.path().extension() != ".txt") fs::remove(d.path());
  istantanea prima = fotografa(cartella.p);
  esito rigoroso = avvia({"--strict", linea.string(), treno.string()});
  EXPECT_EQ(rigoroso.stato, 1);
  EXPECT_EQ(rigoroso.errori,
            una_riga(curva) + una_riga(parola) + una_riga("compila: nessun file scritto: --strict e 2 avvisi"));
  EXPECT_EQ(differenze(prima, fotografa(cartella.p)), "");
  // ... unless every warning it met is silenced.
  esito taciuti = avvia({"--strict", "-Wno-curva", "-Wno-parola-ignota", linea.string(), treno.string()});
  EXPECT_EQ(taciuti.stato, 0);
  EXPECT_EQ(taciuti.errori, una_riga(riepilogo + "3 file scritti"));
  attendi_compilati(cartella.p, attesi);

  esito json = avvia({"--json", "--check", "-Wno-curva", linea.string(), treno.string()});
  EXPECT_EQ(json.stato, 0);
  EXPECT_EQ(json.uscita, "{\"codice_errore\":0,\"posizione_errore\":null,\"file\":null,\"riga\":null,"
                         "\"messaggio\":null,\"scritti\":[],\"avvisi\":[{\"file\":\"" +
                             linea.string() +
                             "\",\"riga\":14,\"colonna\":1,\"nome\":\"parola-ignota\",\"messaggio\":\"il campo "
                             "\\\"pendneza\\\" non e' un record di questa parte: e' ignorato (forse "
                             "\\\"pendenza\\\"?)\"}]}\n");

  lingua = "en_GB.UTF-8";
  esito inglese = avvia({"--check", "-Wno-parola-ignota", linea.string(), treno.string()});
  EXPECT_EQ(inglese.stato, 0);
  EXPECT_EQ(inglese.errori, una_riga(linea.string() +
                                     ":11:1: warning: the class of \"curvad12\" is read as 1 [-Wcurva]") +
                                una_riga("compila: route of 5000 m; 2 stations, 1 signals, 1 slow-downs, 1 sign "
                                         "boards, 1 speed changes; no file written (--check)"));
}

// A UTF-8 source is read as the code page 1252 text it stands for, with a
// note for each line converted; --encoding=cp1252 reads its bytes as they
// are; a UTF-16 source is refused, nothing written.
TEST_F(Compila, Encodings) {
  prepara(linea_pulita, "treno_utf8.txt");
  std::string cp1252 = testo_treno;
  cp1252.replace(cp1252.find("CITT\xc3\x80"), 6, "CITT\xc0");

  esito e = avvia({"--quiet", linea.string(), treno.string()});
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.errori, una_riga(treno.string() + ":13: nota: riga convertita da UTF-8 a cp1252"));
  attendi_compilati(cartella.p, compilati_dal_nucleo(testo_linea, cp1252, "Prova", "T1", 1));

  esito grezzo = avvia({"--quiet", "--encoding=cp1252", linea.string(), treno.string()});
  EXPECT_EQ(grezzo.stato, 0);
  EXPECT_EQ(grezzo.errori, "");
  attendi_compilati(cartella.p, compilati_dal_nucleo(testo_linea, testo_treno, "Prova", "T1", 1));

  // UTF-16 (little-endian, with its mark): every other byte NUL.
  std::string utf16 = "\xFF\xFE";
  for (char c : testo_treno) utf16 += std::string{c, '\0'};
  testo_treno = utf16;
  scrivi(treno, testo_treno);
  for (const fs::directory_entry& d : fs::directory_iterator(cartella.p))
    if (d.path().extension() != ".txt") fs::remove(d.path());
  istantanea prima = fotografa(cartella.p);
  esito sedici = avvia({"--json", linea.string(), treno.string()});
  EXPECT_EQ(sedici.stato, 3);
  EXPECT_EQ(sedici.errori,
            una_riga(treno.string() + ": errore: la sorgente e' in UTF-16: va salvata in cp1252 (o UTF-8)"));
  EXPECT_EQ(sedici.uscita, "");
  EXPECT_EQ(differenze(prima, fotografa(cartella.p)), "");

  EXPECT_EQ(avvia({"--encoding=latin1", linea.string(), treno.string()}).stato, 3);
}

}  // namespace
