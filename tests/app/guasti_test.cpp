// Faults of the file system under the one-shot program: a folder it cannot
// write, a write that stops half-way, links and folders planted at its file
// names. Whatever happens, the program says which file and why, exits 3, and
// loses nothing that was there before.
#include <gtest/gtest.h>

#include <cerrno>
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

}  // namespace
