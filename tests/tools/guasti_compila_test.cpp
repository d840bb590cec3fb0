// Faults of the file system under compila: an output folder it cannot
// write, a write that stops half-way, links and folders planted at the
// compiled files' names. Whatever happens, compila names the file and the
// reason, exits 3, loses nothing that was there before and never changes
// its sources.
#include <gtest/gtest.h>

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

  esito avvia(const fs::path& cartella_uscita, rlim_t limite = RLIM_INFINITY, bool senza_privilegi = false) {
    avvio a;
    a.programma = programma;
    a.argomenti = {"--out", cartella_uscita.string(), (sorgenti / "Borgo_linea.txt").string(),
                   (sorgenti / "Borgo_R1-.txt").string()};
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

}  // namespace
