// Round trips: states of every fluid over its whole range, computed from
// (T, rho), must come back from every other pair of their properties. Where
// the given values admit two states (TH, TS, TE in compressed liquid; PD
// near a density maximum; TP on the saturation curve), a state that
// reproduces the given values counts as right.
//
// States on the limits (the triple point, the upper temperature and
// pressure limits) and on both saturation lines down to the triple point are
// among them. The success rate is reported per flash, in the heat-pump range
// (triple point + 1 K to 1.5 Tc, pressures to the upper limit) and over the
// whole range. FLUIDCORE_ROUNDTRIP_DENSE=1 runs a denser sweep.
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
#include "fluidcore/flash.h"
#include "fluidcore/saturation.h"
#include "fluidcore/state.h"
#include "reference_data.h"
#include "roundtrip_support.h"

namespace fluidcore::test {
namespace {

struct Sample {
  FlashState state;
  bool heat_pump_range;
  std::string what;
};

// States from (T, rho): liquid, vapour, supercritical, two-phase at several
// qualities, close to saturation on both sides, near the critical point and
// near the lower limit.
std::vector<Sample> samples(const PureFluid& f, bool dense) {
  // The lower limit itself, and both saturation lines at low temperatures,
  // where the saturation pressure is a few mPa.
  std::vector<double> Ts = {f.limits.Tmin, f.limits.Tmin + 1e-3, f.limits.Tmin + 1.0};
  for (const double above : {5.0, 20.0})
    if (f.limits.Tmin + above < 0.8 * f.Tcrit()) Ts.push_back(f.limits.Tmin + above);
  const int n = dense ? 16 : 5;
  for (int i = 1; i <= n; ++i) Ts.push_back(f.limits.Tmin + (f.Tcrit() - f.limits.Tmin) * i / (n + 1));
  for (double d : {-1.0, -0.1}) Ts.push_back(f.Tcrit() + d);
  for (double d : {0.1, 1.0}) Ts.push_back(f.Tcrit() + d);
  for (double r : {1.2, 1.5, 2.5}) Ts.push_back(r * f.Tcrit());
  Ts.push_back(f.limits.Tmax);
  std::vector<Sample> out;
  const auto add = [&](double T, double rho, const std::string& what) {
    if (!(T >= f.limits.Tmin && T <= f.limits.Tmax && rho > 0)) return;
    const auto r = flash_td(f, T, rho);
    if (r.status != 0 || !(r.state.p > 0)) return;  // beyond the upper pressure limit
    if (r.state.phase != Phase::two_phase) {
      // Only stable states; a liquid whose pressure lies below saturation
      // (pressure noise of a liquid at 1e-10 kPa) is none.
      const State s = evaluate_state(f, T, rho);
      if (!(s.cv > 0 && s.cp > 0 && s.dp_drho > 0)) return;
      if (T < f.Tcrit()) {
        const double psat = saturation_point(f, T).p;
        if (rho > f.rhocrit() ? s.p < psat : s.p > psat) return;
      }
    }
    const bool hp = T >= f.limits.Tmin + 1 && T <= 1.5 * f.Tcrit();
    out.push_back({r.state, hp, what});
  };
  for (double T : Ts) {
    std::vector<double> pressures;
    if (T < f.Tcrit()) {
      const auto sat = f.saturation.at_temperature(T);
      add(T, sat.rhoL * (1 + 1e-7), "liquid next to saturation");
      add(T, sat.rhoV * (1 - 1e-7), "vapour next to saturation");
      add(T, sat.rhoV * 0.5, "vapour");
      add(T, sat.rhoV * 0.01, "dilute vapour");
      for (double q : {0.0, 0.1, 0.5, 0.9, 1.0})
        add(T, 1 / ((1 - q) / sat.rhoL + q / sat.rhoV), "two-phase");
      for (double m : {2.0, 10.0}) pressures.push_back(std::max(m * sat.p, sat.p + 100));
      if (T == f.limits.Tmin) pressures.push_back(f.psat_min);
    } else {
      for (double m : {0.01, 0.3, 1.0, 3.0}) pressures.push_back(m * f.pcrit());
    }
    pressures.push_back(f.limits.pmax);
    for (double p : pressures) {
      if (p > f.limits.pmax) continue;
      const auto tp = flash_tp(f, T, p);
      if (tp.ok()) add(T, tp.state.rho, T < f.Tcrit() ? "liquid" : "supercritical");
    }
  }
  return out;
}

struct Tally {
  int tried = 0, right = 0;
  std::vector<std::string> failures;
};

TEST(RoundTrip, EveryFlashOfEveryFluid) {
  const bool dense = std::getenv("FLUIDCORE_ROUNDTRIP_DENSE") != nullptr;
  const std::vector<std::string> pairs = {"TP", "TH", "TS", "TE", "TQ", "PD", "PH",
                                          "PS", "PE", "PQ", "DH", "DS", "DE", "HS"};
  std::map<std::string, Tally> heat_pump, whole;
  for (const auto& name : all_fluid_names()) {
    const auto f = fluid(name);
    for (const auto& sample : samples(*f, dense)) {
      const auto& st = sample.state;
      for (const auto& pair : pairs) {
        const bool quality = pair.find('Q') != std::string::npos;
        if (quality && st.phase != Phase::two_phase) continue;
        const auto got = cpp_flash(*f, pair, given_value(st, pair[0]), given_value(st, pair[1]));
        const bool ok = solved_back(*f, pair, st, got);
        for (auto* t : {&whole[pair], sample.heat_pump_range ? &heat_pump[pair] : nullptr}) {
          if (!t) continue;
          ++t->tried;
          t->right += ok;
          if (!ok && t->failures.size() < 12) {
            std::ostringstream m;
            m << std::setprecision(10) << name << " " << sample.what << " T=" << st.T
              << " rho=" << st.rho << " p=" << st.p << " q=" << st.q << ": "
              << (got.ok() ? "other state T=" + std::to_string(got.state.T) +
                                 " rho=" + std::to_string(got.state.rho)
                           : got.message());
            t->failures.push_back(m.str());
          }
        }
      }
    }
  }
  std::cout << "flash  heat-pump range       whole range\n";
  for (const auto& pair : pairs) {
    const auto& h = heat_pump[pair];
    const auto& w = whole[pair];
    std::cout << pair << "     " << std::fixed << std::setprecision(3)
              << 100.0 * h.right / std::max(h.tried, 1) << " % of " << std::setw(6) << h.tried
              << "   " << 100.0 * w.right / std::max(w.tried, 1) << " % of " << w.tried << "\n";
    RecordProperty(pair + "_heat_pump_percent", std::to_string(100.0 * h.right / h.tried));
    RecordProperty(pair + "_whole_range_percent", std::to_string(100.0 * w.right / w.tried));
    EXPECT_EQ(h.right, h.tried) << pair << " in the heat-pump range, first failures:\n"
                                << [&] {
                                     std::string all;
                                     for (const auto& s : h.failures) all += "  " + s + "\n";
                                     return all;
                                   }();
    EXPECT_GE(w.right, 0.999 * w.tried) << pair << " over the whole range, first failures:\n"
                                        << [&] {
                                             std::string all;
                                             for (const auto& s : w.failures) all += "  " + s + "\n";
                                             return all;
                                           }();
  }
}

}  // namespace
}  // namespace fluidcore::test
