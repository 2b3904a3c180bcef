// A dense grid over the whole range of fluids of every kind (water, carbon
// dioxide, ammonia, hydrocarbons, alcohols, siloxanes, HCFCs, HFCs, HFOs and
// HCFOs): 30 temperatures from the lower to the upper limit by 30 pressures
// from the saturation pressure at the lower limit to the upper limit, both
// ends included, each state from (T, p); and the saturation states at five
// qualities at those of the 30 temperatures below the critical one. Every
// state must come back from every input pair, also where it lies exactly on
// a limit.
//
// Then the limits themselves, for those fluids and for blends: states on
// every limit (the lower and upper temperature limits, the upper pressure
// limit, the saturated liquid and vapour at the lower limit), states a
// rounding error beyond the upper limits (admitted as on them), and every
// state the flashes return from those (the library's own states on a
// limit, their values within rounding of it) must come back from every
// input pair; states at the density cap (far above the pressure limit)
// from their density and T, h, s or e, and refused from their pressure.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "c_api.h"
#include "fluidcore/mixture_flash.h"
#include "fluidcore/flash.h"
#include "fluidcore/saturation.h"
#include "mixture_test_support.h"
#include "reference_data.h"
#include "roundtrip_support.h"

namespace fluidcore::test {
namespace {

const char* const kFluids[] = {
    "Water",    "CarbonDioxide", "Ammonia",    "n-Propane",  "IsoButane",  "n-Butane",
    "n-Pentane", "n-Heptane",    "n-Undecane", "Toluene",    "Ethanol",    "Methanol",
    "MM",        "D6",           "R22",        "R32",        "R125",       "R134a",
    "R143a",     "R152A",        "R245fa",     "R1234yf",    "R1234ze(E)", "R1243zf",
    "R1233zd(E)", "Propylene"};

constexpr int kPoints = 30;

struct GridState {
  FlashState state;
  std::string what;
};

// Both ends of the range exactly.
double on_grid(double lo, double hi, int i) {
  return i == kPoints - 1 ? hi : lo + (hi - lo) * i / (kPoints - 1);
}

// A number as it reads back exactly.
std::string exact(double v) {
  char buf[32];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

std::vector<GridState> grid(const PureFluid& f, std::vector<std::string>& unmade) {
  std::vector<GridState> out;
  const auto add = [&](const FlashResult& r, const std::string& what) {
    if (r.ok()) out.push_back({r.state, what});
    else unmade.push_back(f.name + " " + what + ": " + r.message);
  };
  const double ln_lo = std::log(f.psat_min), ln_hi = std::log(f.limits.pmax);
  for (int i = 0; i < kPoints; ++i) {
    const double T = on_grid(f.limits.Tmin, f.limits.Tmax, i);
    for (int j = 0; j < kPoints; ++j) {
      const double p = j == 0 ? f.psat_min : j == kPoints - 1 ? f.limits.pmax
                                                              : std::exp(on_grid(ln_lo, ln_hi, j));
      add(flash_tp(f, T, p), "T=" + exact(T) + " p=" + exact(p));
    }
    if (T >= f.Tcrit() || saturation_point(f, T).p > f.limits.pmax) continue;
    for (const double q : {0.0, 0.25, 0.5, 0.75, 1.0})
      add(flash_tq(f, T, q), "T=" + exact(T) + " q=" + exact(q));
  }
  return out;
}

TEST(DenseGrid, EveryStateComesBackFromEveryInputPair) {
  const std::vector<std::string> pairs = {"TP", "TD", "TH", "TS", "TE", "TQ", "PD", "PH",
                                          "PS", "PE", "PQ", "DH", "DS", "DE", "HS"};
  int solves = 0;
  std::vector<std::string> failures, unmade;
  for (const char* name : kFluids) {
    const auto f = fluid(name);
    for (const auto& g : grid(*f, unmade)) {
      const FlashState& st = g.state;
      for (const auto& pair : pairs) {
        if (pair.find('Q') != std::string::npos && st.phase != Phase::two_phase) continue;
        ++solves;
        const auto got = cpp_flash(*f, pair, given_value(st, pair[0]), given_value(st, pair[1]));
        if (solved_back(*f, pair, st, got)) continue;
        std::ostringstream m;
        m.precision(10);
        m << name << " " << pair << " from " << g.what << " (rho=" << st.rho << " q=" << st.q
          << "): ";
        if (got.ok()) m << "other state T=" << got.state.T << " rho=" << got.state.rho;
        else m << got.message;
        failures.push_back(m.str());
      }
    }
  }
  std::cout << solves << " solves, " << failures.size() << " failed\n";
  RecordProperty("solves", solves);
  RecordProperty("failures", static_cast<int>(failures.size()));
  std::string listed;
  for (std::size_t i = 0; i < failures.size() && i < 40; ++i) listed += "  " + failures[i] + "\n";
  EXPECT_EQ(failures.size(), 0u) << "first failures:\n" << listed;
  // Where the equation itself gives no physical state (negative heat
  // capacity at the highest pressures and lowest temperatures of methanol),
  // the grid has no state to solve back.
  for (const auto& u : unmade)
    EXPECT_NE(u.find("gives no physical state"), std::string::npos) << u;
}

// The limits of a fluid or blend, and the pressures and temperatures
// between them where limit states are taken.
struct Limits {
  double Tmin, Tmax, pmax, plow, Tc, pc, cap;
};

Limits limits_of(const PureFluid& f) {
  return {f.limits.Tmin, f.limits.Tmax, f.limits.pmax, f.psat_min, f.Tcrit(), f.pcrit(),
          2.0 * f.saturation.monotonic_end_value(SaturationCurve::Series::liquid_density)};
}

Limits limits_of(const FixedMixture& m) {
  const auto& l = m.limits();
  const auto& c = m.critical();
  return {l.Tmin, l.Tmax, l.pmax, 1e-4 * c.p, c.T, c.p, m.model().density_cap(m.z())};
}

const std::vector<std::string> kPairs = {"TP", "TD", "TH", "TS", "TE", "TQ", "PD", "PH",
                                         "PS", "PE", "PQ", "DH", "DS", "DE", "HS"};

// Round trips of the states on the limits of f (failures appended).
template <class Model>
int limit_round_trips(const Model& f, const std::string& name, std::vector<std::string>& failures) {
  const Limits l = limits_of(f);
  std::vector<GridState> states;
  // (Where the equation itself gives no physical state, at the highest
  // pressures and lowest temperatures of methanol, there is none to solve
  // back.)
  const auto add = [&](const auto& r, const std::string& what) {
    if (r.ok()) states.push_back({r.state, what});
    else if (r.message.find("gives no physical state") == std::string::npos)
      failures.push_back(name + " " + what + ": " + r.message);
  };
  const double beyond = 1 + 0.5 * kSlack;
  for (const double T : {l.Tmin, l.Tmax})
    for (const double p : {l.plow, std::sqrt(l.plow * l.pmax), l.pc, l.pmax, l.pmax * beyond})
      add(flash_tp(f, T, p), "T=" + exact(T) + " p=" + exact(p));
  for (const double T : {0.5 * (l.Tmin + l.Tc), l.Tc, l.Tmax * beyond})
    for (const double p : {l.pmax, l.pmax * beyond})
      add(flash_tp(f, T, p), "T=" + exact(T) + " p=" + exact(p));
  for (const double q : {0.0, 1.0}) add(flash_tq(f, l.Tmin, q), "T=" + exact(l.Tmin) + " q=" + exact(q));
  // The states the flashes return from those.
  const std::size_t on_limits = states.size();
  for (std::size_t i = 0; i < on_limits; ++i) {
    const GridState g = states[i];
    for (const auto& pair : kPairs) {
      if (pair.find('Q') != std::string::npos && g.state.phase != Phase::two_phase) continue;
      const auto got = cpp_flash(f, pair, given_value(g.state, pair[0]), given_value(g.state, pair[1]));
      if (got.ok()) states.push_back({got.state, g.what + " by " + pair});
    }
  }
  int solves = 0;
  const auto report = [&](const std::string& pair, const GridState& g, const auto& got) {
    std::ostringstream m;
    m.precision(17);
    m << name << " " << pair << " from " << g.what << " (T=" << g.state.T << " p=" << g.state.p
      << " rho=" << g.state.rho << "): ";
    if (got.ok()) m << "other state T=" << got.state.T << " rho=" << got.state.rho;
    else m << got.message;
    failures.push_back(m.str());
  };
  for (const auto& g : states) {
    for (const auto& pair : kPairs) {
      if (pair.find('Q') != std::string::npos && g.state.phase != Phase::two_phase) continue;
      ++solves;
      const auto got = cpp_flash(f, pair, given_value(g.state, pair[0]), given_value(g.state, pair[1]));
      if (!solved_back(f, pair, g.state, got)) report(pair, g, got);
    }
  }
  // At the density cap, where the equation gives a state there.
  for (const double T : {l.Tmin, l.Tc, l.Tmax}) {
    const auto td = flash_td(f, T, l.cap);
    if (!td.ok()) continue;
    const GridState g{td.state, "T=" + exact(T) + " at the density cap"};
    for (const auto& pair : kPairs) {
      if (pair.find('Q') != std::string::npos) continue;
      ++solves;
      const auto got = cpp_flash(f, pair, given_value(g.state, pair[0]), given_value(g.state, pair[1]));
      // From its density it comes back; from its pressure it is refused; at
      // its temperature another (lighter) state can share the value.
      const bool from_density = pair == "TD" || pair == "DH" || pair == "DS" || pair == "DE";
      const bool ok = from_density ? solved_back(f, pair, g.state, got)
                      : pair.find('P') != std::string::npos
                          ? !got.ok() && got.message.find("above the upper limit") != std::string::npos
                          : !got.ok() || solved_back(f, pair, g.state, got);
      if (!ok) report(pair, g, got);
    }
  }
  return solves;
}

TEST(DenseGrid, StatesOnTheLimitsComeBackFromEveryInputPair) {
  std::vector<std::string> failures;
  int solves = 0;
  for (const char* name : kFluids) solves += limit_round_trips(*fluid(name), name, failures);
  for (const char* name : {"R410A", "R407C", "R404A", "R507A", "R454B", "R513A", "R32/R1234yf"})
    solves += limit_round_trips(fixed(name), name, failures);
  std::cout << solves << " solves, " << failures.size() << " failed\n";
  std::string listed;
  for (std::size_t i = 0; i < failures.size() && i < 40; ++i) listed += "  " + failures[i] + "\n";
  EXPECT_EQ(failures.size(), 0u) << "first failures:\n" << listed;
}

}  // namespace
}  // namespace fluidcore::test
