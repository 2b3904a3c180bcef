// A mixture model at one composition, and what is worth computing once for
// it: its critical point and its bubble and dew lines. Each is computed on
// first use and shared read-only after that, so that every flash at this
// composition starts from them. The critical point alone (CRITP) costs a few
// Newton steps; the lines, traced on the first flash, a few milliseconds.
//
// Limits of a mixture: mole-fraction weighted means of its components'
// limits (Tmin, Tmax, pmax); the lines are traced from Tmin. Below
// Tmin_all, the highest of its components' own lower limits, some
// component's equation is extrapolated.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "fluidcore/mixture.h"
#include "fluidcore/mixture_critical.h"
#include "fluidcore/saturation_line.h"

namespace fluidcore {

class FixedMixture {
 public:
  // z: mole fractions summing to 1; name: how messages call the mixture.
  FixedMixture(std::shared_ptr<const Mixture> model, const Fractions& z, std::string name);

  const Mixture& model() const { return *model_; }
  const std::shared_ptr<const Mixture>& model_ptr() const { return model_; }
  const Fractions& z() const { return z_; }
  const std::string& name() const { return name_; }
  double molar_mass() const { return molar_mass_; }
  struct Limits { double Tmin, Tmax, pmax, Tmin_all; };
  const Limits& limits() const { return limits_; }

  const SaturationLine& bubble_line() const { return traced().bubble; }
  const SaturationLine& dew_line() const { return traced().dew; }
  // The critical point; converged == false: an estimate where the lines end.
  const MixtureCriticalPoint& critical() const;

 private:
  struct Traced {
    SaturationLine bubble, dew;
  };
  const Traced& traced() const;
  // The critical point found from where the lines end.
  MixtureCriticalPoint critical_from_lines() const;

  std::shared_ptr<const Mixture> model_;
  Fractions z_;
  std::string name_;
  double molar_mass_;
  Limits limits_;
  mutable std::once_flag traced_once_, critical_once_;
  mutable std::optional<Traced> traced_;
  mutable std::optional<MixtureCriticalPoint> critical_;
};

}  // namespace fluidcore
