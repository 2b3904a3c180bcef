// What every part of the C shim shares: writing outputs, error texts and
// failure records through the caller's pointers, and the guard that keeps
// exceptions from crossing the C boundary.
#pragma once

#include <cmath>
#include <exception>
#include <string>
#include <vector>

#include "api/c_text.h"
#include "flash/flash_support.h"
#include "fluidcore/entry_points.h"
#include "fluidcore/errors.h"
#include "fluidcore/failure.h"

namespace fluidcore {

inline double finite_or_undefined(double v) { return std::isfinite(v) ? v : FLUIDCORE_UNDEFINED; }

inline void set(double* out, double v) {
  if (out) *out = finite_or_undefined(v);
}

// A code and its text: success (code 0, a blank text), or a warning whose
// text the library words where it arises.
inline void report(int* ierr, char* herr, int width, int code, const std::string& message) {
  if (ierr) *ierr = code;
  c_text::write(herr, width, message);
}

// A failure (code > 0) or a warning (code < 0) and why: the text is the
// routine's name and the record in words; a failure's record is kept for the
// calling thread (fluidcore_last_failure_v1).
void report(int* ierr, char* herr, int width, const char* routine, int code, const Failure& why);

// Runs body(); an escaping exception becomes error kInternal.
template <class Body>
void guarded(int* ierr, char* herr, int width, const char* routine, Body body) {
  try {
    body();
  } catch (const std::exception& e) {
    report(ierr, herr, width, routine, kInternal, failure::Internal{e.what()});
  } catch (...) {
    report(ierr, herr, width, routine, kInternal, failure::Internal{});
  }
}

// Whether the fluid file list names as many files as components were asked
// for; reports the mismatch otherwise (a "|" typed into a fluid name must not
// quietly load only its first part).
inline bool files_match_count(int n, const std::vector<std::string>& names,
                              const std::string& files, int* ierr, char* herr, int width) {
  if (static_cast<int>(names.size()) == n) return true;
  report(ierr, herr, width, "SETUP", kBadInput,
         failure::FileCount{n, static_cast<int>(names.size()), files});
  return false;
}

// A result's status and why: nothing to say on plain success.
template <class Result>
void report_result(const Result& r, const char* routine, int* ierr, char* herr, int width) {
  if (r.why) report(ierr, herr, width, routine, r.status, *r.why);
  else report(ierr, herr, width, r.status, "");
}

inline double input(const double* v) { return v ? *v : NAN; }

// The outputs the saturation routines share: the value found (P or T), Dl
// and Dv, and the phase compositions (written by write_compositions); on
// failure zeros and the reason, the compositions untouched.
template <class Result, class WriteCompositions>
void report_saturation(const Result& r, const char* routine, double* first_out, double first_value,
                       double* Dl, double* Dv, int* ierr, char* herr, int width,
                       WriteCompositions write_compositions) {
  if (!r.ok()) {
    for (double* o : {first_out, Dl, Dv}) set(o, 0);
    report_result(r, routine, ierr, herr, width);
    return;
  }
  set(first_out, first_value);
  set(Dl, r.point.rhoL);
  set(Dv, r.point.rhoV);
  write_compositions();
  report_result(r, routine, ierr, herr, width);
}

// THERM's outputs, all undefined unless (T, D) can be evaluated: T > 0 and
// D >= 0, with D = 0 the ideal-gas limit (p = 0, infinite entropy); cv, cp
// and w undefined where the state has none (heat_capacities).
// evaluate(T, rho) gives the state, or nullopt when there is nothing to
// evaluate (no fluid, no usable composition).
struct ThermOutputs {
  double *P, *E, *H, *S, *Cv, *Cp, *W, *JT;
};

template <class Evaluate>
void write_therm(const double* T, const double* D, const ThermOutputs& o, Evaluate evaluate) {
  for (double* out : {o.P, o.E, o.H, o.S, o.Cv, o.Cp, o.W, o.JT}) set(out, FLUIDCORE_UNDEFINED);
  const double t = input(T), d = input(D);
  if (!(t > 0) || !(d >= 0) || !std::isfinite(t) || !std::isfinite(d)) return;
  const auto st = evaluate(t, d > 0 ? d : 1e-300);
  if (!st) return;
  set(o.P, d > 0 ? st->p : 0.0);
  set(o.E, st->e);
  set(o.H, st->h);
  set(o.S, d > 0 ? st->s : FLUIDCORE_UNDEFINED);
  const auto c = heat_capacities(*st);
  set(o.Cv, c.cv);
  set(o.Cp, c.cp);
  set(o.W, c.w);
  set(o.JT, st->jt);
}

}  // namespace fluidcore
