// The exported C entry points: a thin shim over the C++ API.
//
// Each thread has its own "current fluid", the one its last SETUPdll loaded,
// so that threads computing different fluids never disturb each other. What
// all threads share, the parsed fluid files and mixing parameters, is
// guarded where it is kept (FluidLibrary, MixtureLibrary) and immutable once
// made. Every body runs inside guarded(): no exception crosses the C
// boundary, and no output is NaN or infinite (such a value becomes
// FLUIDCORE_UNDEFINED with an error code).
#include "fluidcore/entry_points.h"

#include <dlfcn.h>

#include <cmath>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "api/c_text.h"
#include "flash/flash_support.h"
#include "api/mixture_shim.h"
#include "api/shim.h"
#include "fluidcore/errors.h"
#include "fluidcore/flash.h"
#include "fluidcore/mixture_flash.h"
#include "fluidcore/fluid_file.h"
#include "fluidcore/saturation.h"
#include "fluidcore/state.h"

namespace fluidcore {
namespace {

namespace fs = std::filesystem;

// The folder this library was loaded from: fluids/ and mixtures/ lie there.
fs::path library_dir() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&library_dir), &info) && info.dli_fname)
    return fs::absolute(fs::path(info.dli_fname)).parent_path();
  return {};
}

// The parsed files, shared by every thread.
struct Files {
  FluidLibrary library{{library_dir()}};
  MixtureLibrary mixtures{library};
};

Files& files() {
  static Files f;
  return f;
}

// The calling thread's current fluid or mixture. Fetched once per call: each
// access to a thread's own data costs a look-up in a loaded library.
struct Session {
  std::shared_ptr<const PureFluid> fluid;
  MixtureSession mixture;  // loaded instead of `fluid`
};

Session& session() {
  thread_local Session s;
  return s;
}

// The loaded fluid, or nullptr after reporting kNoFluid.
const PureFluid* current(const Session& s, int* ierr, char* herr, int width, const char* routine) {
  if (!s.fluid) report(ierr, herr, width, routine, kNoFluid, failure::NoFluid{});
  return s.fluid.get();
}

// Phase compositions of a pure fluid: the one component, fraction 1.
void pure_composition(double* x) {
  if (!x) return;
  x[0] = 1;
  for (int i = 1; i < kFluidcoreMaxComponents; ++i) x[i] = 0;
}

// Where a flash routine writes its results; the given values have no slot.
struct FlashOutputs {
  double *T = nullptr, *P = nullptr, *D = nullptr, *Dl = nullptr, *Dv = nullptr;
  double *xl = nullptr, *xv = nullptr, *Q = nullptr, *E = nullptr, *H = nullptr, *S = nullptr;
  double *Cv = nullptr, *Cp = nullptr, *W = nullptr;
};

void write_flash(const FlashResult& r, const char* routine, const FlashOutputs& o, int* ierr,
                 char* herr, int width) {
  const FlashState& s = r.state;
  const bool ok = r.ok();
  const auto put = [&](double* out, double v) { set(out, ok ? v : 0.0); };
  put(o.T, s.T);
  put(o.P, s.p);
  put(o.D, s.rho);
  put(o.Dl, s.rhoL);
  put(o.Dv, s.rhoV);
  put(o.Q, s.q);
  put(o.E, s.e);
  put(o.H, s.h);
  put(o.S, s.s);
  put(o.Cv, s.cv);
  put(o.Cp, s.cp);
  put(o.W, s.w);
  pure_composition(o.xl);
  pure_composition(o.xv);
  report_result(r, routine, ierr, herr, width);
}

// A mixture's result: the phase compositions in xl and xv.
void write_flash(const MixtureFlashResult& r, const char* routine, const FlashOutputs& o,
                 int* ierr, char* herr, int width) {
  write_flash(static_cast<const FlashResult&>(r), routine, o, ierr, herr, width);
  mixture_calls::write_composition(o.xl, r.ok() ? r.x : Fractions{});
  mixture_calls::write_composition(o.xv, r.ok() ? r.y : Fractions{});
}

// Runs a flash on the loaded fluid or mixture (at the composition x) and
// writes its results.
template <class Flash>
void run_flash(const char* routine, const double* x, const FlashOutputs& o, int* ierr,
               char* herr, int width, Flash flash) {
  guarded(ierr, herr, width, routine, [&] {
    Session& s = session();
    if (s.mixture.loaded()) {
      Failure why = failure::NoFluid{};
      const auto m = s.mixture.at(x, &why);
      if (m) write_flash(flash(*m), routine, o, ierr, herr, width);
      else write_flash(failed<MixtureFlashResult>(kBadInput, why), routine, o, ierr, herr, width);
      return;
    }
    const PureFluid* f = current(s, ierr, herr, width, routine);
    if (!f) {
      write_flash(FlashResult{kNoFluid, {}, {}, 0, 0}, routine, o, nullptr, nullptr, 0);
      return;
    }
    write_flash(flash(*f), routine, o, ierr, herr, width);
  });
}

}  // namespace
}  // namespace fluidcore

using namespace fluidcore;

extern "C" {

void SETUPdll(int* ncomponents, char* fluid_files, char* mixing_file, char* reference_state,
              int* ierr, char* herr, int fluid_files_width, int mixing_file_width,
              int reference_state_width, int herr_width) {
  guarded(ierr, herr, herr_width, "SETUP", [&] {
    Session& s = session();
    Files& shared = files();
    // A failed setup leaves no fluid rather than the previous one.
    s.fluid.reset();
    s.mixture.clear();
    const int n = ncomponents ? *ncomponents : 0;
    const std::string files = c_text::read(fluid_files, fluid_files_width);
    const std::string mixing = c_text::read(mixing_file, mixing_file_width);
    const std::string reference = c_text::read(reference_state, reference_state_width);
    if (!reference.empty() && reference != "DEF" && reference != "def") {
      report(ierr, herr, herr_width, "SETUP", kBadInput, failure::ReferenceState{reference});
      return;
    }
    if (n != 1) {
      mixture_calls::setup(s.mixture, shared.mixtures, n, files, mixing, ierr, herr, herr_width);
      return;
    }
    const std::vector<std::string> names = c_text::split_list(files);
    if (!files_match_count(n, names, files, ierr, herr, herr_width)) return;
    const std::string& first = names.front();
    if (mixture_calls::setup_known_blend(s.mixture, shared.mixtures, first, mixing, ierr, herr,
                                         herr_width))
      return;
    try {
      s.fluid = shared.library.load(first);
    } catch (const FluidFileError& e) {
      // A blend typed by its name ("R410A") is no fluid file: its mixture file.
      if (!mixture_calls::setup_blend(s.mixture, shared.mixtures, first, mixing, ierr, herr, herr_width))
        report(ierr, herr, herr_width, "SETUP", kFluidFile, e.fault());
      return;
    }
    report(ierr, herr, herr_width, kOk, "");
  });
}

void WMOLdll(double* x, double* molar_mass) {
  guarded(nullptr, nullptr, 0, "WMOL", [&] {
    Session& s = session();
    if (s.mixture.loaded()) return mixture_calls::WMOL(s.mixture, x, molar_mass);
    const auto& f = s.fluid;
    set(molar_mass, f ? f->molar_mass : FLUIDCORE_UNDEFINED);
  });
}

void CRITPdll(double* x, double* Tc, double* Pc, double* Dc, int* ierr, char* herr,
              int herr_width) {
  guarded(ierr, herr, herr_width, "CRITP", [&] {
    Session& s = session();
    if (s.mixture.loaded())
      return mixture_calls::CRITP(s.mixture, x, Tc, Pc, Dc, ierr, herr, herr_width);
    const auto& f = s.fluid;
    if (!f) {
      for (double* o : {Tc, Pc, Dc}) set(o, FLUIDCORE_UNDEFINED);
      report(ierr, herr, herr_width, "CRITP", kNoFluid, failure::NoFluid{});
      return;
    }
    set(Tc, f->critical.T);
    set(Pc, f->critical.p);
    set(Dc, f->critical.rho);
    report(ierr, herr, herr_width, kOk, "");
  });
}

void LIMITSdll(char*, double* x, double* tmin, double* tmax, double* Dmax, double* pmax, int) {
  guarded(nullptr, nullptr, 0, "LIMITS", [&] {
    Session& s = session();
    if (s.mixture.loaded())
      return mixture_calls::LIMITS(s.mixture, x, tmin, tmax, Dmax, pmax);
    const auto& f = s.fluid;
    if (!f) {
      for (double* o : {tmin, tmax, Dmax, pmax}) set(o, FLUIDCORE_UNDEFINED);
      return;
    }
    set(tmin, f->limits.Tmin);
    set(tmax, f->limits.Tmax);
    set(Dmax, saturation_point(*f, f->limits.Tmin).rhoL);
    set(pmax, f->limits.pmax);
  });
}

void SATTdll(double* T, double* x, int* kph, double* P, double* Dl, double* Dv, double* xl,
             double* xv, int* ierr, char* herr, int herr_width) {
  guarded(ierr, herr, herr_width, "SATT", [&] {
    Session& s = session();
    if (s.mixture.loaded())
      return mixture_calls::SATT(s.mixture, T, x, kph, P, Dl, Dv, xl, xv, ierr, herr,
                                 herr_width);
    const PureFluid* f = current(s, ierr, herr, herr_width, "SATT");
    if (!f) return;
    const auto r = saturation_at_temperature(*f, input(T));
    report_saturation(r, "SATT", P, r.point.p, Dl, Dv, ierr, herr, herr_width, [&] {
      pure_composition(xl);
      pure_composition(xv);
    });
  });
}

void SATPdll(double* P, double* x, int* kph, double* T, double* Dl, double* Dv, double* xl,
             double* xv, int* ierr, char* herr, int herr_width) {
  guarded(ierr, herr, herr_width, "SATP", [&] {
    Session& s = session();
    if (s.mixture.loaded())
      return mixture_calls::SATP(s.mixture, P, x, kph, T, Dl, Dv, xl, xv, ierr, herr,
                                 herr_width);
    const PureFluid* f = current(s, ierr, herr, herr_width, "SATP");
    if (!f) return;
    const auto r = saturation_at_pressure(*f, input(P));
    report_saturation(r, "SATP", T, r.point.T, Dl, Dv, ierr, herr, herr_width, [&] {
      pure_composition(xl);
      pure_composition(xv);
    });
  });
}

void SATDdll(double* D, double* x, int* /*kph*/, int* kr, double* T, double* P, double* Dl,
             double* Dv, double* xl, double* xv, int* ierr, char* herr, int herr_width) {
  guarded(ierr, herr, herr_width, "SATD", [&] {
    Session& s = session();
    if (s.mixture.loaded())
      return mixture_calls::SATD(s.mixture, D, x, kr, T, P, Dl, Dv, xl, xv, ierr, herr,
                                 herr_width);
    const PureFluid* f = current(s, ierr, herr, herr_width, "SATD");
    if (!f) return;
    const auto r = saturation_at_density(*f, input(D));
    if (kr) *kr = r.ok() ? r.phase : 0;
    set(P, r.ok() ? r.point.p : 0);
    report_saturation(r, "SATD", T, r.point.T, Dl, Dv, ierr, herr, herr_width, [&] {
      pure_composition(xl);
      pure_composition(xv);
    });
  });
}

void THERMdll(double* T, double* D, double* x, double* P, double* E, double* H, double* S,
              double* Cv, double* Cp, double* W, double* JT) {
  guarded(nullptr, nullptr, 0, "THERM", [&] {
    const ThermOutputs out{P, E, H, S, Cv, Cp, W, JT};
    Session& s = session();
    if (s.mixture.loaded()) return mixture_calls::THERM(s.mixture, T, D, x, out);
    const auto& f = s.fluid;
    write_therm(T, D, out, [&](double t, double rho) -> std::optional<State> {
      if (!f) return std::nullopt;
      State state = evaluate_state(*f, t, rho);
      take_liquid_pressure_from_saturation(*f, state);
      return state;
    });
  });
}

void TPFLSHdll(double* T, double* P, double* x, double* D, double* Dl, double* Dv, double* xl,
               double* xv, double* Q, double* E, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("TPFLSH", x, {.D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width,
            [&](const auto& f) { return flash_tp(f, input(T), input(P)); });
}

void TDFLSHdll(double* T, double* D, double* x, double* P, double* Dl, double* Dv, double* xl,
               double* xv, double* Q, double* E, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("TDFLSH", x, {.P = P, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width,
            [&](const auto& f) { return flash_td(f, input(T), input(D)); });
}

void THFLSHdll(double* T, double* H, double* x, int* /*kr*/, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* Q, double* E, double* S, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  run_flash("THFLSH", x, {.P = P, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const auto& f) {
              return flash_isotherm(f, input(T), Property::enthalpy, input(H));
            });
}

void TSFLSHdll(double* T, double* S, double* x, int* /*kr*/, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* Q, double* E, double* H, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  run_flash("TSFLSH", x, {.P = P, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E,
                       .H = H, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const auto& f) {
              return flash_isotherm(f, input(T), Property::entropy, input(S));
            });
}

void TEFLSHdll(double* T, double* E, double* x, int* /*kr*/, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* Q, double* H, double* S, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  run_flash("TEFLSH", x, {.P = P, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const auto& f) {
              return flash_isotherm(f, input(T), Property::internal_energy, input(E));
            });
}

void TQFLSHdll(double* T, double* Q, double* x, int* /*kq*/, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* E, double* H, double* S, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  run_flash("TQFLSH", x, {.P = P, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .E = E, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width,
            [&](const auto& f) { return flash_tq(f, input(T), input(Q)); });
}

void PDFLSHdll(double* P, double* D, double* x, double* T, double* Dl, double* Dv, double* xl,
               double* xv, double* Q, double* E, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("PDFLSH", x, {.T = T, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const auto& f) {
              return flash_isochore(f, input(D), Property::pressure, input(P));
            });
}

void PHFLSHdll(double* P, double* H, double* x, double* T, double* D, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* E, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("PHFLSH", x, {.T = T, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const auto& f) {
              return flash_isobar(f, input(P), Property::enthalpy, input(H));
            });
}

void PSFLSHdll(double* P, double* S, double* x, double* T, double* D, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* E, double* H, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("PSFLSH", x, {.T = T, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E,
                       .H = H, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const auto& f) {
              return flash_isobar(f, input(P), Property::entropy, input(S));
            });
}

void PEFLSHdll(double* P, double* E, double* x, double* T, double* D, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("PEFLSH", x, {.T = T, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const auto& f) {
              return flash_isobar(f, input(P), Property::internal_energy, input(E));
            });
}

void PQFLSHdll(double* P, double* Q, double* x, int* /*kq*/, double* T, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* E, double* H, double* S, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  run_flash("PQFLSH", x, {.T = T, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .E = E, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width,
            [&](const auto& f) { return flash_pq(f, input(P), input(Q)); });
}

void DHFLSHdll(double* D, double* H, double* x, double* T, double* P, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* E, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("DHFLSH", x, {.T = T, .P = P, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const auto& f) {
              return flash_isochore(f, input(D), Property::enthalpy, input(H));
            });
}

void DSFLSHdll(double* D, double* S, double* x, double* T, double* P, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* E, double* H, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("DSFLSH", x, {.T = T, .P = P, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E,
                       .H = H, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const auto& f) {
              return flash_isochore(f, input(D), Property::entropy, input(S));
            });
}

void DEFLSHdll(double* D, double* E, double* x, double* T, double* P, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("DEFLSH", x, {.T = T, .P = P, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const auto& f) {
              return flash_isochore(f, input(D), Property::internal_energy, input(E));
            });
}

void HSFLSHdll(double* H, double* S, double* x, double* T, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* Q, double* E, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("HSFLSH", x, {.T = T, .P = P, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q,
                       .E = E, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width,
            [&](const auto& f) { return flash_hs(f, input(H), input(S)); });
}

}  // extern "C"
