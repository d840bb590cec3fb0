#include "app/piattaforma.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "pipeline/catalogo.h"

namespace compattatore {
namespace {

std::string motivo_errno(int e) { return std::strerror(e); }

// Closes a descriptor and removes a temporary file unless told to keep it.
struct temporaneo {
  int fd = -1;
  std::string nome;
  bool tenere = false;
  ~temporaneo() {
    if (fd >= 0) ::close(fd);
    if (!tenere && !nome.empty()) ::unlink(nome.c_str());
  }
};

}  // namespace

std::string cartella_programma() {
  std::error_code e;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", e);
  if (e) throw errore_piattaforma("/proc/self/exe", rendi(id_messaggio::piattaforma_cartella_programma, {e.message()}));
  return exe.parent_path().string();
}

std::string unisci(const std::string& cartella, const std::string& nome) {
  if (cartella.empty()) return nome;
  if (cartella.back() == '/') return cartella + nome;
  return cartella + "/" + nome;
}

void scrivi_file_sicuro(const std::string& percorso, std::string_view byte) {
  // The temporary file lies in the same folder, so the rename stays on one
  // file system and replaces the final name in one step. O_EXCL with a fresh
  // name never opens anything planted there. Data is not fsync'ed: the
  // rename protects against a failed write and a killed process; surviving
  // a power cut is left to the file system.
  temporaneo t;
  static std::mt19937_64 caso{std::random_device{}()};
  for (int tentativo = 0; tentativo < 100 && t.fd < 0; ++tentativo) {
    t.nome = percorso + ".tmp" + std::to_string(caso() % 1000000000);
    t.fd = ::open(t.nome.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (t.fd < 0 && errno != EEXIST) {
      int e = errno;
      t.nome.clear();
      throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_crea_file, {motivo_errno(e)}));
    }
  }
  if (t.fd < 0) {
    t.nome.clear();
    throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_file_temporaneo));
  }
  const char* p = byte.data();
  size_t resto = byte.size();
  while (resto > 0) {
    ssize_t n = ::write(t.fd, p, resto);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_scrittura, {motivo_errno(n < 0 ? errno : EIO)}));
    p += n;
    resto -= static_cast<size_t>(n);
  }
  int fd = t.fd;
  t.fd = -1;
  if (::close(fd) != 0) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_scrittura, {motivo_errno(errno)}));
  if (::rename(t.nome.c_str(), percorso.c_str()) != 0)
    throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_sostituisci, {motivo_errno(errno)}));
  t.tenere = true;
}

std::string leggi_file(const std::string& percorso) {
  int fd = ::open(percorso.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_apri, {motivo_errno(errno)}));
  temporaneo chiudi{fd, "", true};
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_lettura, {motivo_errno(errno)}));
  if (S_ISDIR(st.st_mode)) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_cartella_non_file));
  std::string testo;
  if (st.st_size > 0) testo.reserve(static_cast<size_t>(st.st_size));
  char blocco[65536];
  for (;;) {
    ssize_t n = ::read(fd, blocco, sizeof blocco);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_lettura, {motivo_errno(errno)}));
    if (n == 0) break;
    testo.append(blocco, static_cast<size_t>(n));
  }
  return testo;
}

bool esiste(const std::string& percorso) {
  struct stat st {};
  return ::lstat(percorso.c_str(), &st) == 0;
}

bool scrittura_tocca(const std::string& ingresso, const std::string& uscita) {
  struct stat u {};
  if (::lstat(uscita.c_str(), &u) != 0) return false;
  struct stat i {};
  // The input as read (through any link) and the input's own entry.
  if (::stat(ingresso.c_str(), &i) == 0 && i.st_dev == u.st_dev && i.st_ino == u.st_ino) return true;
  if (::lstat(ingresso.c_str(), &i) == 0 && i.st_dev == u.st_dev && i.st_ino == u.st_ino) return true;
  return false;
}

void elimina_se_esiste(const std::string& percorso) {
  if (::unlink(percorso.c_str()) != 0 && errno != ENOENT)
    throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_elimina, {motivo_errno(errno)}));
}

testo_sorgente fonte_cartella::leggi(const std::string& percorso) {
  if (!esiste(percorso)) return {};
  try {
    return {testo_sorgente::stato::letto, leggi_file(percorso)};
  } catch (const errore_piattaforma&) {
    return {testo_sorgente::stato::illeggibile, {}};
  }
}

}  // namespace compattatore
