#include <benchmark/benchmark.h>

#include "host/Surface.h"

static void BM_Placeholder(benchmark::State& state) {
  host::Surface s(64, 64);
  for (auto _ : state) s.Clear(0);
}
BENCHMARK(BM_Placeholder);
