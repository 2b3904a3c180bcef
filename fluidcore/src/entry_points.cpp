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
#include "fluidcore/fluid_file.h"
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

void THERMdll(double* T, double* D, double* /*x*/, double* P, double* E, double* H, double* S,
              double* Cv, double* Cp, double* W, double* JT) {
  guarded(nullptr, nullptr, 0, "THERM", [&] {
    double* outputs[] = {P, E, H, S, Cv, Cp, W, JT};
    for (double* o : outputs) set(o, FLUIDCORE_UNDEFINED);
    const auto& f = session().fluid;
    const double t = T ? *T : NAN, d = D ? *D : NAN;
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

}  // extern "C"
