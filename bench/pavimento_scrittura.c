/* The write floor: the least a start of the one-shot program could cost.
 *
 * A plain C program with no C++ runtime. It reads the files named on its
 * command line, then writes their bytes under the same names into its own
 * folder the safe way the programs write a run's outputs, and does nothing
 * else:
 *   1. an exclusive advisory lock (flock) on the folder, held to the end;
 *   2. every file written to an unnamed temporary file in the folder
 *      (O_TMPFILE), or, where the file system has none, to a short temporary
 *      name; a file it replaces lends it its permission bits;
 *   3. only when every file is complete, each one linked under a short
 *      temporary name and renamed over its final name, as a set.
 * The process benchmark (misura_processo.sh) feeds it the program's own
 * outputs. Exit status 3 when a file cannot be read or written; on failure
 * before step 3 no final name has changed. */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

struct uscita {
  const char* nome; /* final name, in the program's folder */
  char* byte;
  size_t n;
  int fd;           /* the open temporary file */
  int senza_nome;   /* 1: O_TMPFILE, still to be linked */
  char temporaneo[32];
};

static _Noreturn void fallisci(const char* file, const char* cosa) {
  fprintf(stderr, "pavimento_scrittura: %s: %s: %s\n", file, cosa, strerror(errno));
  exit(3);
}

static void leggi(const char* percorso, struct uscita* u) {
  int fd = open(percorso, O_RDONLY | O_CLOEXEC);
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0) fallisci(percorso, "impossibile aprire il file");
  u->n = (size_t)st.st_size;
  u->byte = malloc(u->n ? u->n : 1);
  if (u->byte == NULL) fallisci(percorso, "memoria esaurita");
  size_t letti = 0;
  while (letti < u->n) {
    ssize_t r = read(fd, u->byte + letti, u->n - letti);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) fallisci(percorso, "lettura fallita");
    letti += (size_t)r;
  }
  close(fd);
  const char* barra = strrchr(percorso, '/');
  u->nome = barra ? barra + 1 : percorso;
}

static void scrivi(int cartella, struct uscita* u, unsigned processo, unsigned numero) {
  u->fd = openat(cartella, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
  u->senza_nome = u->fd >= 0;
  snprintf(u->temporaneo, sizeof u->temporaneo, ".pav%05u.%u.tmp", processo % 100000u, numero);
  if (u->fd < 0) {
    u->fd = openat(cartella, u->temporaneo, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (u->fd < 0) fallisci(u->nome, "impossibile creare il file");
  }
  const char* p = u->byte;
  size_t resto = u->n;
  while (resto > 0) {
    ssize_t w = write(u->fd, p, resto);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) fallisci(u->nome, "scrittura fallita");
    p += w;
    resto -= (size_t)w;
  }
  struct stat vecchio;
  if (fstatat(cartella, u->nome, &vecchio, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(vecchio.st_mode))
    fchmod(u->fd, vecchio.st_mode & 07777);
}

static void metti_al_posto(int cartella, struct uscita* u) {
  if (u->senza_nome) {
    char proc[64];
    snprintf(proc, sizeof proc, "/proc/self/fd/%d", u->fd);
    if (linkat(AT_FDCWD, proc, cartella, u->temporaneo, AT_SYMLINK_FOLLOW) != 0)
      fallisci(u->nome, "impossibile collegare il file");
  }
  if (renameat(cartella, u->temporaneo, cartella, u->nome) != 0) fallisci(u->nome, "impossibile sostituire il file");
  if (close(u->fd) != 0) fallisci(u->nome, "scrittura fallita");
}

int main(int argc, char** argv) {
  char exe[4096];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) fallisci("/proc/self/exe", "impossibile trovare la cartella del programma");
  exe[n] = '\0';
  *strrchr(exe, '/') = '\0';

  /* Everything is read before anything is written, so the writes run as the
   * program's do: from bytes already in memory. */
  int quanti = argc - 1;
  struct uscita* u = calloc((size_t)(quanti > 0 ? quanti : 1), sizeof *u);
  if (u == NULL) fallisci("", "memoria esaurita");
  for (int i = 0; i < quanti; ++i) leggi(argv[i + 1], &u[i]);

  int cartella = open(exe[0] ? exe : "/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (cartella < 0 || flock(cartella, LOCK_EX) != 0) fallisci(exe, "impossibile bloccare la cartella");
  const unsigned processo = (unsigned)getpid();
  for (int i = 0; i < quanti; ++i) scrivi(cartella, &u[i], processo, (unsigned)i);
  for (int i = 0; i < quanti; ++i) metti_al_posto(cartella, &u[i]);
  return 0;
}
