// The one-shot program as a whole process: where it writes, what it prints,
// how it replaces what an earlier run left, and the error exit.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/finestra.h"
#include "tests/supporto/file.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> file_uscita = {
    "Valmora_Tessa_R7736_note.txt", "Valmora_Tessa_R7736_rallentamenti.txt",
    "Valmora_Tessa_R7736_scheda_treno.txt", "Valmora_Tessa_linea.dat",
    "Valmora_Tessa_R7736.sim", "Valmora_Tessa_R7736.dat",
};
const std::vector<std::string> file_sorgente = {"Valmora_Tessa_linea.txt", "Valmora_Tessa_R7736-.txt"};

using supporto::cartella_temporanea;
using supporto::leggi;
using supporto::scrivi;

// A copy of the program alone in its own folder, and a different folder to
// start it from.
class Programma : public ::testing::Test {
 protected:
  cartella_temporanea cartella;  // where the program lies
  cartella_temporanea lavoro;    // the working directory it is started from
  cartella_temporanea altrove;   // captured output, link targets
  std::string uscita, errori;

  void SetUp() override { fs::copy_file(PROGRAMMA_COMPATTATORE, cartella.p / "compattatore"); }

  // Starts the program from `lavoro` and returns its exit status.
  int esegui() {
    std::string comando = "cd '" + lavoro.p.string() + "' && '" + (cartella.p / "compattatore").string() +
                          "' >'" + (altrove.p / "stdout").string() + "' 2>'" +
                          (altrove.p / "stderr").string() + "'";
    int stato = std::system(comando.c_str());
    uscita = leggi(altrove.p / "stdout");
    errori = leggi(altrove.p / "stderr");
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
  }

  std::map<std::string, std::string> uscite() {
    std::map<std::string, std::string> out;
    for (const std::string& n : file_uscita) out[n] = leggi(cartella.p / n);
    return out;
  }

  // Compares file by file; the contents are too large to print.
  void controlla_uguali(const std::map<std::string, std::string>& attese) {
    std::map<std::string, std::string> ora = uscite();
    for (const std::string& n : file_uscita) {
      EXPECT_EQ(ora[n].size(), attese.at(n).size()) << n;
      EXPECT_TRUE(ora[n] == attese.at(n)) << n << " differs";
    }
  }
};

TEST_F(Programma, WritesIntoItsOwnFolderWhateverTheWorkingDirectory) {
  EXPECT_EQ(esegui(), 0) << errori;
  EXPECT_EQ(uscita, "Attendere\n");
  EXPECT_EQ(errori, "");

  for (const std::string& n : file_uscita) EXPECT_TRUE(fs::is_regular_file(cartella.p / n)) << n;
  for (const std::string& n : file_sorgente) EXPECT_FALSE(fs::exists(cartella.p / n)) << n << " left behind";
  // Nothing else: no source text, no temporary file, nothing in the
  // working directory.
  EXPECT_EQ(std::distance(fs::directory_iterator(cartella.p), fs::directory_iterator()),
            static_cast<std::ptrdiff_t>(file_uscita.size() + 1));
  EXPECT_TRUE(fs::is_empty(lavoro.p));
}

TEST_F(Programma, ReplacesLongerEarlierFilesWholeAndRunsTheSameTwice) {
  ASSERT_EQ(esegui(), 0) << errori;
  const std::map<std::string, std::string> prima = uscite();

  // An earlier run of something else left longer files under every name.
  for (const std::string& n : file_uscita) scrivi(cartella.p / n, std::string(prima.at(n).size() + 4096, 'x'));
  ASSERT_EQ(esegui(), 0) << errori;
  controlla_uguali(prima);
}

TEST_F(Programma, ASymbolicLinkAtAnOutputNameIsReplacedNotFollowed) {
  ASSERT_EQ(esegui(), 0) << errori;
  const std::map<std::string, std::string> attese = uscite();

  for (const std::string& n : file_uscita) {
    fs::remove(cartella.p / n);
    scrivi(altrove.p / ("bersaglio_" + n), "da non toccare");
    fs::create_symlink(altrove.p / ("bersaglio_" + n), cartella.p / n);
  }
  ASSERT_EQ(esegui(), 0) << errori;

  for (const std::string& n : file_uscita) {
    EXPECT_EQ(leggi(altrove.p / ("bersaglio_" + n)), "da non toccare") << n << ": link followed";
    EXPECT_FALSE(fs::is_symlink(cartella.p / n)) << n;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(cartella.p / n))) << n;
  }
  controlla_uguali(attese);
}

TEST(Errore, TheMessageIsExactlyFifteenCharactersFor1250) {
  EXPECT_EQ(messaggio_errore("1250"), " Errore n. 1250");
  EXPECT_EQ(messaggio_errore("1250").size(), 15u);
  EXPECT_EQ(messaggio_errore("1251"), " Errore n. 1251");
}

TEST(Errore, PrintsOneLineOnStandardErrorAndExitsWithStatus2) {
  // The regular expression must match the whole of standard error: the
  // message, one line end, nothing else.
  EXPECT_EXIT(errore("1250"), ::testing::ExitedWithCode(2), "^ Errore n\\. 1250\n$");
  EXPECT_EXIT(errore("1251"), ::testing::ExitedWithCode(2), "^ Errore n\\. 1251\n$");
}

}  // namespace
}  // namespace compattatore
