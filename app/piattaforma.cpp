#include "app/piattaforma.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include "app/scrittura_a_pezzi.h"
#include "app/temporanei.h"
#include "pipeline/testo_sicuro.h"

#include "pipeline/catalogo.h"

namespace compattatore {
namespace {

std::string motivo_errno(int e) { return std::strerror(e); }

// What a file that is not a regular file is, for the message that refuses it.
id_messaggio genere_di(mode_t modo) {
  if (S_ISDIR(modo)) return id_messaggio::genere_cartella;
  if (S_ISFIFO(modo)) return id_messaggio::genere_fifo;
  if (S_ISCHR(modo)) return id_messaggio::genere_dispositivo_caratteri;
  if (S_ISBLK(modo)) return id_messaggio::genere_dispositivo_blocchi;
  if (S_ISSOCK(modo)) return id_messaggio::genere_socket;
  return id_messaggio::genere_speciale;
}

std::string troppo_grande() {
  return rendi(id_messaggio::piattaforma_troppo_grande, {std::to_string(limite_sorgente >> 20)});
}

// Closes a descriptor when it goes out of scope.
struct descrittore {
  int fd = -1;
  ~descrittore() {
    if (fd >= 0) ::close(fd);
  }
};

bool temporanei_con_nome() {
  const char* v = std::getenv("COMPATTATORE_TEMPORANEI_CON_NOME");
  return v && std::string_view(v) == "1";
}

void scrivi_tutto(int fd, std::string_view byte, const std::string& percorso) {
  const char* p = byte.data();
  size_t resto = byte.size();
  while (resto > 0) {
    ssize_t n = ::write(fd, p, resto);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_scrittura, {motivo_errno(n < 0 ? errno : EIO)}));
    p += n;
    resto -= static_cast<size_t>(n);
  }
}

// Holds SIGINT, SIGTERM and SIGHUP back for as long as it lives.
struct segnali_sospesi {
  sigset_t prima;
  segnali_sospesi() {
    sigset_t s;
    sigemptyset(&s);
    for (int n : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&s, n);
    ::sigprocmask(SIG_BLOCK, &s, &prima);
  }
  ~segnali_sospesi() { ::sigprocmask(SIG_SETMASK, &prima, nullptr); }
};

std::string percorso_proc(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

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

// One file of a set: its descriptor while open, its temporary name once it
// has one (at once for a named temporary file, at conferma() for an unnamed
// one), and the slot that lets a signal remove that name.
struct insieme_file::file {
  std::string nome;        // final name
  int fd = -1;
  std::string temporaneo;  // temporary name in the folder, "" while unnamed
  int posto = -1;          // slot of app/temporanei.h
};

insieme_file::insieme_file(std::string cartella) : cartella_(std::move(cartella)) {
  const std::string aperta = cartella_.empty() ? "." : cartella_;
  fd_cartella_ = ::open(aperta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_cartella_ < 0) throw errore_piattaforma(aperta, rendi(id_messaggio::piattaforma_apri_cartella, {motivo_errno(errno)}));
}

insieme_file::~insieme_file() {
  scarta();
  ::close(fd_cartella_);
}

void insieme_file::scarta() noexcept {
  for (file& f : file_) {
    if (f.fd >= 0) ::close(f.fd);
    if (!f.temporaneo.empty()) ::unlinkat(fd_cartella_, f.temporaneo.c_str(), 0);
    dimentica_temporaneo(f.posto);
  }
  file_.clear();
}

void insieme_file::verifica_nome(const std::string& nome) const {
  long massimo = ::fpathconf(fd_cartella_, _PC_NAME_MAX);
  if (massimo < 0) massimo = NAME_MAX;
  if (nome.size() > static_cast<size_t>(massimo))
    throw errore_piattaforma(unisci(cartella_, abbrevia(nome, 60)),
                             rendi(id_messaggio::piattaforma_nome_lungo,
                                   {std::to_string(nome.size()), std::to_string(massimo)}));
}

void insieme_file::aggiungi(const std::string& nome, std::string_view byte) {
  const std::string percorso = unisci(cartella_, nome);
  scrivi_tutto(apri_temporaneo(nome, percorso), byte, percorso);
}

void insieme_file::aggiungi_a_pezzi(const std::string& nome, const produttore_byte& produci) {
  const std::string percorso = unisci(cartella_, nome);
  scrivi_a_pezzi(apri_temporaneo(nome, percorso), produci, percorso);
}

int insieme_file::apri_temporaneo(const std::string& nome, const std::string& percorso) {
  file_.push_back(file{nome, -1, "", -1});
  file& f = file_.back();
  // The temporary file lies in the same folder, so the final rename stays
  // on one file system and replaces the final name in one step. Where the
  // file system has no unnamed files (EOPNOTSUPP; EISDIR or EINVAL from
  // older kernels), a named one is used.
  if (!temporanei_con_nome()) {
    f.fd = ::openat(fd_cartella_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (f.fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
      throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_crea_file, {motivo_errno(errno)}));
    // The file is named later through /proc; where that is missing it
    // could never be named, so a named temporary file is used instead.
    if (f.fd >= 0 && ::access(percorso_proc(f.fd).c_str(), F_OK) != 0) {
      ::close(f.fd);
      f.fd = -1;
    }
  }
  // A fresh name with O_EXCL never opens anything planted there.
  for (int tentativo = 0; f.fd < 0 && tentativo < 100; ++tentativo) {
    f.temporaneo = nome_temporaneo_nuovo();
    f.posto = ricorda_temporaneo(fd_cartella_, f.temporaneo);
    f.fd = ::openat(fd_cartella_, f.temporaneo.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (f.fd >= 0) break;
    int e = errno;
    dimentica_temporaneo(f.posto);
    f.posto = -1;
    f.temporaneo.clear();
    if (e != EEXIST) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_crea_file, {motivo_errno(e)}));
  }
  if (f.fd < 0) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_file_temporaneo));
  return f.fd;
}

void insieme_file::conferma() {
  // A folder at a final name stops the set before any rename.
  for (const file& f : file_) {
    struct stat st {};
    if (::fstatat(fd_cartella_, f.nome.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode))
      throw errore_piattaforma(unisci(cartella_, f.nome), rendi(id_messaggio::piattaforma_sostituisci, {motivo_errno(EISDIR)}));
  }
  for (file& f : file_) {
    const std::string percorso = unisci(cartella_, f.nome);
    // The rights of the file being replaced; a link there is not followed,
    // and its target's rights are not taken.
    struct stat vecchio {};
    if (::fstatat(fd_cartella_, f.nome.c_str(), &vecchio, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(vecchio.st_mode)) {
      // Owner first: a change of owner clears set-id bits that the mode then
      // puts back. Only a privileged process may give a file away; anyone
      // else keeps their own ownership (EPERM).
      if (::fchown(f.fd, vecchio.st_uid, vecchio.st_gid) != 0 && errno != EPERM)
        throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_proprietario, {motivo_errno(errno)}));
      if (::fchmod(f.fd, vecchio.st_mode & 07777) != 0)
        throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_permessi, {motivo_errno(errno)}));
    }
    if (f.temporaneo.empty()) {
      // An unnamed file gets a temporary name first: linkat cannot replace
      // an existing name, rename can.
      for (int tentativo = 0; f.temporaneo.empty() && tentativo < 100; ++tentativo) {
        std::string t = nome_temporaneo_nuovo();
        f.posto = ricorda_temporaneo(fd_cartella_, t);
        if (::linkat(AT_FDCWD, percorso_proc(f.fd).c_str(), fd_cartella_, t.c_str(), AT_SYMLINK_FOLLOW) == 0) {
          f.temporaneo = t;
          break;
        }
        int e = errno;
        dimentica_temporaneo(f.posto);
        f.posto = -1;
        if (e != EEXIST) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_crea_file, {motivo_errno(e)}));
      }
      if (f.temporaneo.empty()) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_file_temporaneo));
    }
    // Data is not fsync'ed: the renames protect against a failed write and
    // a killed process; surviving a power cut is left to the file system.
    int fd = f.fd;
    f.fd = -1;
    if (::close(fd) != 0) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_scrittura, {motivo_errno(errno)}));
  }
  // The renames take microseconds; SIGINT, SIGTERM and SIGHUP wait until
  // they are done, so those signals never split a set. (Only a kill that
  // cannot be caught can land between two renames.)
  segnali_sospesi sospesi;
  for (file& f : file_) {
    if (::renameat(fd_cartella_, f.temporaneo.c_str(), fd_cartella_, f.nome.c_str()) != 0)
      throw errore_piattaforma(unisci(cartella_, f.nome), rendi(id_messaggio::piattaforma_sostituisci, {motivo_errno(errno)}));
    f.temporaneo.clear();
    dimentica_temporaneo(f.posto);
    f.posto = -1;
  }
  file_.clear();
}

void scrivi_file_sicuro(const std::string& percorso, std::string_view byte) {
  const size_t barra = percorso.rfind('/');
  std::string cartella, nome = percorso;
  if (barra != std::string::npos) {
    cartella = barra == 0 ? "/" : percorso.substr(0, barra);
    nome = percorso.substr(barra + 1);
  }
  // A folder that cannot be opened is reported on the file that was to go
  // there: that is the name the caller knows.
  std::optional<insieme_file> aperto;
  try {
    aperto.emplace(cartella);
  } catch (const errore_piattaforma& x) {
    throw errore_piattaforma(percorso, x.motivo);
  }
  insieme_file& insieme = *aperto;
  insieme.verifica_nome(nome);
  insieme.aggiungi(nome, byte);
  insieme.conferma();
}

cartella_bloccata::cartella_bloccata(const std::string& cartella) {
  const std::string aperta = cartella.empty() ? "." : cartella;
  fd_ = ::open(aperta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) throw errore_piattaforma(aperta, rendi(id_messaggio::piattaforma_apri_cartella, {motivo_errno(errno)}));
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    int e = errno;
    ::close(fd_);
    throw errore_piattaforma(aperta, rendi(id_messaggio::piattaforma_blocca_cartella, {motivo_errno(e)}));
  }
  rimuovi_avanzi(fd_);
}

cartella_bloccata::~cartella_bloccata() { ::close(fd_); }

bool scrivi_flusso(std::FILE* f, std::string_view s) {
  if (!s.empty() && std::fwrite(s.data(), 1, s.size(), f) != s.size()) return false;
  return std::fflush(f) == 0;
}

std::string leggi_file(const std::string& percorso) {
  descrittore d{::open(percorso.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (d.fd < 0) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_apri, {motivo_errno(errno)}));
  struct stat st {};
  if (::fstat(d.fd, &st) != 0) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_lettura, {motivo_errno(errno)}));
  if (!S_ISREG(st.st_mode)) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_non_regolare, {rendi(genere_di(st.st_mode))}));
  if (static_cast<uint64_t>(st.st_size) > limite_sorgente) throw errore_piattaforma(percorso, troppo_grande());
  // One buffer the size of the file, read into in place: the text is held
  // in memory once. A file that grows while it is read is held to the limit.
  std::string testo(static_cast<size_t>(st.st_size), '\0');
  size_t letti = 0;
  char coda[4096];
  for (;;) {
    // Once the buffer is full, a small read tells the end from a file that
    // has grown, without doubling the buffer for nothing.
    const bool pieno = letti == testo.size();
    ssize_t n = pieno ? ::read(d.fd, coda, sizeof coda) : ::read(d.fd, testo.data() + letti, testo.size() - letti);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw errore_piattaforma(percorso, rendi(id_messaggio::piattaforma_lettura, {motivo_errno(errno)}));
    if (n == 0) break;
    if (pieno) {
      testo.append(coda, static_cast<size_t>(n));
      testo.resize(testo.capacity());
    }
    letti += static_cast<size_t>(n);
    if (letti > limite_sorgente) throw errore_piattaforma(percorso, troppo_grande());
  }
  testo.resize(letti);
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
