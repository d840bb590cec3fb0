/* What a cold compile cannot go below: the time to fault in fresh memory
 * the size of the 990 km route's plan arrays (2 x 8 bytes x 996,993 points,
 * 15,578 kB), one store per page, in a process of its own. Each run is a
 * new process, so every page is really fresh; run it a few times.
 *
 * Usage: pagine_fresche [KB]   (default 15578) */
#define _POSIX_C_SOURCE 199309L
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

int main(int argc, char** argv) {
  const size_t kb = argc > 1 ? (size_t)strtoul(argv[1], NULL, 10) : 15578;
  const size_t n = kb * 1024;
  volatile char* p = malloc(n);
  if (!p) return 1;
  struct timespec a, b;
  clock_gettime(CLOCK_MONOTONIC, &a);
  for (size_t i = 0; i < n; i += 4096) p[i] = 1;
  clock_gettime(CLOCK_MONOTONIC, &b);
  const double ms = (double)(b.tv_sec - a.tv_sec) * 1e3 + (double)(b.tv_nsec - a.tv_nsec) / 1e6;
  printf("%zu kB fresh memory faulted in: %.2f ms (%.2f us a page)\n", kb, ms, ms * 1e3 / (double)(n / 4096));
  free((void*)p);
  return 0;
}
