// The benchmarks' main: Google Benchmark's own, after choosing how memory
// behaves between iterations.
//
// A start of the program is always cold: a fresh process faults in every
// page it writes, and on this kind of machine a page fault costs about as
// much as computing the page. A benchmark loop, left to the allocator's
// defaults, is warm or cold depending on the block size (small routes reuse
// the heap, large blocks are mapped afresh), which would make the time per
// kilometre jump for reasons unrelated to the compiler. So each run is
// one or the other throughout:
//   default          warm: freed memory stays in the heap and is reused, so
//                    the figures are the compile work alone;
//   MEMORIA=fredda   cold: every large block is mapped afresh and faulted
//                    in, as in a start of the program.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdlib>
#include <string_view>

int main(int argc, char** argv) {
  const char* memoria = std::getenv("MEMORIA");
  if (memoria != nullptr && std::string_view(memoria) == "fredda") {
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  } else {
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
