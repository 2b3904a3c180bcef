// Round trips of mixtures: states computed from (T, rho) must come back from
// every other pair of their properties, for R410A, R407C, R404A, R507A, air,
// R454B, R513A and R32/R1234yf 50/50. Where the given values admit two
// states (TH, TS, TE in compressed liquid), a state that reproduces the
// given values counts as right.
//
// States: liquid, vapour, supercritical, two-phase at several qualities,
// next to the bubble and dew points, within 1 K of the critical point, near
// the lower limit. The success rate is reported per flash in the heat-pump
// range (lower limit + 1 K to 1.5 Tc, pressures to the upper limit) and over
// the whole range. FLUIDCORE_ROUNDTRIP_DENSE=1 runs a denser sweep.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "c_api.h"
#include "fluidcore/mixture_flash.h"
#include "fluidcore/mixture_state.h"
#include "mixture_test_support.h"
#include "roundtrip_support.h"

namespace fluidcore::test {
namespace {

const char* const kMixtures[] = {"R410A", "R407C", "R404A", "R507A",
                                 "air",   "R454B", "R513A", "R32/R1234yf"};
const char* const kPairs[] = {"TP", "TH", "TS", "TE", "TQ", "PD", "PH",
                              "PS", "PE", "PQ", "DH", "DS", "DE", "HS"};

struct Sample {
  FlashState state;
  bool heat_pump_range;
  std::string what;
};

std::vector<Sample> samples(const FixedMixture& m, bool dense) {
  const auto& l = m.limits();
  const double Tc = m.critical().T, pc = m.critical().p;
  std::vector<double> Ts = {l.Tmin + 1e-3, l.Tmin + 1.0};
  const int n = dense ? 24 : 5;
  for (int i = 1; i <= n; ++i) Ts.push_back(l.Tmin + (Tc - l.Tmin) * i / (n + 1));
  for (double d : {-1.0, -0.1, 0.1, 1.0}) Ts.push_back(Tc + d);
  for (double r : {1.2, 1.5, 2.5}) Ts.push_back(r * Tc);
  Ts.push_back(l.Tmax);
  std::vector<Sample> out;
  const auto add = [&](double T, double rho, const std::string& what) {
    if (!(T >= l.Tmin && T <= l.Tmax && rho > 0)) return;
    const auto r = flash_td(m, T, rho);
    if (!r.ok() || !(r.state.p > 0) || r.state.p > l.pmax) return;
    out.push_back({r.state, T >= l.Tmin + 1 && T <= 1.5 * Tc, what});
  };
  for (const double T : Ts) {
    std::vector<double> pressures;
    const auto b = saturation_at_temperature(m, T, 1), d = saturation_at_temperature(m, T, 2);
    if (b.ok() && d.ok()) {
      add(T, b.point.rhoL * (1 + 1e-7), "liquid next to the bubble point");
      add(T, d.point.rhoV * (1 - 1e-7), "vapour next to the dew point");
      add(T, d.point.rhoV * 0.5, "vapour");
      add(T, d.point.rhoV * 0.01, "dilute vapour");
      for (const double q : dense ? std::vector<double>{0, 0.01, 0.1, 0.3, 0.5, 0.7, 0.9, 0.99, 1}
                                  : std::vector<double>{0, 0.1, 0.5, 0.9, 1}) {
        const auto s = flash_tq(m, T, q);
        if (s.ok()) add(T, s.state.rho, "two-phase");
      }
      for (const double f : {2.0, 10.0}) pressures.push_back(std::max(f * b.point.p, b.point.p + 100));
    } else {
      for (const double f : {0.01, 0.3, 1.0, 3.0}) pressures.push_back(f * pc);
    }
    pressures.push_back(l.pmax);
    for (const double p : pressures) {
      if (p > l.pmax) continue;
      const auto tp = flash_tp(m, T, p);
      if (tp.ok()) add(T, tp.state.rho, T < Tc ? "liquid" : "supercritical");
    }
  }
  return out;
}

struct Tally {
  int tried = 0, right = 0;
  std::vector<std::string> failures;
};

std::string listed(const std::vector<std::string>& lines) {
  std::string all;
  for (const auto& s : lines) all += "  " + s + "\n";
  return all;
}

TEST(MixtureRoundTrip, EveryFlashOfTheBlends) {
  const bool dense = std::getenv("FLUIDCORE_ROUNDTRIP_DENSE") != nullptr;
  std::map<std::string, Tally> heat_pump, whole;
  for (const std::string name : kMixtures) {
    const auto& m = fixed(name);
    for (const auto& sample : samples(m, dense)) {
      const auto& st = sample.state;
      for (const std::string pair : kPairs) {
        if (pair.find('Q') != std::string::npos && st.phase != Phase::two_phase) continue;
        const auto got = cpp_flash(m, pair, given_value(st, pair[0]), given_value(st, pair[1]));
        const bool ok = solved_back(m, pair, st, got);
        for (auto* t : {&whole[pair], sample.heat_pump_range ? &heat_pump[pair] : nullptr}) {
          if (!t) continue;
          ++t->tried;
          t->right += ok;
          if (!ok && t->failures.size() < 12) {
            std::ostringstream line;
            line << std::setprecision(17) << name << " " << sample.what << " T=" << st.T
                 << " rho=" << st.rho << " p=" << st.p << " q=" << st.q << ": "
                 << (got.ok() ? "other state T=" + std::to_string(got.state.T) +
                                    " rho=" + std::to_string(got.state.rho)
                              : got.message);
            t->failures.push_back(line.str());
          }
        }
      }
    }
  }
  std::cout << "flash  heat-pump range       whole range\n";
  for (const std::string pair : kPairs) {
    const auto& h = heat_pump[pair];
    const auto& w = whole[pair];
    std::cout << pair << "     " << std::fixed << std::setprecision(3)
              << 100.0 * h.right / std::max(h.tried, 1) << " % of " << std::setw(5) << h.tried
              << "   " << 100.0 * w.right / std::max(w.tried, 1) << " % of " << w.tried << "\n";
    EXPECT_GT(h.tried, 0) << pair;
    EXPECT_EQ(h.right, h.tried) << pair << " in the heat-pump range, first failures:\n"
                                << listed(h.failures);
    EXPECT_GE(w.right, 0.999 * w.tried) << pair << " over the whole range, first failures:\n"
                                        << listed(w.failures);
  }
}

}  // namespace
}  // namespace fluidcore::test
