// One benchmark per entry point and fluid kind, on R134a, R22 and water:
// BM_<routine>/<fluid>/<kind>. Each call takes the next of 64 prepared input
// pairs, so the inputs vary from call to call. The library finds its fluid
// files beside the program (bin/fluids).
//
// BM_SaturatedState/<fluid>/<liquid|vapour> is the state a cycle asks for
// most, the whole saturated liquid or vapour at T with its cv, cp and w, as
// the property layer obtains it: SATT for the phase's density, then THERM
// at that density.
//
// FLUIDCORE_BENCH_ITERATIONS=N runs every benchmark exactly N times (for
// counting instructions with callgrind, see instructions.py).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "fluidcore/entry_points.h"
#include "fluidcore/flash.h"
#include "fluidcore/fluid_file.h"

namespace {

using fluidcore::FlashState;

void setup(const std::string& fluid) {
  std::string files = "fluids\\" + fluid + ".fld";
  files.resize(10000, ' ');
  std::string mix = "fluids\\hmx.bnc", ref = "DEF", herr(255, ' ');
  mix.resize(255, ' ');
  int n = 1, ierr = 0;
  SETUPdll(&n, files.data(), mix.data(), ref.data(), &ierr, herr.data(), 10000, 255, 3, 255);
  if (ierr != 0) throw std::runtime_error(herr);
}

// 64 states of one kind, from (T, rho) or (T, q) over a band of temperatures;
// supercritical: above the critical pressure, from somewhat below the
// critical temperature to a third above it (a gas cooler's range) or the
// upper temperature limit.
enum class Kind { liquid, vapour, two_phase, supercritical };

std::vector<FlashState> states(const std::string& name, Kind kind) {
  // The fluid files beside this program.
  static fluidcore::FluidLibrary library(
      {std::filesystem::read_symlink("/proc/self/exe").parent_path()});
  const auto f = library.load("fluids/" + name + ".fld");
  std::vector<FlashState> out;
  const double Tc = f->Tcrit();
  for (int i = 0; i < 64; ++i) {
    const double x = i / 63.0;
    const double T = (0.65 + 0.25 * x) * Tc;  // evaporating to condensing
    const auto sat = fluidcore::flash_tq(*f, T, 0.5).state;
    fluidcore::FlashResult r;
    switch (kind) {
      case Kind::liquid: r = fluidcore::flash_tp(*f, T - 5, sat.p * 1.5); break;
      case Kind::vapour: r = fluidcore::flash_tp(*f, T + 20, sat.p * 0.8); break;
      case Kind::two_phase: r = fluidcore::flash_tq(*f, T, 0.05 + 0.9 * x); break;
      case Kind::supercritical:
        // Temperatures and pressures in different orders, to mix them.
        r = fluidcore::flash_tp(*f, std::min((0.97 + 0.36 * x) * Tc, f->limits.Tmax),
                                 (1.05 + 1.1 * ((i * 37) % 64) / 63.0) * f->pcrit());
        break;
    }
    if (!r.ok()) throw std::runtime_error(name + ": " + r.message);
    out.push_back(r.state);
  }
  return out;
}

struct Outputs {
  double T, P, D, Dl, Dv, Q, E, H, S, Cv, Cp, W, JT, x[20] = {}, xl[20], xv[20];
  int ierr, k = 1, phase;
  char herr[255];
};

using Call = std::function<void(const FlashState&, Outputs&)>;

void run(benchmark::State& bench, const std::string& fluid, Kind kind, const Call& call) {
  setup(fluid);
  const auto inputs = states(fluid, kind);
  Outputs o{};
  std::size_t i = 0;
  for (auto _ : bench) {
    call(inputs[i++ & 63], o);
    benchmark::DoNotOptimize(o);
  }
  if (o.ierr > 0) bench.SkipWithError(std::string(o.herr, 255).c_str());
}

// The entry points, each called the way the program calls it.
const std::vector<std::pair<std::string, Call>>& routines() {
  static const std::vector<std::pair<std::string, Call>> r = {
      {"THERM", [](const FlashState& s, Outputs& o) {
         double T = s.T, D = s.rho;
         THERMdll(&T, &D, o.x, &o.P, &o.E, &o.H, &o.S, &o.Cv, &o.Cp, &o.W, &o.JT);
         o.ierr = 0;
       }},
      {"SATT", [](const FlashState& s, Outputs& o) {
         double T = s.T;
         SATTdll(&T, o.x, &o.k, &o.P, &o.Dl, &o.Dv, o.xl, o.xv, &o.ierr, o.herr, 255);
       }},
      {"SATP", [](const FlashState& s, Outputs& o) {
         double P = s.p;
         SATPdll(&P, o.x, &o.k, &o.T, &o.Dl, &o.Dv, o.xl, o.xv, &o.ierr, o.herr, 255);
       }},
      {"TPFLSH", [](const FlashState& s, Outputs& o) {
         double T = s.T, P = s.p;
         TPFLSHdll(&T, &P, o.x, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.E, &o.H, &o.S, &o.Cv,
                   &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"TDFLSH", [](const FlashState& s, Outputs& o) {
         double T = s.T, D = s.rho;
         TDFLSHdll(&T, &D, o.x, &o.P, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.E, &o.H, &o.S, &o.Cv,
                   &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"TQFLSH", [](const FlashState& s, Outputs& o) {
         double T = s.T, Q = s.q;
         TQFLSHdll(&T, &Q, o.x, &o.k, &o.P, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.E, &o.H, &o.S,
                   &o.Cv, &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"PQFLSH", [](const FlashState& s, Outputs& o) {
         double P = s.p, Q = s.q;
         PQFLSHdll(&P, &Q, o.x, &o.k, &o.T, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.E, &o.H, &o.S,
                   &o.Cv, &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"PHFLSH", [](const FlashState& s, Outputs& o) {
         double P = s.p, H = s.h;
         PHFLSHdll(&P, &H, o.x, &o.T, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.E, &o.S, &o.Cv,
                   &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"PSFLSH", [](const FlashState& s, Outputs& o) {
         double P = s.p, S = s.s;
         PSFLSHdll(&P, &S, o.x, &o.T, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.E, &o.H, &o.Cv,
                   &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"PEFLSH", [](const FlashState& s, Outputs& o) {
         double P = s.p, E = s.e;
         PEFLSHdll(&P, &E, o.x, &o.T, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.H, &o.S, &o.Cv,
                   &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"THFLSH", [](const FlashState& s, Outputs& o) {
         double T = s.T, H = s.h;
         THFLSHdll(&T, &H, o.x, &o.k, &o.P, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.E, &o.S,
                   &o.Cv, &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"TSFLSH", [](const FlashState& s, Outputs& o) {
         double T = s.T, S = s.s;
         TSFLSHdll(&T, &S, o.x, &o.k, &o.P, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.E, &o.H,
                   &o.Cv, &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"TEFLSH", [](const FlashState& s, Outputs& o) {
         double T = s.T, E = s.e;
         TEFLSHdll(&T, &E, o.x, &o.k, &o.P, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.H, &o.S,
                   &o.Cv, &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"PDFLSH", [](const FlashState& s, Outputs& o) {
         double P = s.p, D = s.rho;
         PDFLSHdll(&P, &D, o.x, &o.T, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.E, &o.H, &o.S, &o.Cv,
                   &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"DHFLSH", [](const FlashState& s, Outputs& o) {
         double D = s.rho, H = s.h;
         DHFLSHdll(&D, &H, o.x, &o.T, &o.P, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.E, &o.S, &o.Cv,
                   &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"DSFLSH", [](const FlashState& s, Outputs& o) {
         double D = s.rho, S = s.s;
         DSFLSHdll(&D, &S, o.x, &o.T, &o.P, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.E, &o.H, &o.Cv,
                   &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"DEFLSH", [](const FlashState& s, Outputs& o) {
         double D = s.rho, E = s.e;
         DEFLSHdll(&D, &E, o.x, &o.T, &o.P, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.H, &o.S, &o.Cv,
                   &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
      {"HSFLSH", [](const FlashState& s, Outputs& o) {
         double H = s.h, S = s.s;
         HSFLSHdll(&H, &S, o.x, &o.T, &o.P, &o.D, &o.Dl, &o.Dv, o.xl, o.xv, &o.Q, &o.E, &o.Cv,
                   &o.Cp, &o.W, &o.ierr, o.herr, 255);
       }},
  };
  return r;
}

// The full saturated state of one phase (kph 1 liquid, 2 vapour).
Call saturated_state(int kph) {
  return [kph](const FlashState& s, Outputs& o) {
    double T = s.T;
    int k = kph;
    SATTdll(&T, o.x, &k, &o.P, &o.Dl, &o.Dv, o.xl, o.xv, &o.ierr, o.herr, 255);
    double D = kph == 1 ? o.Dl : o.Dv;
    THERMdll(&T, &D, o.x, &o.P, &o.E, &o.H, &o.S, &o.Cv, &o.Cp, &o.W, &o.JT);
  };
}

// SATD takes a saturated density; it is registered with the kinds it has.
void satd(const FlashState& s, Outputs& o) {
  double D = s.rhoL;
  SATDdll(&D, o.x, &o.k, &o.phase, &o.T, &o.P, &o.Dl, &o.Dv, o.xl, o.xv, &o.ierr, o.herr, 255);
}

// Runs every benchmark exactly FLUIDCORE_BENCH_ITERATIONS times where that is set.
void register_one(const std::string& name, const std::string& fluid, Kind kind, const Call& call) {
  auto* b = benchmark::RegisterBenchmark(
      name.c_str(), [=](benchmark::State& s) { run(s, fluid, kind, call); });
  if (const char* iterations = std::getenv("FLUIDCORE_BENCH_ITERATIONS"))
    b->Iterations(std::atoll(iterations));
}

void register_all() {
  const struct { Kind kind; const char* name; } kinds[] = {
      {Kind::liquid, "liquid"}, {Kind::vapour, "vapour"}, {Kind::two_phase, "twophase"}};
  for (const char* fluid : {"R134a", "R22", "Water"}) {
    for (const auto& [routine, call] : routines()) {
      const bool quality = routine == "TQFLSH" || routine == "PQFLSH";
      const bool saturation = routine == "SATT" || routine == "SATP" || quality;
      for (const auto& k : kinds) {
        if (saturation && k.kind != Kind::two_phase) continue;
        if (routine == "TPFLSH" && k.kind == Kind::two_phase) continue;  // no such state
        register_one("BM_" + routine + "/" + fluid + "/" + k.name, fluid, k.kind, call);
      }
    }
    register_one(std::string("BM_SATD/") + fluid + "/twophase", fluid, Kind::two_phase, satd);
    for (const int kph : {1, 2})
      register_one(std::string("BM_SaturatedState/") + fluid + (kph == 1 ? "/liquid" : "/vapour"),
                   fluid, Kind::two_phase, saturated_state(kph));
  }
  // The transcritical cycle's fluid above its critical pressure, and one other.
  for (const char* fluid : {"CarbonDioxide", "R134a"}) {
    for (const auto& [routine, call] : routines()) {
      if (routine == "TPFLSH" || routine == "PHFLSH" || routine == "PSFLSH")
        register_one("BM_" + routine + "/" + fluid + "/supercritical", fluid, Kind::supercritical,
                     call);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  register_all();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
