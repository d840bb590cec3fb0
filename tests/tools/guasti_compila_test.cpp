// Faults of the file system under compila: an output folder it cannot
// write, a write that stops half-way, links and folders planted at the
// compiled files' names, two compiled files with one name, runs into one
// folder at once, sources that are no regular files or too large, names too
// long, too little memory, a closed output. Whatever happens, compila names
// the file and the reason, exits 3, loses nothing that was there before and
// never changes its sources.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "tests/supporto/processo_figlio.h"

namespace {

using namespace guasti;

// A clean pair: a route of length 0 (its plan reaches 7000 m, a line file
// of 139964 bytes) and a train with one general value.
const std::string testo_linea = "[generale]\r\nlunghezza percorso,    0\r\n[fine]\r\n";
const std::string testo_treno = "[generale]\r\nnumero vetture,    6\r\n[fine]\r\n";
constexpr rlim_t byte_file_linea = 139964;

// The compiled files, in the order compila writes them.
const std::vector<std::string> ordine_scrittura = {"Borgo_linea.dat", "Borgo_R1.sim", "Borgo_R1.dat"};

std::string vecchio(const std::string& nome) { return "uscita di una compilazione precedente: " + nome; }

class GuastiCompila : public ::testing::Test {
 protected:
  cartella_temporanea base;  // the program, the sources, the output folder
  fs::path programma, sorgenti, uscite, altrove;
  istantanea sorgenti_prima;

  void SetUp() override {
    programma = copia_programma(fs::path(CARTELLA_BIN) / PROGRAMMA_COMPILA, base.p, "compila");
    sorgenti = base.p / "sorgenti";
    uscite = base.p / "uscite";
    altrove = base.p / "altrove";
    for (const fs::path& p : {sorgenti, uscite, altrove}) fs::create_directory(p);
    scrivi(sorgenti / "Borgo_linea.txt", testo_linea);
    scrivi(sorgenti / "Borgo_R1-.txt", testo_treno);
    sorgenti_prima = fotografa(sorgenti);
  }

  // The sources are never changed, whatever the outcome.
  void TearDown() override { EXPECT_EQ(differenze(sorgenti_prima, fotografa(sorgenti)), "") << "sources changed"; }

  void semina_uscite_precedenti() {
    for (const std::string& n : ordine_scrittura) scrivi(uscite / n, vecchio(n));
  }

  avvio comando(const fs::path& cartella_uscita, const std::vector<std::string>& opzioni = {}) const {
    avvio a;
    a.programma = programma;
    a.argomenti = opzioni;
    for (const std::string& x : {std::string("--out"), cartella_uscita.string(),
                                 (sorgenti / "Borgo_linea.txt").string(), (sorgenti / "Borgo_R1-.txt").string()})
      a.argomenti.push_back(x);
    return a;
  }

  esito avvia(const fs::path& cartella_uscita, rlim_t limite = RLIM_INFINITY, bool senza_privilegi = false) {
    avvio a = comando(cartella_uscita);
    a.limite_file = limite;
    a.senza_privilegi = senza_privilegi;
    esito e = esegui(a);
    EXPECT_NE(e.stato, stato_privilegi_non_ceduti) << "could not run compila as nobody";
    EXPECT_EQ(e.segnale, 0) << "killed by signal " << e.segnale << "; stderr: " << e.errori;
    return e;
  }

  std::string percorso(const std::string& nome) const { return (uscite / nome).string(); }
};

TEST_F(GuastiCompila, AnOutputFolderThatCannotBeWrittenLosesNothing) {
  semina_uscite_precedenti();
  const istantanea prima = fotografa(uscite);

  fs::permissions(uscite, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  esito e = avvia(uscite, RLIM_INFINITY, /*senza_privilegi=*/true);
  fs::permissions(uscite, fs::perms::owner_write, fs::perm_options::add);

  EXPECT_EQ(e.stato, 3) << e.errori;
  EXPECT_NE(e.errori.find(percorso(ordine_scrittura[0])), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(std::strerror(EACCES)), std::string::npos) << e.errori;
  EXPECT_EQ(e.uscita, "");
  EXPECT_EQ(differenze(prima, fotografa(uscite)), "");
}

TEST_F(GuastiCompila, AWriteCutShortByAFileSizeLimitLeavesTheEarlierFilesWhole) {
  // The limit stops the line file, the first one written, half-way.
  constexpr rlim_t limite = 50000;
  static_assert(limite < byte_file_linea);
  semina_uscite_precedenti();
  const istantanea prima = fotografa(uscite);

  esito e = avvia(uscite, limite);
  EXPECT_EQ(e.stato, 3) << e.errori;
  EXPECT_NE(e.errori.find(percorso(ordine_scrittura[0])), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(std::strerror(EFBIG)), std::string::npos) << e.errori;
  // No cut file under a final name, no temporary file, the later files
  // not touched.
  EXPECT_EQ(differenze(prima, fotografa(uscite)), "");
}

// The parameter: whether the links' targets exist. A missing target must not
// be created either: that would write outside the output folder.
class LinkAlleUsciteCompila : public GuastiCompila, public ::testing::WithParamInterface<bool> {};

TEST_P(LinkAlleUsciteCompila, EveryLinkIsReplacedAndItsTargetIsUntouched) {
  const fs::path riferimento = base.p / "riferimento";
  fs::create_directory(riferimento);
  ASSERT_EQ(avvia(riferimento).stato, 0);

  for (const std::string& n : ordine_scrittura) {
    fs::path bersaglio = altrove / ("bersaglio_" + n);
    if (GetParam()) scrivi(bersaglio, "da non toccare");
    fs::create_symlink(bersaglio, uscite / n);
  }
  const istantanea altrove_prima = fotografa(altrove);

  esito e = avvia(uscite);
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_EQ(differenze(altrove_prima, fotografa(altrove)), "") << "a link was followed";
  for (const std::string& n : ordine_scrittura) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(uscite / n))) << n;
    EXPECT_TRUE(leggi(uscite / n) == leggi(riferimento / n)) << n << " differs from a clean compile";
  }
}

INSTANTIATE_TEST_SUITE_P(Bersagli, LinkAlleUsciteCompila, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "esistente" : "mancante"); });

// A folder at one of the compiled files' names (the parameter: its index in
// the order of writing).
class CartellaAlPostoDiUnCompilato : public GuastiCompila, public ::testing::WithParamInterface<size_t> {};

TEST_P(CartellaAlPostoDiUnCompilato, StopsWithAClearErrorAndDisturbsNothingElse) {
  const std::string occupato = ordine_scrittura[GetParam()];
  semina_uscite_precedenti();
  fs::remove(uscite / occupato);
  fs::create_directory(uscite / occupato);
  scrivi(uscite / occupato / "dentro.txt", "da non toccare");

  esito e = avvia(uscite);
  EXPECT_EQ(e.stato, 3) << e.errori;
  EXPECT_NE(e.errori.find(percorso(occupato)), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(std::strerror(EISDIR)), std::string::npos) << e.errori;

  const istantanea dopo = fotografa(uscite);
  ASSERT_TRUE(dopo.count(occupato));
  EXPECT_EQ(dopo.at(occupato).tipo, 'd');
  EXPECT_EQ(leggi(uscite / occupato / "dentro.txt"), "da non toccare");
  for (size_t i = GetParam() + 1; i < ordine_scrittura.size(); ++i)
    EXPECT_EQ(dopo.at(ordine_scrittura[i]).contenuto, vecchio(ordine_scrittura[i])) << ordine_scrittura[i];
  EXPECT_EQ(dopo.size(), ordine_scrittura.size()) << "a temporary file was left: " << differenze({}, dopo);
}

INSTANTIATE_TEST_SUITE_P(OgniNome, CartellaAlPostoDiUnCompilato, ::testing::Range<size_t>(0, 3),
                         [](const auto& info) {
                           std::string n = ordine_scrittura[info.param];
                           for (char& c : n)
                             if (c == '.') c = '_';
                           return n;
                         });

// --- Names, inputs, runs that meet, memory, output ---------------------------

// With the train key "linea" the route file would be KEY_linea.dat, the line
// file's name: refused before anything is read or written, naming both
// roles and the file, also with --no-plan (whose line file is left alone).
TEST_F(GuastiCompila, TwoCompiledFilesWithOneNameAreRefused) {
  for (const std::vector<std::string>& opzioni :
       {std::vector<std::string>{"--train", "linea"}, {"--no-plan", "--train", "linea"},
        {"--check", "--train", "linea"}}) {
    SCOPED_TRACE(opzioni[0]);
    scrivi(uscite / "Borgo_linea.dat", "planimetria da non perdere");
    const istantanea prima = fotografa(uscite);
    esito e = esegui(comando(uscite, opzioni));
    EXPECT_EQ(e.stato, 3);
    EXPECT_EQ(e.errori, "compila: " + percorso("Borgo_linea.dat") +
                            ": il file del percorso e il file della linea avrebbero lo stesso nome; "
                            "nessun file scritto\n");
    EXPECT_EQ(differenze(prima, fotografa(uscite)), "");
  }
}

// Sources that are not regular files, or larger than 256 MiB: refused at
// once (a FIFO would block the open forever, /dev/zero eat all memory),
// naming the file and what it is.
TEST_F(GuastiCompila, ASourceThatIsNoRegularFileOrTooLargeIsRefused) {
  const fs::path fifo = base.p / "Borgo_linea.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const fs::path cartella = base.p / "cartella_linea.txt";
  fs::create_directory(cartella);
  const fs::path grande = base.p / "grande_linea.txt";
  scrivi(grande, "");
  fs::resize_file(grande, (uintmax_t{256} << 20) + 1);  // sparse: no disk used

  struct caso {
    fs::path sorgente;
    std::string motivo;
  } casi[] = {
      {fifo, "non e' un file regolare: e' una FIFO"},
      {cartella, "non e' un file regolare: e' una cartella"},
      {"/dev/zero", "non e' un file regolare: e' un dispositivo a caratteri"},
      {grande, "supera il limite di 256 MiB per una sorgente"},
  };
  semina_uscite_precedenti();
  const istantanea prima = fotografa(uscite);
  for (const caso& c : casi) {
    SCOPED_TRACE(c.sorgente.string());
    avvio a;
    a.programma = programma;
    a.argomenti = {"--out", uscite.string(), "--route", "Borgo", "--train", "R1", c.sorgente.string(),
                   (sorgenti / "Borgo_R1-.txt").string()};
    esito e = esegui(a);
    EXPECT_EQ(e.stato, 3);
    EXPECT_EQ(e.errori, "compila: " + c.sorgente.string() + ": " + c.motivo + "\n");
    EXPECT_EQ(differenze(prima, fotografa(uscite)), "");
  }
}

// A source is held in memory once: a 32 MiB source compiles within an
// address space of 1.5 times its size (plus the program's own 16 MiB), where
// a second copy of the text could not fit.
TEST_F(GuastiCompila, ALargeSourceIsHeldInMemoryOnce) {
  if (con_asan()) GTEST_SKIP() << "AddressSanitizer's shadow memory cannot live under an address-space limit";
  constexpr size_t dimensione = size_t{32} << 20;
  const std::string commento = "-- " + std::string(1019, 'c') + "\r\n";
  std::string testo = testo_linea;
  testo.reserve(dimensione);
  while (testo.size() + commento.size() <= dimensione) testo += commento;
  scrivi(sorgenti / "Borgo_linea.txt", testo);
  sorgenti_prima = fotografa(sorgenti);
  testo.clear();
  testo.shrink_to_fit();

  avvio a = comando(uscite);
  a.limite_memoria = dimensione + dimensione / 2 + (size_t{16} << 20);
  esito e = esegui(a);
  EXPECT_EQ(e.segnale, 0);
  EXPECT_EQ(e.stato, 0) << e.errori;
}

// Address-space limits from "cannot even start" to "enough" on a long
// route with its plan: compila never dies of a signal once started, and a
// run that ran out of memory says so, exits 3 and leaves the earlier set
// whole with no temporary file.
TEST_F(GuastiCompila, RunningOutOfMemoryIsExit3AndLeavesTheEarlierSetWhole) {
  if (con_asan()) GTEST_SKIP() << "AddressSanitizer's shadow memory cannot live under an address-space limit";
  scrivi(sorgenti / "Borgo_linea.txt", "[generale]\r\nlunghezza percorso,    993001\r\n[fine]\r\n");
  sorgenti_prima = fotografa(sorgenti);
  int esauriti = 0, riusciti = 0;
  for (rlim_t mib = 4; mib <= 52; mib += 4) {
    SCOPED_TRACE(std::to_string(mib) + " MiB");
    semina_uscite_precedenti();
    const istantanea prima = fotografa(uscite);
    avvio a = comando(uscite);
    a.limite_memoria = mib << 20;
    esito e = esegui(a);
    if (e.stato == 127 || e.segnale != 0) {
      // Too little to load the libraries or set up the runtime.
      EXPECT_EQ(differenze(prima, fotografa(uscite)), "") << e.stato << " " << e.segnale << " " << e.errori;
      continue;
    }
    EXPECT_EQ(temporanei_in(uscite), std::vector<std::string>{});
    if (e.stato == 3) {
      ++esauriti;
      EXPECT_EQ(e.errori, "compila: memoria esaurita\n");
      EXPECT_EQ(differenze(prima, fotografa(uscite)), "");
    } else {
      ++riusciti;
      EXPECT_EQ(e.stato, 0) << e.errori;
    }
  }
  EXPECT_GT(esauriti, 0) << "no limit made memory run out mid-run";
  EXPECT_GT(riusciti, 0) << "no limit was enough";
}

// Two compila runs into one folder at once, from two different pairs with
// the same keys: each round leaves one run's set whole, never a mix.
TEST_F(GuastiCompila, TwoRunsIntoOneFolderNeverLeaveAMixedSet) {
  const fs::path altre = base.p / "altre_sorgenti";
  fs::create_directory(altre);
  scrivi(altre / "Borgo_linea.txt", "[generale]\r\nlunghezza percorso,    500\r\n[fine]\r\n");
  scrivi(altre / "Borgo_R1-.txt", "[generale]\r\nnumero vetture,    3\r\n[fine]\r\n");
  avvio a = comando(uscite);
  avvio b = a;
  b.argomenti[2] = (altre / "Borgo_linea.txt").string();
  b.argomenti[3] = (altre / "Borgo_R1-.txt").string();
  istantanea insieme_a, insieme_b;
  ASSERT_EQ(esegui(b).stato, 0);
  insieme_b = fotografa(uscite);
  ASSERT_EQ(esegui(a).stato, 0);
  insieme_a = fotografa(uscite);
  ASSERT_NE(differenze(insieme_a, insieme_b), "");

  for (int giro = 0; giro < giri_processi(16); ++giro) {
    SCOPED_TRACE(giro);
    figlio primo = lancia(giro % 2 ? a : b);
    figlio secondo = lancia(giro % 2 ? b : a);
    EXPECT_EQ(attendi(primo).stato, 0);
    EXPECT_EQ(attendi(secondo).stato, 0);
    const istantanea dopo = fotografa(uscite);
    EXPECT_TRUE(dopo == insieme_a || dopo == insieme_b) << "a mixed set:" << differenze(insieme_a, dopo);
  }
}

// While another run holds the output folder, compila waits before it
// writes anything, then finishes.
TEST_F(GuastiCompila, WaitsWhileAnotherRunHoldsTheOutputFolder) {
  semina_uscite_precedenti();
  const istantanea prima = fotografa(uscite);
  int blocco = ::open(uscite.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(blocco, 0);
  ASSERT_EQ(::flock(blocco, LOCK_EX), 0);
  figlio f = lancia(comando(uscite));
  ::usleep(300000);  // ample time to write three small files, were it not waiting
  int stato = 0;
  EXPECT_EQ(::waitpid(f.pid, &stato, WNOHANG), 0) << "compila did not wait for the lock";
  EXPECT_EQ(differenze(prima, fotografa(uscite)), "");
  ::close(blocco);
  esito e = attendi(f);
  EXPECT_EQ(e.stato, 0) << e.errori;
  for (const std::string& n : ordine_scrittura) EXPECT_NE(leggi(uscite / n), vecchio(n)) << n;
}

// Final names up to the file system's limit work whatever their length
// (a temporary name is 30 bytes, not the final name plus a suffix); one
// beyond it is refused before anything is written, without echoing the key.
TEST_F(GuastiCompila, LongNamesUpToTheLimitWorkAndLongerOnesAreRefused) {
  const long massimo = ::pathconf(uscite.c_str(), _PC_NAME_MAX);
  ASSERT_GT(massimo, 20);
  const std::string al_limite(static_cast<size_t>(massimo) - std::string("_linea.dat").size(), 'K');
  esito e = esegui(comando(uscite, {"--route", al_limite, "--train", "T"}));
  EXPECT_EQ(e.stato, 0) << e.errori;
  EXPECT_TRUE(fs::is_regular_file(uscite / (al_limite + "_linea.dat")));
  EXPECT_TRUE(fs::is_regular_file(uscite / (al_limite + "_T.sim")));
  EXPECT_TRUE(fs::is_regular_file(uscite / (al_limite + "_T.dat")));

  const istantanea prima = fotografa(uscite);
  const std::string oltre(60000, 'K');
  e = esegui(comando(uscite, {"--route", oltre, "--train", "T"}));
  EXPECT_EQ(e.stato, 3);
  EXPECT_NE(e.errori.find("nome troppo lungo: 60010 byte, il massimo e' " + std::to_string(massimo)), std::string::npos)
      << e.errori.substr(0, 300);
  EXPECT_LT(e.errori.size(), 400u) << "the key is echoed";
  EXPECT_EQ(differenze(prima, fotografa(uscite)), "");
}

// A source name holding a line end cannot forge a diagnostic line: the
// report stays one line, the name escaped.
TEST_F(GuastiCompila, ASourceNameWithALineEndCannotForgeADiagnosticLine) {
  const std::string nome = "a\nb.txt:9: errore 0: tutto bene";
  scrivi(sorgenti / nome, "[generale]\r\nlunghezza percorso,    2000000\r\n");
  sorgenti_prima = fotografa(sorgenti);
  avvio a;
  a.programma = programma;
  a.argomenti = {"--out", uscite.string(), "--route", "Borgo", "--train", "R1", (sorgenti / nome).string(),
                 (sorgenti / "Borgo_R1-.txt").string()};
  esito e = esegui(a);
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.errori, (sorgenti / "a\\nb.txt:9: errore 0: tutto bene").string() +
                          ":2:24: errore 1: lunghezza del percorso 2000000 fuori da -7000 a 1000000 m\n"
                          "compila: nessun file scritto: la compilazione ha memorizzato un errore "
                          "(--write-on-error li scrive comunque)\n");
}

// A key with a control character is refused, and the line saying so shows
// it escaped, once.
TEST_F(GuastiCompila, AKeyWithAControlCharacterIsRefusedOnOneLine) {
  const istantanea prima = fotografa(uscite);
  esito e = esegui(comando(uscite, {"--route", "Bor\ngo"}));
  EXPECT_EQ(e.stato, 3);
  EXPECT_EQ(e.errori,
            "compila: la chiave del percorso contiene un carattere di controllo: Bor\\ngo\n"
            "uso: compila [OPZIONI] SORGENTE_LINEA SORGENTE_TRENO (compila --help per le opzioni)\n");
  EXPECT_EQ(differenze(prima, fotografa(uscite)), "");
}

// compila --json into a closed reader, after its files are written: exit 3
// with a message, not death by SIGPIPE.
TEST_F(GuastiCompila, AClosedStandardOutputIsExit3WithAMessage) {
  avvio a = comando(uscite, {"--json", "--quiet"});
  a.uscita_chiusa = true;
  esito e = esegui(a);
  EXPECT_EQ(e.segnale, 0);
  EXPECT_EQ(e.stato, 3);
  EXPECT_EQ(e.errori, "compila: standard output: scrittura fallita\n");
}

}  // namespace
