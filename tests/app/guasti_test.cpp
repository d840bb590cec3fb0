// Faults of the file system under the one-shot program: a folder it cannot
// write, a write that stops half-way, links and folders planted at its file
// names, two starts at once, kills, too little memory, a closed output.
// Whatever happens, the program says which file and why, exits 3, and loses
// nothing that was there before.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "tests/supporto/processo_figlio.h"

namespace {

using namespace guasti;

// Every name the program writes, in the order it writes them: the two
// source texts (deleted again once read), the three driver documents, then
// the line file, the table file and the route file.
const std::vector<std::string> ordine_scrittura = {
    "Valmora_Tessa_linea.txt",
    "Valmora_Tessa_R7736-.txt",
    "Valmora_Tessa_R7736_note.txt",
    "Valmora_Tessa_R7736_rallentamenti.txt",
    "Valmora_Tessa_R7736_scheda_treno.txt",
    "Valmora_Tessa_linea.dat",
    "Valmora_Tessa_R7736.sim",
    "Valmora_Tessa_R7736.dat",
};
const std::vector<std::string> file_uscita(ordine_scrittura.begin() + 2, ordine_scrittura.end());
bool e_sorgente(const std::string& nome) { return nome == ordine_scrittura[0] || nome == ordine_scrittura[1]; }

// The line file of the built-in scenario: 62000 m of route, a complete plan.
constexpr rlim_t byte_file_linea = 1379964;

std::string vecchio(const std::string& nome) { return "uscita di una corsa precedente: " + nome; }

class GuastiProgramma : public ::testing::Test {
 protected:
  cartella_temporanea cartella;  // the program's own folder
  cartella_temporanea altrove;   // somewhere else: link targets
  fs::path programma;

  void SetUp() override { programma = copia_programma(PROGRAMMA_COMPATTATORE, cartella.p, "compattatore"); }

  // Leaves every output of an earlier run in the folder, with known bytes.
  void semina_uscite_precedenti() {
    for (const std::string& n : file_uscita) scrivi(cartella.p / n, vecchio(n));
  }

  esito avvia(rlim_t limite = RLIM_INFINITY, bool senza_privilegi = false) {
    avvio a;
    a.programma = programma;
    a.limite_file = limite;
    a.senza_privilegi = senza_privilegi;
    esito e = esegui(a);
    EXPECT_NE(e.stato, stato_privilegi_non_ceduti) << "could not run the program as nobody";
    EXPECT_EQ(e.segnale, 0) << "killed by signal " << e.segnale << "; stderr: " << e.errori;
    return e;
  }

  std::string percorso(const std::string& nome) const { return (cartella.p / nome).string(); }
};

TEST_F(GuastiProgramma, AFolderThatCannotBeWrittenStopsAtTheFirstFileAndLosesNothing) {
  semina_uscite_precedenti();
  const istantanea prima = fotografa(cartella.p);

  fs::permissions(cartella.p, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                  fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  esito e = avvia(RLIM_INFINITY, /*senza_privilegi=*/true);
  fs::permissions(cartella.p, fs::perms::owner_write, fs::perm_options::add);

  EXPECT_EQ(e.stato, 3) << e.errori;
  EXPECT_NE(e.errori.find(percorso(ordine_scrittura[0])), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(std::strerror(EACCES)), std::string::npos) << e.errori;
  EXPECT_EQ(differenze(prima, fotografa(cartella.p)), "");
}

TEST_F(GuastiProgramma, AWriteCutShortByAFileSizeLimitLeavesTheEarlierFileWhole) {
  // The limit lets the texts through and stops the line file half-way.
  static_assert(byte_file_linea > 1000000);
  semina_uscite_precedenti();
  esito e = avvia(/*limite=*/1000000);

  EXPECT_EQ(e.stato, 3) << e.errori;
  EXPECT_NE(e.errori.find(percorso("Valmora_Tessa_linea.dat")), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(std::strerror(EFBIG)), std::string::npos) << e.errori;

  // The cut file never reached its final name; the files after it were not
  // touched; no temporary file and no source text is left behind.
  const istantanea dopo = fotografa(cartella.p);
  for (const char* n : {"Valmora_Tessa_linea.dat", "Valmora_Tessa_R7736.sim", "Valmora_Tessa_R7736.dat"})
    EXPECT_EQ(dopo.at(n).contenuto, vecchio(n)) << n;
  EXPECT_EQ(dopo.size(), file_uscita.size() + 1) << differenze({}, dopo);
}

// A link at every name the program writes, the source texts included: each
// is replaced by the program's own file, never followed, whether its target
// exists or not (creating a missing target would write outside the folder).
// The parameter: whether the targets exist.
class LinkAllUscite : public GuastiProgramma, public ::testing::WithParamInterface<bool> {};

TEST_P(LinkAllUscite, EveryLinkIsReplacedAndItsTargetIsUntouched) {
  // The files a clean run writes, to compare with.
  cartella_temporanea riferimento;
  avvio a;
  a.programma = copia_programma(PROGRAMMA_COMPATTATORE, riferimento.p, "compattatore");
  ASSERT_EQ(esegui(a).stato, 0);

  for (const std::string& n : ordine_scrittura) {
    fs::path bersaglio = altrove.p / ("bersaglio_" + n);
    if (GetParam()) scrivi(bersaglio, "da non toccare");
    fs::create_symlink(bersaglio, cartella.p / n);
  }
  const istantanea altrove_prima = fotografa(altrove.p);

  esito e = avvia();
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(differenze(altrove_prima, fotografa(altrove.p)), "") << "a link was followed";
  for (const std::string& n : ordine_scrittura) {
    fs::file_status st = fs::symlink_status(cartella.p / n);
    if (e_sorgente(n)) {
      EXPECT_FALSE(fs::exists(st)) << n << " left behind";
    } else {
      EXPECT_TRUE(fs::is_regular_file(st)) << n;
      EXPECT_TRUE(leggi(cartella.p / n) == leggi(riferimento.p / n)) << n << " differs from a clean run";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Bersagli, LinkAllUscite, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "esistente" : "mancante"); });

// A folder at one of the names: the program stops there with an error that
// names it; the folder and what it holds stay, the files after it in the
// order keep the earlier run's bytes, and no temporary file is left.
class CartellaAlPostoDiUnFile : public GuastiProgramma, public ::testing::WithParamInterface<size_t> {};

TEST_P(CartellaAlPostoDiUnFile, StopsWithAClearErrorAndDisturbsNothingElse) {
  const std::string occupato = ordine_scrittura[GetParam()];
  semina_uscite_precedenti();
  fs::remove(cartella.p / occupato);
  fs::create_directory(cartella.p / occupato);
  scrivi(cartella.p / occupato / "dentro.txt", "da non toccare");

  esito e = avvia();
  EXPECT_EQ(e.stato, 3) << e.errori;
  EXPECT_NE(e.errori.find(percorso(occupato)), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(std::strerror(EISDIR)), std::string::npos) << e.errori;

  const istantanea dopo = fotografa(cartella.p);
  ASSERT_TRUE(dopo.count(occupato));
  EXPECT_EQ(dopo.at(occupato).tipo, 'd');
  EXPECT_EQ(leggi(cartella.p / occupato / "dentro.txt"), "da non toccare");
  for (size_t i = GetParam() + 1; i < ordine_scrittura.size(); ++i) {
    const std::string& n = ordine_scrittura[i];
    if (e_sorgente(n)) {
      EXPECT_FALSE(dopo.count(n)) << n;
    } else {
      ASSERT_TRUE(dopo.count(n)) << n;
      EXPECT_EQ(dopo.at(n).contenuto, vecchio(n)) << n;
    }
  }
  for (const auto& [nome, v] : dopo) EXPECT_EQ(nome.find(".tmp"), std::string::npos) << nome;
}

INSTANTIATE_TEST_SUITE_P(OgniNome, CartellaAlPostoDiUnFile, ::testing::Range<size_t>(0, ordine_scrittura.size()),
                         [](const auto& info) {
                           std::string n = ordine_scrittura[info.param];
                           for (char& c : n)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return n;
                         });

// --- Runs that meet each other, kills, memory, output -----------------------

const std::vector<std::string> compilati = {"Valmora_Tessa_linea.dat", "Valmora_Tessa_R7736.sim",
                                            "Valmora_Tessa_R7736.dat"};

// The files of a clean run, by name, to compare with.
istantanea corsa_pulita() {
  cartella_temporanea riferimento;
  avvio a;
  a.programma = copia_programma(PROGRAMMA_COMPATTATORE, riferimento.p, "compattatore");
  esito e = esegui(a);
  EXPECT_EQ(e.stato, 0) << e.errori;
  istantanea s = fotografa(riferimento.p);
  s.erase("compattatore");
  return s;
}

// Two starts at once in one folder (a double click): the second waits for
// the first to end, then runs; both succeed, and the folder holds exactly
// a clean run's files.
TEST_F(GuastiProgramma, TwoStartsAtOnceBothSucceedAndLeaveACleanRunsFiles) {
  const istantanea pulita = corsa_pulita();
  avvio a;
  a.programma = programma;
  for (int giro = 0; giro < giri_processi(12); ++giro) {
    SCOPED_TRACE(giro);
    figlio primo = lancia(a);
    figlio secondo = lancia(a);
    esito e1 = attendi(primo), e2 = attendi(secondo);
    EXPECT_EQ(e1.stato, 0) << e1.errori;
    EXPECT_EQ(e2.stato, 0) << e2.errori;
    istantanea dopo = fotografa(cartella.p);
    dopo.erase("compattatore");
    ASSERT_EQ(differenze(pulita, dopo), "");
  }
}

// The compiled files are one set: a failure on the last of them (a folder
// planted at the route file's name) leaves the line and table files of the
// earlier run too, not a new table beside an old route.
TEST_F(GuastiProgramma, AFailureOnTheLastCompiledFileLeavesTheWholeEarlierSet) {
  semina_uscite_precedenti();
  fs::remove(cartella.p / compilati.back());
  fs::create_directory(cartella.p / compilati.back());
  esito e = avvia();
  EXPECT_EQ(e.stato, 3) << e.errori;
  EXPECT_NE(e.errori.find(percorso(compilati.back())), std::string::npos) << e.errori;
  const istantanea dopo = fotografa(cartella.p);
  for (const std::string& n : {compilati[0], compilati[1]}) EXPECT_EQ(dopo.at(n).contenuto, vecchio(n)) << n;
  EXPECT_EQ(temporanei_in(cartella.p), std::vector<std::string>{});
}

// Kills at moments spread over a run, with the earlier run's files in
// place. Whatever the moment, each compiled file is whole, old or new; a
// caught signal (SIGTERM, SIGINT) neither splits the set nor leaves a
// temporary file, with unnamed or with named temporary files; after a
// SIGKILL the next run clears what was left.
struct caso_uccisione {
  int segnale;
  bool con_nome;  // named temporary files, as on a file system without O_TMPFILE
};

class UccisioniProgramma : public GuastiProgramma, public ::testing::WithParamInterface<caso_uccisione> {};

TEST_P(UccisioniProgramma, EveryCompiledFileIsWholeOldOrNewAndNoTemporaryFileStays) {
  const istantanea pulita = corsa_pulita();
  semina_uscite_precedenti();
  avvio a;
  a.programma = programma;
  if (GetParam().con_nome) a.ambiente = {"COMPATTATORE_TEMPORANEI_CON_NOME=1"};
  const bool catturato = GetParam().segnale != SIGKILL;
  for (int giro = 0; giro < giri_processi(16); ++giro) {
    SCOPED_TRACE(giro);
    figlio f = lancia(a);
    ::usleep(static_cast<useconds_t>(giro * 112000 / giri_processi(16)));
    ::kill(f.pid, GetParam().segnale);
    esito e = attendi(f);
    EXPECT_TRUE(e.stato == 0 || e.segnale == GetParam().segnale) << e.stato << " " << e.segnale << e.errori;
    const istantanea dopo = fotografa(cartella.p);
    int nuovi = 0;
    for (const std::string& n : compilati) {
      const std::string& c = dopo.at(n).contenuto;
      EXPECT_TRUE(c == vecchio(n) || c == pulita.at(n).contenuto) << n << " is neither old nor new";
      nuovi += c == pulita.at(n).contenuto;
    }
    if (catturato) {
      EXPECT_TRUE(nuovi == 0 || nuovi == 3) << "a split set: " << nuovi << " new files";
      EXPECT_EQ(temporanei_in(cartella.p), std::vector<std::string>{});
    }
    if (nuovi == 3)
      for (const std::string& n : compilati) scrivi(cartella.p / n, vecchio(n));
  }
  // The next run, holding the folder, removes whatever a kill left.
  ASSERT_EQ(esegui(a).stato, 0);
  EXPECT_EQ(temporanei_in(cartella.p), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Segnali, UccisioniProgramma,
                         ::testing::Values(caso_uccisione{SIGKILL, false}, caso_uccisione{SIGKILL, true},
                                           caso_uccisione{SIGTERM, false}, caso_uccisione{SIGTERM, true},
                                           caso_uccisione{SIGINT, true}),
                         [](const auto& info) {
                           std::string n = info.param.segnale == SIGKILL   ? "SIGKILL"
                                           : info.param.segnale == SIGTERM ? "SIGTERM"
                                                                           : "SIGINT";
                           return n + (info.param.con_nome ? "_con_nome" : "_senza_nome");
                         });

// Temporary files left by killed runs are removed by the next run; a file
// that only looks like one stays.
TEST_F(GuastiProgramma, LeftoversOfKilledRunsAreRemovedAndLookalikesStay) {
  const std::vector<std::string> avanzi = {".compattatore-0123456789ab.tmp", ".compattatore-ffffffffffff.tmp"};
  const std::vector<std::string> somiglianti = {".compattatore-0123456789ab.tmp~", "compattatore-0123456789ab.tmp",
                                                ".compattatore-0123456789AB.tmp", "Valmora_Tessa_R7736.dat.tmp123"};
  for (const std::string& n : avanzi) scrivi(cartella.p / n, std::string(1000, 'x'));
  for (const std::string& n : somiglianti) scrivi(cartella.p / n, "da non toccare");
  ASSERT_EQ(avvia().stato, 0);
  for (const std::string& n : avanzi) EXPECT_FALSE(fs::exists(cartella.p / n)) << n;
  for (const std::string& n : somiglianti) EXPECT_EQ(leggi(cartella.p / n), "da non toccare") << n;
}

// A replaced file keeps the rights of the file it replaces: mode, and as
// root also owner and group. A new file gets 0666 less the umask.
TEST_F(GuastiProgramma, AReplacedFileKeepsItsModeOwnerAndGroup) {
  semina_uscite_precedenti();
  const std::vector<std::pair<std::string, fs::perms>> modi = {
      {"Valmora_Tessa_linea.dat", fs::perms::owner_read | fs::perms::owner_write},
      {"Valmora_Tessa_R7736.sim", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read},
      {"Valmora_Tessa_R7736_note.txt", fs::perms::owner_read},
  };
  for (const auto& [n, m] : modi) fs::permissions(cartella.p / n, m);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown((cartella.p / "Valmora_Tessa_R7736.dat").c_str(), 65534, 65534), 0);
  }
  fs::remove(cartella.p / "Valmora_Tessa_R7736_scheda_treno.txt");

  ASSERT_EQ(avvia().stato, 0);
  for (const auto& [n, m] : modi) EXPECT_EQ(fs::status(cartella.p / n).permissions(), m) << n;
  struct stat st {};
  if (root) {
    ASSERT_EQ(::stat((cartella.p / "Valmora_Tessa_R7736.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
  }
  const mode_t maschera = ::umask(0);
  ::umask(maschera);
  ASSERT_EQ(::stat((cartella.p / "Valmora_Tessa_R7736_scheda_treno.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0666 & ~maschera);
}

// Address-space limits from "cannot even start" to "enough", as under
// `ulimit -v`: the program never dies of a signal once started, and a run
// that ran out of memory says so, exits 3, and leaves the earlier compiled
// set whole, no temporary file and no source behind.
TEST_F(GuastiProgramma, RunningOutOfMemoryIsExit3AndLeavesTheEarlierSetWhole) {
  if (con_asan()) GTEST_SKIP() << "AddressSanitizer's shadow memory cannot live under an address-space limit";
  const istantanea pulita = corsa_pulita();
  int esauriti = 0, riusciti = 0;
  for (rlim_t kib = 4096; kib <= 16384; kib += 512) {
    SCOPED_TRACE(std::to_string(kib) + " KiB");
    semina_uscite_precedenti();
    const istantanea prima = fotografa(cartella.p);
    avvio a;
    a.programma = programma;
    a.limite_memoria = kib * 1024;
    esito e = esegui(a);
    const istantanea dopo = fotografa(cartella.p);
    if (e.stato == 127 || e.segnale != 0) {
      // Too little to load the libraries or set up the runtime: the
      // program never started, and touched nothing.
      EXPECT_EQ(differenze(prima, dopo), "") << e.stato << " " << e.segnale << " " << e.errori;
      continue;
    }
    EXPECT_EQ(temporanei_in(cartella.p), std::vector<std::string>{});
    for (const char* s : {"Valmora_Tessa_linea.txt", "Valmora_Tessa_R7736-.txt"}) EXPECT_FALSE(dopo.count(s)) << s;
    if (e.stato == 3) {
      ++esauriti;
      EXPECT_EQ(e.errori, "compattatore: memoria esaurita\n");
      for (const std::string& n : compilati) EXPECT_EQ(dopo.at(n).contenuto, vecchio(n)) << n;
    } else {
      ++riusciti;
      EXPECT_EQ(e.stato, 0) << e.errori;
      for (const std::string& n : compilati) EXPECT_TRUE(dopo.at(n) == pulita.at(n)) << n;
    }
  }
  EXPECT_GT(esauriti, 0) << "no limit made memory run out mid-run";
  EXPECT_GT(riusciti, 0) << "no limit was enough";
}

// A standard output whose reader has gone (`compattatore | head -c0`) is a
// failed write like any other: exit 3 with a message, not death by SIGPIPE.
TEST_F(GuastiProgramma, AClosedStandardOutputIsExit3WithAMessage) {
  avvio a;
  a.programma = programma;
  a.uscita_chiusa = true;
  esito e = esegui(a);
  EXPECT_EQ(e.segnale, 0);
  EXPECT_EQ(e.stato, 3);
  EXPECT_EQ(e.errori, "compattatore: standard output: scrittura fallita\n");
}

}  // namespace
