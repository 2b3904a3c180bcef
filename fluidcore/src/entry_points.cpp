// The exported C entry points: a thin shim over the C++ API.
//
// The shim holds the one "current fluid" that the call shapes imply (set by
// SETUPdll) and the cache of parsed fluid files. Every body runs inside
// guarded(): no exception crosses the C boundary, and no output is NaN or
// infinite (such a value becomes FLUIDCORE_UNDEFINED with an error code).
#include "fluidcore/entry_points.h"

#include <dlfcn.h>

#include <cmath>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>

#include "c_text.h"
#include "fluidcore/errors.h"
#include "fluidcore/flash.h"
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

struct Session {
  FluidLibrary library{{library_dir()}};
  std::shared_ptr<const PureFluid> fluid;
};

Session& session() {
  static Session s;
  return s;
}

double finite_or_undefined(double v) { return std::isfinite(v) ? v : FLUIDCORE_UNDEFINED; }

void set(double* out, double v) {
  if (out) *out = finite_or_undefined(v);
}

void report(int* ierr, char* herr, int width, int code, const std::string& message) {
  if (ierr) *ierr = code;
  c_text::write(herr, width, message);
}

// Runs body(); an escaping exception becomes error kInternal.
template <class Body>
void guarded(int* ierr, char* herr, int width, const char* routine, Body body) {
  try {
    body();
  } catch (const std::exception& e) {
    report(ierr, herr, width, kInternal, std::string(routine) + ": internal error: " + e.what());
  } catch (...) {
    report(ierr, herr, width, kInternal, std::string(routine) + ": internal error");
  }
}

// The loaded fluid, or nullptr after reporting kNoFluid.
const PureFluid* current(int* ierr, char* herr, int width, const char* routine) {
  const auto& f = session().fluid;
  if (!f) report(ierr, herr, width, kNoFluid, std::string(routine) + ": no fluid loaded (call SETUP first)");
  return f.get();
}

// Phase compositions of a pure fluid: the one component, fraction 1.
void pure_composition(double* x) {
  if (!x) return;
  x[0] = 1;
  for (int i = 1; i < kFluidcoreMaxComponents; ++i) x[i] = 0;
}

double input(const double* v) { return v ? *v : NAN; }

// The saturation routines share their outputs: P or T, Dl, Dv, xl, xv.
void report_saturation(const SaturationResult& r, const char* routine, double* first_out,
                       double first_value, double* Dl, double* Dv, double* xl, double* xv,
                       int* ierr, char* herr, int width) {
  if (!r.ok()) {
    for (double* o : {first_out, Dl, Dv}) set(o, 0);
    report(ierr, herr, width, r.status, std::string(routine) + ": " + r.message);
    return;
  }
  set(first_out, first_value);
  set(Dl, r.point.rhoL);
  set(Dv, r.point.rhoV);
  pure_composition(xl);
  pure_composition(xv);
  report(ierr, herr, width, r.status, r.message);
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
  report(ierr, herr, width, r.status, r.message.empty() ? "" : std::string(routine) + ": " + r.message);
}

// Runs a flash on the loaded fluid and writes its results.
template <class Flash>
void run_flash(const char* routine, const FlashOutputs& o, int* ierr, char* herr, int width,
               Flash flash) {
  guarded(ierr, herr, width, routine, [&] {
    const PureFluid* f = current(ierr, herr, width, routine);
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
              int* ierr, char* herr, int fluid_files_width, int /*mixing_file_width*/,
              int reference_state_width, int herr_width) {
  guarded(ierr, herr, herr_width, "SETUP", [&] {
    auto& s = session();
    s.fluid.reset();  // a failed setup leaves no fluid rather than the previous one
    const int n = ncomponents ? *ncomponents : 0;
    const std::string files = c_text::read(fluid_files, fluid_files_width);
    const std::string reference = c_text::read(reference_state, reference_state_width);
    (void)mixing_file;  // read by the mixture model
    if (n != 1) {
      report(ierr, herr, herr_width, kBadInput,
             "SETUP: " + std::to_string(n) + " components requested; only pure fluids (1 "
             "component) can be loaded");
      return;
    }
    if (!reference.empty() && reference != "DEF" && reference != "def") {
      report(ierr, herr, herr_width, kBadInput,
             "SETUP: reference state \"" + reference + "\" is not supported (DEF only)");
      return;
    }
    const std::string first = files.substr(0, files.find('|'));
    try {
      s.fluid = s.library.load(first);
    } catch (const FluidFileError& e) {
      report(ierr, herr, herr_width, kFluidFile, std::string("SETUP: ") + e.what());
      return;
    }
    report(ierr, herr, herr_width, kOk, "");
  });
}

void WMOLdll(double* /*x*/, double* molar_mass) {
  guarded(nullptr, nullptr, 0, "WMOL", [&] {
    const auto& f = session().fluid;
    set(molar_mass, f ? f->molar_mass : FLUIDCORE_UNDEFINED);
  });
}

void CRITPdll(double* /*x*/, double* Tc, double* Pc, double* Dc, int* ierr, char* herr,
              int herr_width) {
  guarded(ierr, herr, herr_width, "CRITP", [&] {
    const auto& f = session().fluid;
    if (!f) {
      for (double* o : {Tc, Pc, Dc}) set(o, FLUIDCORE_UNDEFINED);
      report(ierr, herr, herr_width, kNoFluid, "CRITP: no fluid loaded (call SETUP first)");
      return;
    }
    set(Tc, f->critical.T);
    set(Pc, f->critical.p);
    set(Dc, f->critical.rho);
    report(ierr, herr, herr_width, kOk, "");
  });
}

void SATTdll(double* T, double* /*x*/, int* /*kph*/, double* P, double* Dl, double* Dv,
             double* xl, double* xv, int* ierr, char* herr, int herr_width) {
  guarded(ierr, herr, herr_width, "SATT", [&] {
    const PureFluid* f = current(ierr, herr, herr_width, "SATT");
    if (!f) return;
    const auto r = saturation_at_temperature(*f, input(T));
    report_saturation(r, "SATT", P, r.point.p, Dl, Dv, xl, xv, ierr, herr, herr_width);
  });
}

void SATPdll(double* P, double* /*x*/, int* /*kph*/, double* T, double* Dl, double* Dv,
             double* xl, double* xv, int* ierr, char* herr, int herr_width) {
  guarded(ierr, herr, herr_width, "SATP", [&] {
    const PureFluid* f = current(ierr, herr, herr_width, "SATP");
    if (!f) return;
    const auto r = saturation_at_pressure(*f, input(P));
    report_saturation(r, "SATP", T, r.point.T, Dl, Dv, xl, xv, ierr, herr, herr_width);
  });
}

void SATDdll(double* D, double* /*x*/, int* /*kph*/, int* kr, double* T, double* P, double* Dl,
             double* Dv, double* xl, double* xv, int* ierr, char* herr, int herr_width) {
  guarded(ierr, herr, herr_width, "SATD", [&] {
    const PureFluid* f = current(ierr, herr, herr_width, "SATD");
    if (!f) return;
    const auto r = saturation_at_density(*f, input(D));
    if (kr) *kr = r.ok() ? r.phase : 0;
    set(P, r.ok() ? r.point.p : 0);
    report_saturation(r, "SATD", T, r.point.T, Dl, Dv, xl, xv, ierr, herr, herr_width);
  });
}

void THERMdll(double* T, double* D, double* /*x*/, double* P, double* E, double* H, double* S,
              double* Cv, double* Cp, double* W, double* JT) {
  guarded(nullptr, nullptr, 0, "THERM", [&] {
    double* outputs[] = {P, E, H, S, Cv, Cp, W, JT};
    for (double* o : outputs) set(o, FLUIDCORE_UNDEFINED);
    const auto& f = session().fluid;
    const double t = input(T), d = input(D);
    if (!f || !(t > 0) || !(d >= 0) || !std::isfinite(t) || !std::isfinite(d)) return;
    // rho = 0 is the ideal-gas limit: p = 0 and an infinite entropy.
    const State st = evaluate_state(*f, t, d > 0 ? d : 1e-300);
    set(P, d > 0 ? st.p : 0.0);
    set(E, st.e);
    set(H, st.h);
    set(S, d > 0 ? st.s : FLUIDCORE_UNDEFINED);
    set(Cv, st.cv);
    set(Cp, st.cp);
    set(W, st.w);
    set(JT, st.jt);
  });
}

void TPFLSHdll(double* T, double* P, double* /*x*/, double* D, double* Dl, double* Dv, double* xl,
               double* xv, double* Q, double* E, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("TPFLSH", {.D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width,
            [&](const PureFluid& f) { return flash_tp(f, input(T), input(P)); });
}

void TDFLSHdll(double* T, double* D, double* /*x*/, double* P, double* Dl, double* Dv, double* xl,
               double* xv, double* Q, double* E, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("TDFLSH", {.P = P, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width,
            [&](const PureFluid& f) { return flash_td(f, input(T), input(D)); });
}

void THFLSHdll(double* T, double* H, double* /*x*/, int* /*kr*/, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* Q, double* E, double* S, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  run_flash("THFLSH", {.P = P, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const PureFluid& f) {
              return flash_isotherm(f, input(T), Property::enthalpy, input(H));
            });
}

void TSFLSHdll(double* T, double* S, double* /*x*/, int* /*kr*/, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* Q, double* E, double* H, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  run_flash("TSFLSH", {.P = P, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E,
                       .H = H, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const PureFluid& f) {
              return flash_isotherm(f, input(T), Property::entropy, input(S));
            });
}

void TEFLSHdll(double* T, double* E, double* /*x*/, int* /*kr*/, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* Q, double* H, double* S, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  run_flash("TEFLSH", {.P = P, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const PureFluid& f) {
              return flash_isotherm(f, input(T), Property::internal_energy, input(E));
            });
}

void TQFLSHdll(double* T, double* Q, double* /*x*/, int* /*kq*/, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* E, double* H, double* S, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  run_flash("TQFLSH", {.P = P, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .E = E, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width,
            [&](const PureFluid& f) { return flash_tq(f, input(T), input(Q)); });
}

void PDFLSHdll(double* P, double* D, double* /*x*/, double* T, double* Dl, double* Dv, double* xl,
               double* xv, double* Q, double* E, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("PDFLSH", {.T = T, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const PureFluid& f) {
              return flash_isochore(f, input(D), Property::pressure, input(P));
            });
}

void PHFLSHdll(double* P, double* H, double* /*x*/, double* T, double* D, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* E, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("PHFLSH", {.T = T, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const PureFluid& f) {
              return flash_isobar(f, input(P), Property::enthalpy, input(H));
            });
}

void PSFLSHdll(double* P, double* S, double* /*x*/, double* T, double* D, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* E, double* H, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("PSFLSH", {.T = T, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E,
                       .H = H, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const PureFluid& f) {
              return flash_isobar(f, input(P), Property::entropy, input(S));
            });
}

void PEFLSHdll(double* P, double* E, double* /*x*/, double* T, double* D, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("PEFLSH", {.T = T, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const PureFluid& f) {
              return flash_isobar(f, input(P), Property::internal_energy, input(E));
            });
}

void PQFLSHdll(double* P, double* Q, double* /*x*/, int* /*kq*/, double* T, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* E, double* H, double* S, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  run_flash("PQFLSH", {.T = T, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .E = E, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width,
            [&](const PureFluid& f) { return flash_pq(f, input(P), input(Q)); });
}

void DHFLSHdll(double* D, double* H, double* /*x*/, double* T, double* P, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* E, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("DHFLSH", {.T = T, .P = P, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const PureFluid& f) {
              return flash_isochore(f, input(D), Property::enthalpy, input(H));
            });
}

void DSFLSHdll(double* D, double* S, double* /*x*/, double* T, double* P, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* E, double* H, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("DSFLSH", {.T = T, .P = P, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .E = E,
                       .H = H, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const PureFluid& f) {
              return flash_isochore(f, input(D), Property::entropy, input(S));
            });
}

void DEFLSHdll(double* D, double* E, double* /*x*/, double* T, double* P, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("DEFLSH", {.T = T, .P = P, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q, .H = H,
                       .S = S, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width, [&](const PureFluid& f) {
              return flash_isochore(f, input(D), Property::internal_energy, input(E));
            });
}

void HSFLSHdll(double* H, double* S, double* /*x*/, double* T, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* Q, double* E, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  run_flash("HSFLSH", {.T = T, .P = P, .D = D, .Dl = Dl, .Dv = Dv, .xl = xl, .xv = xv, .Q = Q,
                       .E = E, .Cv = Cv, .Cp = Cp, .W = W},
            ierr, herr, herr_width,
            [&](const PureFluid& f) { return flash_hs(f, input(H), input(S)); });
}

}  // extern "C"
