// One basic calculation, one comparison of eight refrigerants, and every
// series of one cycle diagram, with the fluid files already parsed (each
// benchmark makes one untimed run first); and one fluid of the screening,
// BM_ScreenFluid/<fluid>/loaded: its critical temperature and the
// comparison's eight property requests, its file loaded (and a blend's lines
// traced) before; the first listing of the names the refrigerant boxes
// suggest, read from the files; the transcritical calculation; eight refrigerants in the
// economizer layout at the best intermediate pressure; a parameter study
// of 41 condensing temperatures for eight refrigerants in the internal heat
// exchanger layout, on one worker and on two.
//
// FLUIDCORE_BENCH_ITERATIONS=N runs the screening's benchmarks exactly N
// times (for counting instructions with bench/fluidcore/instructions.py).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/diagram.h"
#include "cycle/layouts.h"
#include "cycle/refrigerant_names.h"
#include "cycle/screening.h"
#include "cycle/study.h"
#include "cycle/transcritical.h"

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

// A whole diagram: both dome lines (120 states each), the cycle with its
// processes, and the isotherms or isobars. Arguments: 0 pure fluid (R134a),
// 1 blend (R407C); 0 pressure-enthalpy, 1 temperature-entropy.
void BM_CycleDiagram(benchmark::State& state) {
  const std::string fluid = state.range(0) == 0 ? "R134a" : "R407C";
  const auto kind = state.range(1) == 0 ? cycle::DiagramKind::PressureEnthalpy
                                        : cycle::DiagramKind::TemperatureEntropy;
  const cycle::ComparisonConditions conditions{10, 20, 3.5, 4, 60, 100, 80};
  const auto first = cycle::ComparisonDiagram(fluid, conditions, kind);
  if (const auto* message = std::get_if<std::string>(&first)) {
    state.SkipWithError(message->c_str());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(cycle::ComparisonDiagram(fluid, conditions, kind));
}
BENCHMARK(BM_CycleDiagram)->ArgNames({"blend", "ts"})->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// Every fluid and blend the refrigerant boxes suggest, with its names and
// critical temperature, as the forms list them when a box is first edited
// and hpcalc fluids prints them: BM_ListRefrigerants/files/first. Each
// iteration reads every file again (nothing is kept between lists).
void ListRefrigerants(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(cycle::ListRefrigerants());
}

// A whole transcritical calculation of carbon dioxide at the form's defaults:
// the search for the best high-side pressure, the states and the gas
// cooler's pinch, and the search for the lowest pressure above the best
// where the water reaches its outlet temperature. BM_Transcritical/<case>/loaded, counted by
// bench/fluidcore/instructions.py with FLUIDCORE_BENCH_ITERATIONS=N.
void Transcritical(benchmark::State& state, const cycle::TranscriticalInput& input) {
  const auto first = cycle::CalcTranscriticalCycle(input);
  if (const auto* message = std::get_if<std::string>(&first)) {
    state.SkipWithError(message->c_str());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(cycle::CalcTranscriticalCycle(input));
}

void ScreenOne(benchmark::State& state, const std::string& name) {
  const auto candidates = cycle::FindScreeningCandidates().fluids;
  const auto fluid = std::find_if(candidates.begin(), candidates.end(),
                                  [&](const cycle::ScreeningCandidate& c) { return c.name == name; });
  if (fluid == candidates.end()) throw std::runtime_error("no fluid " + name);
  const cycle::ComparisonConditions conditions{10, 50, 3.5, 4, 90, 100, 80};
  // Loaded, and a blend's lines traced, by a comparison of it.
  benchmark::DoNotOptimize(cycle::Cal(name, conditions));
  for (auto _ : state) benchmark::DoNotOptimize(cycle::ScreenFluid(*fluid, conditions));
}

void RegisterScreening() {
  const char* iterations = std::getenv("FLUIDCORE_BENCH_ITERATIONS");
  for (const std::string name : {"R134a", "R513A"}) {
    auto* b = benchmark::RegisterBenchmark(("BM_ScreenFluid/" + name + "/loaded").c_str(),
                                           [=](benchmark::State& s) { ScreenOne(s, name); });
    if (iterations) b->Iterations(std::atoll(iterations));
  }
}

void RegisterListing() {
  auto* b = benchmark::RegisterBenchmark("BM_ListRefrigerants/files/first", ListRefrigerants);
  b->Unit(benchmark::kMillisecond);
  if (const char* iterations = std::getenv("FLUIDCORE_BENCH_ITERATIONS")) {
    b->Iterations(std::atoll(iterations));
  }
}

void RegisterTranscritical() {
  const char* iterations = std::getenv("FLUIDCORE_BENCH_ITERATIONS");
  // The form's defaults, where the water's outlet temperature holds the
  // pressure above the best one; and a fixed pressure, for a water outlet
  // the best pressure can reach.
  const cycle::TranscriticalInput optimal;
  cycle::TranscriticalInput fixed;
  fixed.WaterOut = "55";
  fixed.HighPressure = "100";
  for (const auto& [name, input] : {std::pair{"optimal", optimal}, std::pair{"fixed", fixed}}) {
    auto* b = benchmark::RegisterBenchmark(
        ("BM_Transcritical/" + std::string(name) + "/loaded").c_str(),
        [input](benchmark::State& s) { Transcritical(s, input); });
    if (iterations) b->Iterations(std::atoll(iterations));
  }
}

// Eight refrigerants in the economizer with vapour injection at the
// intermediate pressure of the best COP (the search to 0.01 bar with every
// state), at the layout form's defaults: BM_Layouts/economizer_optimal_eight/loaded,
// counted by bench/fluidcore/instructions.py with FLUIDCORE_BENCH_ITERATIONS=N.
void EconomizerOfEight(benchmark::State& state) {
  const auto run = [] {
    std::vector<cycle::LayoutOutcome> outcomes;
    cycle::LayoutInput input;
    input.Intermediate = "optimal";
    for (const char* name : {"R134a", "R152A", "R1234ze(E)", "IsoButane", "n-Butane", "R245fa",
                             "R1233zd(E)", "R1336mzz(Z)"}) {
      input.Refrigerant = name;
      outcomes.push_back(cycle::CalcLayout(cycle::Layout::economizer, input));
    }
    return outcomes;
  };
  for (const auto& outcome : run()) {
    if (const auto* refusal = outcome.refusal()) {
      state.SkipWithError(refusal->message.c_str());
      return;
    }
  }
  for (auto _ : state) benchmark::DoNotOptimize(run());
}

void RegisterLayouts() {
  auto* b =
      benchmark::RegisterBenchmark("BM_Layouts/economizer_optimal_eight/loaded", EconomizerOfEight);
  b->Unit(benchmark::kMillisecond);
  if (const char* iterations = std::getenv("FLUIDCORE_BENCH_ITERATIONS")) {
    b->Iterations(std::atoll(iterations));
  }
}

// 41 condensing temperatures, 40 to 80 'C, for eight refrigerants (two of
// them blends) in the internal heat exchanger layout, evaporating at 10 'C:
// BM_Study/ihx_condensing_41x8/loaded on one worker, counted by
// bench/fluidcore/instructions.py with FLUIDCORE_BENCH_ITERATIONS=N; and
// .../two_workers, whose wall time against the first's shows what a second
// core gives.
void CondensingStudy(benchmark::State& state, int workers) {
  cycle::LayoutCalculation calculation{cycle::Layout::ihx, {}};
  calculation.input.Evaporating = "10";
  cycle::Study study{calculation,
                     {"R134a", "R1234ze(E)", "R290", "R600a", "R152A", "R245fa", "R407C", "R513A"},
                     "condensing",
                     {}};
  for (int t = 40; t <= 80; ++t) study.values.push_back(t);
  const cycle::ParallelControl control{.workers = workers, .stop_requested = {}, .done = {}};
  for (const cycle::StudyPoint& point : cycle::RunStudy(study, control)) {
    if (!point.computed()) {
      state.SkipWithError((point.refrigerant + ": " + point.reason()).c_str());
      return;
    }
  }
  for (auto _ : state) benchmark::DoNotOptimize(cycle::RunStudy(study, control));
}

void RegisterStudies() {
  for (const auto& [name, workers] : {std::pair{"loaded", 1}, std::pair{"two_workers", 2}}) {
    auto* b = benchmark::RegisterBenchmark(
        ("BM_Study/ihx_condensing_41x8/" + std::string(name)).c_str(),
        [workers](benchmark::State& s) { CondensingStudy(s, workers); });
    b->Unit(benchmark::kMillisecond);
    if (const char* iterations = std::getenv("FLUIDCORE_BENCH_ITERATIONS")) {
      b->Iterations(std::atoll(iterations));
    }
  }
}

[[maybe_unused]] const bool registered =
    (RegisterScreening(), RegisterListing(), RegisterTranscritical(), RegisterLayouts(),
     RegisterStudies(), true);

}  // namespace

BENCHMARK_MAIN();
