#include "app/scrittura_a_pezzi.h"

#include "pipeline/catalogo.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "app/piattaforma.h"

namespace compattatore {

size_t scrivi_a_pezzi(int fd, const produttore_byte& produci, const std::string& percorso, size_t pezzo) {
  // 64 KiB stays in the processor's cache between one piece and the next,
  // and is large enough that a write call costs little per byte.
  std::unique_ptr<char[]> buffer(new char[pezzo]);
  size_t totale = 0;
  while (const size_t n = produci(buffer.get(), pezzo)) {
    const char* p = buffer.get();
    size_t resto = n;
    while (resto > 0) {
      const ssize_t scritti = ::write(fd, p, resto);
      if (scritti < 0 && errno == EINTR) continue;
      if (scritti <= 0)
        throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_scrittura, {std::strerror(scritti < 0 ? errno : EIO)}));
      p += scritti;
      resto -= static_cast<size_t>(scritti);
    }
    totale += n;
  }
  return totale;
}

}  // namespace compattatore
