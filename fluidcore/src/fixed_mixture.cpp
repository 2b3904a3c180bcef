#include "fluidcore/fixed_mixture.h"

#include <algorithm>
#include <cmath>

#include "fluidcore/mixture_state.h"

namespace fluidcore {

FixedMixture::FixedMixture(std::shared_ptr<const Mixture> model, const Fractions& z,
                           std::string name)
    : model_(std::move(model)), z_(z), name_(std::move(name)), molar_mass_(model_->molar_mass(z)),
      limits_{0, 0, 0, 0} {
  for (int i = 0; i < model_->size(); ++i) {
    const auto& l = model_->fluid(i).limits;
    const double x = z[static_cast<std::size_t>(i)];
    limits_.Tmin += x * l.Tmin;
    limits_.Tmax += x * l.Tmax;
    limits_.pmax += x * l.pmax;
    if (x > 0) limits_.Tmin_all = std::max(limits_.Tmin_all, l.Tmin);
  }
}

const FixedMixture::Traced& FixedMixture::traced() const {
  std::call_once(once_, [this] {
    const Mixture& m = *model_;
    SaturationLine bubble(m, z_, 0, limits_.Tmin, limits_.Tmax);
    SaturationLine dew(m, z_, 1, limits_.Tmin, limits_.Tmax);
    // The critical point lies just beyond where the lines were left; without
    // lines, the reducing point is the best guess.
    double T0, rho0;
    if (!bubble.empty() && !dew.empty()) {
      const TwoPhase b = bubble.last(), d = dew.last();
      T0 = 0.5 * (b.T + d.T);
      rho0 = std::sqrt(std::sqrt(b.rhoL * b.rhoV * d.rhoL * d.rhoV));
    } else {
      Reducing r;
      m.reducing(z_, false, r);
      T0 = r.T;
      rho0 = 1 / r.v;
    }
    auto critical = mixture_critical_point(m, z_, T0, rho0);
    // A solution far from where the lines end is some other root.
    if (critical.converged && !bubble.empty() && std::abs(critical.T - T0) > 0.02 * T0)
      critical = {T0, MixtureIsotherm(m, T0, z_).pressure(rho0).p, rho0, false};
    traced_.emplace(Traced{std::move(bubble), std::move(dew), critical});
  });
  return *traced_;
}

}  // namespace fluidcore
