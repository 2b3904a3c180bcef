// One basic calculation and one comparison of eight refrigerants, with the
// fluid files already parsed (each benchmark makes one untimed run first).
#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"

namespace {

void BM_CalcBasicCycle(benchmark::State& state) {
  const cycle::BasicCycleInput input{"R22", 1, 50, 3.5, 4, 90, 100, 80};
  const auto first = cycle::CalcBasicCycle(input);
  if (const auto* message = std::get_if<std::string>(&first)) {
    state.SkipWithError(message->c_str());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(cycle::CalcBasicCycle(input));
}
BENCHMARK(BM_CalcBasicCycle);

void BM_RunComparisonOfEight(benchmark::State& state) {
  const cycle::ComparisonFields fields{
      "10", "50", "3.5", "4", "90", "100", "80", "8",
      {"R22", "R134a", "R152A", "n-Propane", "IsoButane", "Ammonia", "R1234yf", "R245fa"}};
  cycle::ComparisonResults results;
  if (const auto message = cycle::RunComparison(fields, results)) {
    state.SkipWithError(message->c_str());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(cycle::RunComparison(fields, results));
}
BENCHMARK(BM_RunComparisonOfEight);

}  // namespace

BENCHMARK_MAIN();
