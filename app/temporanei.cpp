#include "app/temporanei.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <random>

namespace compattatore {
namespace {

constexpr std::string_view testa = ".compattatore-";
constexpr std::string_view coda = ".tmp";
constexpr size_t cifre = 12;
static_assert(testa.size() + cifre + coda.size() == lunghezza_nome_temporaneo);

// A run holds at most one set of files at a time (three compiled files), so
// a few slots are plenty. The handler reads a slot only while `usato` is
// set, and the name and folder are written before it is set.
struct posto {
  std::atomic<bool> usato{false};
  int cartella_fd = -1;
  char nome[lunghezza_nome_temporaneo + 1] = {};
};
constexpr int posti = 16;
posto registro[posti];
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler reads the flags");

extern "C" void alla_fine_per_segnale(int segnale) {
  const int errno_salvato = errno;
  for (posto& p : registro)
    if (p.usato.load()) ::unlinkat(p.cartella_fd, p.nome, 0);
  errno = errno_salvato;
  // SA_RESETHAND put the default action back: the signal, raised again,
  // ends the process as the sender meant once this handler returns.
  ::raise(segnale);
}

}  // namespace

std::string nome_temporaneo_nuovo() {
  static std::mt19937_64 caso{std::random_device{}()};
  static const char esadecimali[] = "0123456789abcdef";
  std::string n(testa);
  uint64_t r = caso();
  for (size_t i = 0; i < cifre; ++i, r >>= 4) n += esadecimali[r & 0xF];
  n += coda;
  return n;
}

bool e_nome_temporaneo(std::string_view nome) {
  if (nome.size() != lunghezza_nome_temporaneo || nome.substr(0, testa.size()) != testa ||
      nome.substr(nome.size() - coda.size()) != coda)
    return false;
  for (char c : nome.substr(testa.size(), cifre))
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

int ricorda_temporaneo(int cartella_fd, std::string_view nome) {
  if (nome.size() > lunghezza_nome_temporaneo) return -1;
  for (int i = 0; i < posti; ++i) {
    posto& p = registro[i];
    if (p.usato.load()) continue;
    p.cartella_fd = cartella_fd;
    std::memcpy(p.nome, nome.data(), nome.size());
    p.nome[nome.size()] = '\0';
    p.usato.store(true);
    return i;
  }
  return -1;
}

void dimentica_temporaneo(int slot) {
  if (slot >= 0 && slot < posti) registro[slot].usato.store(false);
}

void installa_pulizia_segnali() {
  struct sigaction a {};
  a.sa_handler = alla_fine_per_segnale;
  sigemptyset(&a.sa_mask);
  a.sa_flags = SA_RESETHAND;
  for (int s : {SIGINT, SIGTERM, SIGHUP}) {
    // Blocking all three while one is handled keeps two handlers from
    // racing over the same slots.
    sigaddset(&a.sa_mask, s);
  }
  for (int s : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(s, &a, nullptr);
}

void rimuovi_avanzi(int cartella_fd) {
  int fd = ::openat(cartella_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  DIR* d = ::fdopendir(fd);
  if (!d) {
    ::close(fd);
    return;
  }
  while (const dirent* e = ::readdir(d))
    if (e_nome_temporaneo(e->d_name)) ::unlinkat(cartella_fd, e->d_name, 0);
  ::closedir(d);
}

}  // namespace compattatore
