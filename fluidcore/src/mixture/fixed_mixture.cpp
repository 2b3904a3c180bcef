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
  std::call_once(traced_once_, [this] {
    traced_.emplace(Traced{SaturationLine(*model_, z_, 0, limits_.Tmin, limits_.Tmax),
                           SaturationLine(*model_, z_, 1, limits_.Tmin, limits_.Tmax)});
  });
  return *traced_;
}

const MixtureCriticalPoint& FixedMixture::critical() const {
  std::call_once(critical_once_, [this] {
    // For components alike (every designated blend) the critical point lies
    // within a few percent of the reducing point, and Newton from there finds
    // it without the lines. A solution further off, or none, may be another
    // root of the conditions: then the one where the lines end.
    Reducing r;
    model_->reducing(z_, false, r);
    const auto direct = mixture_critical_point(*model_, z_, r.T, 1 / r.v);
    const bool near = direct.converged && std::abs(direct.T / r.T - 1) <= 0.05 &&
                      std::abs(std::log(direct.rho * r.v)) <= 0.3;
    critical_ = near ? direct : critical_from_lines();
  });
  return *critical_;
}

MixtureCriticalPoint FixedMixture::critical_from_lines() const {
  const Mixture& m = *model_;
  const auto& [bubble, dew] = traced();
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
  return critical;
}

}  // namespace fluidcore
