// Every blend of mixtures/ up to its critical point: the bubble and dew
// points at pressures approaching the critical pressure and at the critical
// pressure itself, and the pressure-enthalpy and pressure-entropy flashes on
// the critical isobar around the critical state. Each point found must be a
// state of the equation: both phases at the given pressure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "fluidcore/mixture_flash.h"
#include "fluidcore/mixture_state.h"
#include "mixture_test_support.h"

namespace fluidcore::test {
namespace {

std::vector<std::string> blend_names() {
  std::vector<std::string> names;
  const auto folder = std::filesystem::path(FLUIDCORE_FLUIDS_DIR).parent_path() / "mixtures";
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".mix") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

double pressure_of(const FixedMixture& m, double T, double rho, const Fractions& x) {
  return MixtureIsotherm(m.model(), T, x).pressure(rho).p;
}

std::string listed(const std::vector<std::string>& lines) {
  std::string all;
  for (std::size_t i = 0; i < lines.size() && i < 30; ++i) all += "  " + lines[i] + "\n";
  return all;
}

TEST(MixtureCriticalRegion, BubbleAndDewPointsUpToTheCriticalPressure) {
  const double fractions[] = {0.9, 0.99, 0.997, 0.999, 0.9999, 1.0};
  std::vector<std::string> failures;
  int tried = 0;
  for (const auto& name : blend_names()) {
    const auto& m = fixed(name);
    const auto& c = m.critical();
    ASSERT_TRUE(c.converged) << name;
    for (const int kind : {1, 2}) {
      for (const double f : fractions) {
        ++tried;
        const double p = f * c.p;
        const auto r = saturation_at_pressure(m, p, kind);
        std::ostringstream what;
        what.precision(8);
        what << name << (kind == 1 ? " bubble" : " dew") << " point at " << f << " pc = " << p
             << " kPa: ";
        if (!r.ok()) {
          failures.push_back(what.str() + r.message);
          continue;
        }
        const TwoPhase& t = r.point;
        // Both phases at the given pressure, the liquid the denser.
        const double pL = pressure_of(m, t.T, t.rhoL, t.x), pV = pressure_of(m, t.T, t.rhoV, t.y);
        if (!(t.p == p && t.rhoL >= t.rhoV && std::abs(pL - p) <= 1e-7 * p &&
              std::abs(pV - p) <= 1e-7 * p)) {
          what << "T=" << t.T << " rhoL=" << t.rhoL << " rhoV=" << t.rhoV << " pL=" << pL
               << " pV=" << pV;
          failures.push_back(what.str());
        }
      }
    }
  }
  EXPECT_EQ(failures.size(), 0u) << failures.size() << " of " << tried << " failed:\n"
                                 << listed(failures);
}

TEST(MixtureCriticalRegion, IsenthalpsAndIsentropesOnTheCriticalIsobar) {
  // Around the critical state, in units of R Tc (enthalpy) or R (entropy).
  const double offsets[] = {-0.5, -0.1, -0.01, 0.0, 0.01, 0.1, 0.5};
  std::vector<std::string> failures;
  int tried = 0;
  for (const auto& name : blend_names()) {
    const auto& m = fixed(name);
    const auto& c = m.critical();
    const State critical = MixtureIsotherm(m.model(), c.T, m.z()).state(c.rho);
    const double R = Mixture::kGasConstant;
    for (const Property y : {Property::enthalpy, Property::entropy}) {
      const bool h = y == Property::enthalpy;
      const double scale = h ? R * c.T : R;
      for (const double k : offsets) {
        ++tried;
        const double value = (h ? critical.h : critical.s) + k * scale;
        const auto r = flash_isobar(m, c.p, y, value);
        const double got = h ? r.state.h : r.state.s;
        if (r.ok() && std::abs(r.state.p - c.p) <= 1e-12 * c.p && std::abs(got - value) <= 1e-7 * (std::abs(value) + scale))
          continue;
        std::ostringstream what;
        what.precision(10);
        what << name << (h ? " PH" : " PS") << " at pc with " << (h ? "h" : "s") << " = critical "
             << (k >= 0 ? "+ " : "- ") << std::abs(k) << (h ? " R Tc" : " R") << ": "
             << (r.ok() ? "got " + std::to_string(got) : r.message);
        failures.push_back(what.str());
      }
    }
  }
  EXPECT_EQ(failures.size(), 0u) << failures.size() << " of " << tried << " failed:\n"
                                 << listed(failures);
}

}  // namespace
}  // namespace fluidcore::test
