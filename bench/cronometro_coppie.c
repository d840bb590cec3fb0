/* Times two commands in pairs: N rounds, each running both once, A first in
 * even rounds and B first in odd ones, so that whatever else the machine is
 * doing weighs on both alike and a drift in load cancels out of each pair's
 * ratio.
 *
 * Usage: cronometro_coppie N A [ARGS...] -- B [ARGS...]
 *
 * Prints one line per round, after a header:
 *   tempo_a_us cpu_a_us picco_a_kb tempo_b_us cpu_b_us picco_b_kb
 * where tempo is the wall time from the spawn to the end of the wait, cpu
 * the child's user + system time and picco its peak resident set size
 * (wait4's rusage). Standard output and error of the children go to
 * /dev/null. Exits 1 when a child fails or is killed. Plain C, so that the
 * timer itself adds no runtime start-up of its own to the figures. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

struct misura {
  long tempo_us, cpu_us, picco_kb;
};

static long microsecondi(struct timeval t) { return (long)t.tv_sec * 1000000L + (long)t.tv_usec; }

static struct misura esegui(char** argv, posix_spawn_file_actions_t* azioni) {
  struct timespec t0, t1;
  struct rusage r;
  int stato = 0;
  pid_t pid;
  clock_gettime(CLOCK_MONOTONIC, &t0);
  if (posix_spawn(&pid, argv[0], azioni, NULL, argv, environ) != 0) {
    perror(argv[0]);
    exit(1);
  }
  if (wait4(pid, &stato, 0, &r) != pid) {
    perror("wait4");
    exit(1);
  }
  clock_gettime(CLOCK_MONOTONIC, &t1);
  if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0) {
    fprintf(stderr, "cronometro_coppie: %s ended with status %d\n", argv[0], stato);
    exit(1);
  }
  struct misura m;
  m.tempo_us = (t1.tv_sec - t0.tv_sec) * 1000000L + (t1.tv_nsec - t0.tv_nsec) / 1000L;
  m.cpu_us = microsecondi(r.ru_utime) + microsecondi(r.ru_stime);
  m.picco_kb = r.ru_maxrss;
  return m;
}

int main(int argc, char** argv) {
  int separatore = 0;
  for (int i = 2; i < argc; ++i)
    if (strcmp(argv[i], "--") == 0) separatore = i;
  if (argc < 5 || separatore < 3 || separatore == argc - 1) {
    fprintf(stderr, "usage: cronometro_coppie N A [ARGS...] -- B [ARGS...]\n");
    return 2;
  }
  long giri = atol(argv[1]);
  argv[separatore] = NULL;
  char** a = argv + 2;
  char** b = argv + separatore + 1;

  posix_spawn_file_actions_t azioni;
  posix_spawn_file_actions_init(&azioni);
  posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);

  printf("tempo_a_us cpu_a_us picco_a_kb tempo_b_us cpu_b_us picco_b_kb\n");
  for (long g = 0; g < giri; ++g) {
    struct misura ma, mb;
    if (g % 2 == 0) {
      ma = esegui(a, &azioni);
      mb = esegui(b, &azioni);
    } else {
      mb = esegui(b, &azioni);
      ma = esegui(a, &azioni);
    }
    printf("%ld %ld %ld %ld %ld %ld\n", ma.tempo_us, ma.cpu_us, ma.picco_kb, mb.tempo_us, mb.cpu_us, mb.picco_kb);
  }
  return 0;
}
