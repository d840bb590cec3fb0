// Where the reader gets its two source texts from, and how it gives them
// back. The compile core never touches a file: the one-shot program hands
// it files of its folder (deleted once read), the tools and the tests hand
// it texts in memory (never deleted).
#pragma once

#include <string>

namespace compattatore {

struct testo_sorgente {
  enum class stato { letto, assente, illeggibile };
  stato s = stato::assente;
  std::string testo;  // the whole text when s is letto
};

struct fonte_sorgenti {
  virtual ~fonte_sorgenti() = default;
  virtual testo_sorgente linea() = 0;
  virtual testo_sorgente treno() = 0;
  // Delete the source where it still exists; nothing when it does not.
  // May throw when the source exists and cannot be deleted (a failure of the
  // platform): the reading stops there and the exception reaches the caller
  // of memorizza_dati, with the model as far as it got.
  virtual void elimina_linea() = 0;
  virtual void elimina_treno() = 0;
};

}  // namespace compattatore
