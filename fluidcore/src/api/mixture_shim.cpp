#include "api/mixture_shim.h"

#include <algorithm>
#include <cmath>

#include "fluidcore/mixture_flash.h"
#include "fluidcore/mixture_state.h"
#include "fluidcore/saturation.h"

namespace fluidcore {
namespace {

constexpr std::size_t kRecentCompositions = 16;

std::string name_of(const LoadedMixture& m) { return m.name.empty() ? m.model->name() : m.name; }

// "R32/Oxygen and R125/Oxygen"
std::string pair_list(const std::vector<std::string>& pairs) {
  std::string r;
  for (std::size_t i = 0; i < pairs.size(); ++i)
    r += (i == 0 ? "" : i + 1 == pairs.size() ? " and " : ", ") + pairs[i];
  return r;
}

// Success, or the warning that some pairs have no published parameters.
void report_loaded(const LoadedMixture& m, const std::string& mixing_file, int* ierr, char* herr,
                   int width) {
  const auto estimated = m.model->estimated_pairs();
  if (estimated.empty()) {
    report(ierr, herr, width, kOk, "");
    return;
  }
  report(ierr, herr, width, kWarnEstimate,
         "SETUP: " + name_of(m) + ": no mixing parameters for " + pair_list(estimated) + " in " +
             (mixing_file.empty() ? std::string("the mixing file") : mixing_file) +
             "; estimated with beta = gamma = 1 and F = 0");
}

}  // namespace

std::shared_ptr<const FixedMixture> MixtureSession::at(const double* x, Failure* why) {
  const auto refuse = [&](Failure reason) {
    if (why) *why = std::move(reason);
    return nullptr;
  };
  if (!loaded_) return refuse(failure::NoFluid{});
  const LoadedMixture& m = *loaded_;
  const int n = m.model->size();
  Fractions z{};
  if (m.composition) {
    z = *m.composition;
  } else {
    if (!x) return refuse(failure::NoComposition{});
    double sum = 0;
    for (int i = 0; i < n; ++i) {
      const double v = x[i];
      if (!std::isfinite(v) || v < 0) {
        return refuse(failure::BadFraction{i + 1, m.model->fluid(i).name,
                                           v < 0 ? std::optional<double>(v) : std::nullopt});
      }
      z[static_cast<std::size_t>(i)] = v;
      sum += v;
    }
    if (!(sum > 0) || !std::isfinite(sum)) return refuse(failure::CompositionNotSet{sum > 0, name_of(m)});
    for (int i = 0; i < n; ++i) z[static_cast<std::size_t>(i)] /= sum;
  }
  const auto same = [&](const std::shared_ptr<const FixedMixture>& f) {
    return f->model_ptr() == m.model && f->z() == z;
  };
  if (const auto it = std::find_if(recent_.begin(), recent_.end(), same); it != recent_.end()) {
    std::rotate(recent_.begin(), it, it + 1);
    return recent_.front();
  }
  recent_.insert(recent_.begin(), std::make_shared<const FixedMixture>(m.model, z, name_of(m)));
  if (recent_.size() > kRecentCompositions) recent_.pop_back();
  return recent_.front();
}

namespace mixture_calls {
namespace {

// The mixture of a call, or nullptr after reporting why not.
std::shared_ptr<const FixedMixture> mixture_of(MixtureSession& session, const double* x,
                                               const char* routine, int* ierr, char* herr,
                                               int width) {
  Failure why = failure::NoFluid{};
  auto m = session.at(x, &why);
  if (!m) report(ierr, herr, width, routine, kBadInput, why);
  return m;
}

int phase_selector(const int* kph) { return kph ? *kph : 0; }

// A saturation routine on the mixture of the call: solve(mixture) finds the
// point, first_out receives its field `first`; the result (nothing where
// the call brought no usable composition) for the routine's own outputs.
template <class Solve>
std::optional<MixtureSaturationResult> saturation_call(MixtureSession& session, const double* x,
                                                       const char* routine, Solve solve,
                                                       double* first_out, double TwoPhase::*first,
                                                       double* Dl, double* Dv, double* xl,
                                                       double* xv, int* ierr, char* herr,
                                                       int width) {
  const auto m = mixture_of(session, x, routine, ierr, herr, width);
  if (!m) return std::nullopt;
  const auto r = solve(*m);
  report_saturation(r, routine, first_out, r.point.*first, Dl, Dv, ierr, herr, width, [&] {
    write_composition(xl, r.point.x);
    write_composition(xv, r.point.y);
  });
  return r;
}

}  // namespace

void write_composition(double* out, const Fractions& x) {
  if (!out) return;
  for (int i = 0; i < kFluidcoreMaxComponents; ++i) set(out + i, x[static_cast<std::size_t>(i)]);
}

void setup(MixtureSession& session, MixtureLibrary& library, int n, const std::string& files,
           const std::string& mixing_file, int* ierr, char* herr, int herr_width) {
  if (n < 1 || n > kMaxComponents) {
    report(ierr, herr, herr_width, "SETUP", kBadInput, failure::ComponentCount{n});
    return;
  }
  const std::vector<std::string> names = c_text::split_list(files);
  if (!files_match_count(n, names, files, ierr, herr, herr_width)) return;
  try {
    LoadedMixture m;
    m.model = library.load(names, mixing_file);
    session.load(m);
    report_loaded(m, mixing_file, ierr, herr, herr_width);
  } catch (const FluidFileError& e) {
    report(ierr, herr, herr_width, "SETUP", kFluidFile, e.fault());
  }
}

bool setup_known_blend(MixtureSession& session, MixtureLibrary& library, const std::string& name,
                       const std::string& mixing_file, int* ierr, char* herr, int herr_width) {
  auto blend = library.known_blend(name, mixing_file);
  if (!blend) return false;
  session.load(*blend);
  report_loaded(*blend, mixing_file, ierr, herr, herr_width);
  return true;
}

bool setup_blend(MixtureSession& session, MixtureLibrary& library, const std::string& name,
                 const std::string& mixing_file, int* ierr, char* herr, int herr_width) {
  try {
    auto blend = library.load_blend(name, mixing_file);
    if (!blend) return false;
    session.load(*blend);
    report_loaded(*blend, mixing_file, ierr, herr, herr_width);
  } catch (const FluidFileError& e) {
    report(ierr, herr, herr_width, "SETUP", kFluidFile, e.fault());
  }
  return true;
}

void WMOL(MixtureSession& session, const double* x, double* molar_mass) {
  const auto m = session.at(x);
  set(molar_mass, m ? m->molar_mass() : FLUIDCORE_UNDEFINED);
}

void CRITP(MixtureSession& session, const double* x, double* Tc, double* Pc, double* Dc,
           int* ierr, char* herr, int herr_width) {
  const auto m = mixture_of(session, x, "CRITP", ierr, herr, herr_width);
  if (!m) {
    for (double* o : {Tc, Pc, Dc}) set(o, FLUIDCORE_UNDEFINED);
    return;
  }
  const auto& c = m->critical();
  set(Tc, c.T);
  set(Pc, c.p);
  set(Dc, c.rho);
  if (c.converged)
    report(ierr, herr, herr_width, kOk, "");
  else
    report(ierr, herr, herr_width, kWarnEstimate,
           "CRITP: the critical point of " + m->name() +
               " was not found; the values are an estimate from where its bubble and dew lines end");
}

void LIMITS(MixtureSession& session, const double* x, double* tmin, double* tmax, double* Dmax,
            double* pmax) {
  const auto m = session.at(x);
  if (!m) {
    for (double* o : {tmin, tmax, Dmax, pmax}) set(o, FLUIDCORE_UNDEFINED);
    return;
  }
  const auto& limits = m->limits();
  set(tmin, limits.Tmin);
  set(tmax, limits.Tmax);
  // The bubble line is traced from the lower limit.
  const auto& bubble = m->bubble_line();
  set(Dmax, bubble.empty() ? FLUIDCORE_UNDEFINED : bubble.first().rhoL);
  set(pmax, limits.pmax);
}

void THERM(MixtureSession& session, const double* T, const double* D, const double* x,
           const ThermOutputs& out) {
  const auto m = session.at(x);
  write_therm(T, D, out, [&](double t, double rho) -> std::optional<State> {
    if (!m) return std::nullopt;
    return MixtureIsotherm(m->model(), t, m->z()).state(rho);
  });
}

void SATT(MixtureSession& session, const double* T, const double* x, const int* kph, double* P,
          double* Dl, double* Dv, double* xl, double* xv, int* ierr, char* herr, int herr_width) {
  saturation_call(
      session, x, "SATT",
      [&](const FixedMixture& m) { return saturation_at_temperature(m, input(T), phase_selector(kph)); },
      P, &TwoPhase::p, Dl, Dv, xl, xv, ierr, herr, herr_width);
}

void SATP(MixtureSession& session, const double* P, const double* x, const int* kph, double* T,
          double* Dl, double* Dv, double* xl, double* xv, int* ierr, char* herr, int herr_width) {
  saturation_call(
      session, x, "SATP",
      [&](const FixedMixture& m) { return saturation_at_pressure(m, input(P), phase_selector(kph)); },
      T, &TwoPhase::T, Dl, Dv, xl, xv, ierr, herr, herr_width);
}

void SATD(MixtureSession& session, const double* D, const double* x, int* kr, double* T,
          double* P, double* Dl, double* Dv, double* xl, double* xv, int* ierr, char* herr,
          int herr_width) {
  const auto r = saturation_call(
      session, x, "SATD", [&](const FixedMixture& m) { return saturation_at_density(m, input(D)); },
      T, &TwoPhase::T, Dl, Dv, xl, xv, ierr, herr, herr_width);
  if (!r) return;
  if (kr) *kr = r->ok() ? r->phase : 0;
  set(P, r->ok() ? r->point.p : 0);
}

}  // namespace mixture_calls
}  // namespace fluidcore
