// Time to build the shape table: sizes 2..7 (first activation) and then 8..9 (first puzzle
// with a clue of 8 or 9).
#include "solver/Tessere.h"

#include <benchmark/benchmark.h>

using namespace isolmar;

static void BM_Tessere2a7(benchmark::State& stato) {
    for (auto _ : stato) {
        stato.PauseTiming();
        auto m = NuovoModello();
        stato.ResumeTiming();
        GeneraTessere(*m, 7);
        benchmark::DoNotOptimize(m->NumTessere);
    }
}
BENCHMARK(BM_Tessere2a7)->Unit(benchmark::kMillisecond);

static void BM_Tessere8e9(benchmark::State& stato) {
    for (auto _ : stato) {
        stato.PauseTiming();
        auto m = NuovoModello();
        GeneraTessere(*m, 7);
        stato.ResumeTiming();
        GeneraTessereDim(*m, 8);
        GeneraTessereDim(*m, 9);
        benchmark::DoNotOptimize(m->NumTessere);
    }
}
BENCHMARK(BM_Tessere8e9)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
