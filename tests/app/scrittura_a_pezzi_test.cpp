#include "app/scrittura_a_pezzi.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/piattaforma.h"
#include "output/file_compilati.h"

namespace compattatore {
namespace {

// A plan of 3000 metres, computed to two metres from its end, with values
// whose bytes all differ.
planimetria piano_di_prova() {
  planimetria p;
  p.dimensionata = true;
  p.ultimo = 3000;
  p.origine = true;
  p.calcolati = 2999;
  for (int32_t m = 0; m <= p.ultimo; ++m) {
    p.x.push_back(m / 3.0);
    p.y.push_back(-m * 1.0000001);
  }
  return p;
}

TEST(ScritturaAPezzi, TheFileHoldsExactlyTheEncodedBytesWhateverThePieceSize) {
  const planimetria p = piano_di_prova();
  const std::string atteso = codifica_linea(p);
  char modello_nome[] = "/tmp/scrittura_a_pezzi_XXXXXX";
  const int fd = ::mkstemp(modello_nome);
  ASSERT_GE(fd, 0);
  const std::string percorso = modello_nome;
  for (size_t pezzo : {size_t{1}, size_t{7}, size_t{4093}, pezzo_scrittura}) {
    ASSERT_EQ(::ftruncate(fd, 0), 0);
    ASSERT_EQ(::lseek(fd, 0, SEEK_SET), 0);
    EXPECT_EQ(scrivi_a_pezzi(fd, produttore_linea(p), percorso, pezzo), atteso.size());
    EXPECT_EQ(leggi_file(percorso), atteso) << "pieces of " << pezzo;
  }
  ::close(fd);
  ::unlink(percorso.c_str());
}

TEST(ScritturaAPezzi, AFailedWriteNamesTheFileAndTheReason) {
  const int fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  try {
    scrivi_a_pezzi(fd, produttore_linea(piano_di_prova()), "cartella/Valmora_Tessa_linea.dat");
    ADD_FAILURE() << "no error";
  } catch (const errore_piattaforma& e) {
    EXPECT_EQ(e.file, "cartella/Valmora_Tessa_linea.dat");
    EXPECT_EQ(e.motivo, "scrittura fallita: No space left on device");
  }
  ::close(fd);
}

}  // namespace
}  // namespace compattatore
