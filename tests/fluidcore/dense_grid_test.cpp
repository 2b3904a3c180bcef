// A dense grid over the whole range of fluids of every kind (water, carbon
// dioxide, ammonia, hydrocarbons, alcohols, siloxanes, HCFCs, HFCs, HFOs and
// HCFOs): 30 temperatures from the lower to the upper limit by 30 pressures
// from the saturation pressure at the lower limit to the upper limit, both
// ends included, each state from (T, p); and the saturation states at five
// qualities at those of the 30 temperatures below the critical one. Every
// state must come back from every input pair, also where it lies exactly on
// a limit.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "c_api.h"
#include "fluidcore/flash.h"
#include "fluidcore/saturation.h"
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

}  // namespace
}  // namespace fluidcore::test
