// Benchmarks of the entry points on mixtures: BM_<routine>/<mixture>/<kind>.
// Each call takes the next of 64 prepared inputs over the band of a heat
// pump's temperatures, so the inputs vary from call to call. The mixtures
// are loaded by their names, the way the program loads a blend; before the
// timed calls, one CRITP call finds their critical point and one flash
// traces their bubble and dew lines (one-time costs per composition).
//
// BM_CRITP/<mixture>/new_composition: the critical point at a composition
// never seen before (the blend's own, moved by a few parts in 1e7 from call
// to call), as a blend's first CRITP computes it.
// BM_ReadMixingFile/hmx.bnc/first: reading and parsing the mixing file, as
// the first mixture of a process does (later ones find it parsed).
//
// FLUIDCORE_BENCH_ITERATIONS=N runs every benchmark exactly N times (for
// counting instructions with callgrind, see instructions.py).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "fluidcore/entry_points.h"
#include "fluidcore/mixture_files.h"
#include "fluidcore/mixture_flash.h"

namespace {

using fluidcore::FlashState;

void setup(const std::string& files, int n) {
  std::string list = files;
  list.resize(10000, ' ');
  std::string mix = "fluids\\hmx.bnc", ref = "DEF", herr(255, ' ');
  mix.resize(255, ' ');
  int ierr = 0;
  SETUPdll(&n, list.data(), mix.data(), ref.data(), &ierr, herr.data(), 10000, 255, 3, 255);
  if (ierr > 0) throw std::runtime_error(herr);
}

// The blend beside this program, for preparing inputs.
const fluidcore::FixedMixture& blend(const std::string& name) {
  static fluidcore::FluidLibrary fluids({std::filesystem::read_symlink("/proc/self/exe").parent_path()});
  static fluidcore::MixtureLibrary mixtures(fluids);
  static std::map<std::string, std::unique_ptr<fluidcore::FixedMixture>> cache;
  auto& slot = cache[name];
  if (!slot) {
    const auto b = mixtures.load_blend(name, "fluids/hmx.bnc");
    if (!b) throw std::runtime_error("no blend " + name);
    slot = std::make_unique<fluidcore::FixedMixture>(b->model, *b->composition, name);
  }
  return *slot;
}

enum class Kind { liquid, vapour, two_phase };

// 64 states of one kind between 65 % and 90 % of the critical temperature.
std::vector<FlashState> states(const std::string& name, Kind kind) {
  const auto& m = blend(name);
  std::vector<FlashState> out;
  const double Tc = m.critical().T;
  for (int i = 0; i < 64; ++i) {
    const double x = i / 63.0;
    const double T = (0.65 + 0.25 * x) * Tc;
    const auto sat = fluidcore::flash_tq(m, T, 0.5).state;
    fluidcore::MixtureFlashResult r;
    switch (kind) {
      case Kind::liquid: r = fluidcore::flash_tp(m, T - 5, sat.p * 1.5); break;
      case Kind::vapour: r = fluidcore::flash_tp(m, T + 20, sat.p * 0.8); break;
      case Kind::two_phase: r = fluidcore::flash_tq(m, T, 0.05 + 0.9 * x); break;
    }
    if (!r.ok()) throw std::runtime_error(name + ": " + r.message());
    out.push_back(r.state);
  }
  return out;
}

struct Outputs {
  double T, P, D, Dl, Dv, Q, E, H, S, Cv, Cp, W, x[20] = {}, xl[20], xv[20];
  int ierr, k = 1;
  char herr[255];
};

using Call = std::function<void(const FlashState&, Outputs&)>;

void critical_point(Outputs& o) {
  double Tc, Pc, Dc;
  CRITPdll(o.x, &Tc, &Pc, &Dc, &o.ierr, o.herr, 255);
}

// A split at T: the first flash traces the bubble and dew lines (TQFLSH is
// not among the routines counted here).
void trace_lines(double T, Outputs& o) {
  double q = 0.5;
  TQFLSHdll(&T, &q, o.x, &o.k, &o.P, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.E, &o.H, &o.S, &o.Cv,
            &o.Cp, &o.W, &o.ierr, o.herr, 255);
}

void run(benchmark::State& bench, const std::string& name, Kind kind, const Call& call) {
  setup("fluids\\" + name + ".fld", 1);
  const auto inputs = states(name, kind);
  Outputs o{};
  critical_point(o);
  trace_lines(inputs[0].T, o);
  std::size_t i = 0;
  for (auto _ : bench) {
    call(inputs[i++ & 63], o);
    benchmark::DoNotOptimize(o);
  }
  if (o.ierr > 0) bench.SkipWithError(std::string(o.herr, 255).c_str());
}

void satt(const FlashState& s, Outputs& o) {
  double T = s.T;
  SATTdll(&T, o.x, &o.k, &o.P, &o.Dl, &o.Dv, o.xl, o.xv, &o.ierr, o.herr, 255);
}

void tpflsh(const FlashState& s, Outputs& o) {
  double T = s.T, P = s.p;
  TPFLSHdll(&T, &P, o.x, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.E, &o.H, &o.S, &o.Cv, &o.Cp,
            &o.W, &o.ierr, o.herr, 255);
}

void phflsh(const FlashState& s, Outputs& o) {
  double P = s.p, H = s.h;
  PHFLSHdll(&P, &H, o.x, &o.T, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.E, &o.S, &o.Cv, &o.Cp,
            &o.W, &o.ierr, o.herr, 255);
}

// SETUP of files already parsed: "AIR" is set up again for every request.
void setup_again(benchmark::State& bench, const std::string& files, int n) {
  setup(files, n);
  for (auto _ : bench) setup(files, n);
}

// CRITP at a composition never seen before, of R32/R125 from half and half
// on.
void new_composition(benchmark::State& bench) {
  setup("fluids\\R32.fld|fluids\\R125.fld|", 2);
  Outputs o{};
  int i = 0;
  for (auto _ : bench) {
    o.x[0] = 0.5 + 1e-4 * (i++ % 1000);
    o.x[1] = 1 - o.x[0];
    critical_point(o);
  }
  if (o.ierr > 0) bench.SkipWithError(std::string(o.herr, 255).c_str());
}

// CRITP of a blend at compositions never seen before, each within a few
// parts in 1e7 of the blend's own: its components set up by their files.
void blend_composition(benchmark::State& bench, const std::string& name) {
  const auto& m = blend(name);
  std::string files;
  for (int i = 0; i < m.model().size(); ++i) files += "fluids\\" + m.model().fluid(i).name + ".fld|";
  setup(files, m.model().size());
  Outputs o{};
  int k = 0;
  for (auto _ : bench) {
    const double shift = 1 + 1e-9 * (k++ % 1000);
    for (int i = 0; i < m.model().size(); ++i) o.x[i] = m.z()[static_cast<std::size_t>(i)] * (i == 0 ? shift : 1);
    critical_point(o);
  }
  if (o.ierr > 0) bench.SkipWithError(std::string(o.herr, 255).c_str());
}

// The mixing file read and parsed, as by the first mixture of a process: a
// new library (the components' files already parsed) each time.
void read_mixing_file(benchmark::State& bench) {
  fluidcore::FluidLibrary fluids({std::filesystem::read_symlink("/proc/self/exe").parent_path()});
  const std::vector<std::string> files{"fluids/R32.fld", "fluids/R125.fld"};
  for (const auto& file : files) fluids.load(file);
  for (auto _ : bench) {
    fluidcore::MixtureLibrary mixtures(fluids);
    benchmark::DoNotOptimize(mixtures.load(files, "fluids/hmx.bnc"));
  }
}

void register_all() {
  const char* iterations = std::getenv("FLUIDCORE_BENCH_ITERATIONS");
  const auto add = [&](const std::string& name, std::function<void(benchmark::State&)> fn) {
    auto* b = benchmark::RegisterBenchmark(name.c_str(), fn);
    if (iterations) b->Iterations(std::atoll(iterations));
  };
  for (const std::string mixture : {"R410A", "R407C"}) {
    const auto k = [&](const char* routine, const char* kind) {
      return "BM_" + std::string(routine) + "/" + mixture + "/" + kind;
    };
    add(k("SATT", "bubble"), [=](benchmark::State& s) {
      run(s, mixture, Kind::two_phase, [](const FlashState& st, Outputs& o) {
        o.k = 1;
        satt(st, o);
      });
    });
    add(k("SATT", "dew"), [=](benchmark::State& s) {
      run(s, mixture, Kind::two_phase, [](const FlashState& st, Outputs& o) {
        o.k = 2;
        satt(st, o);
      });
    });
    const struct { Kind kind; const char* name; } kinds[] = {
        {Kind::liquid, "liquid"}, {Kind::vapour, "vapour"}, {Kind::two_phase, "twophase"}};
    for (const auto& kind : kinds) {
      add(k("TPFLSH", kind.name), [=](benchmark::State& s) { run(s, mixture, kind.kind, tpflsh); });
      add(k("PHFLSH", kind.name), [=](benchmark::State& s) { run(s, mixture, kind.kind, phflsh); });
    }
  }
  add("BM_SETUP/AIR/again", [](benchmark::State& s) {
    setup_again(s, "fluids\\nitrogen.fld|fluids\\argon.fld|fluids\\oxygen.fld|", 3);
  });
  add("BM_SETUP/R410A/again", [](benchmark::State& s) { setup_again(s, "fluids\\R410A.fld", 1); });
  add("BM_CRITP/R32-R125/new_composition", new_composition);
  for (const std::string name : {"R410A", "R407C", "R404A", "R454B"}) {
    add("BM_CRITP/" + name + "/new_composition",
        [=](benchmark::State& s) { blend_composition(s, name); });
  }
  add("BM_ReadMixingFile/hmx.bnc/first", read_mixing_file);
}

[[maybe_unused]] const bool registered = (register_all(), true);

}  // namespace

BENCHMARK_MAIN();
