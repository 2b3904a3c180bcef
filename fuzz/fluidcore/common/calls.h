// Checked calls of every entry point: SETUP, the fifteen flashes, the
// saturation routines, THERM, CRITP and WMOL. Each call is listed in the
// trace, and what it wrote is checked before it returns.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "common/checks.h"

namespace fuzz {

// The width of a call's message buffer: mostly the usual, else any.
int width_of(FuzzedDataProvider& in);

struct Setup {
  int ierr = 0;
  std::string message;
};

Setup setup(int n, const std::string& files, int files_width, const std::string& mixing,
            const std::string& reference, int herr_width);

// A state by its letters.
struct StateValues {
  double T = kNaN, P = kNaN, D = kNaN, Dl = kNaN, Dv = kNaN, Q = kNaN;
  double E = kNaN, H = kNaN, S = kNaN, Cv = kNaN, Cp = kNaN, W = kNaN;

  double& operator[](char letter) {
    switch (letter) {
      case 'T': return T;
      case 'P': return P;
      case 'D': return D;
      case 'Q': return Q;
      case 'E': return E;
      case 'H': return H;
      default: return S;
    }
  }
  double operator[](char letter) const { return const_cast<StateValues&>(*this)[letter]; }
  bool two_phase() const { return Q >= 0 && Q <= 1; }
  std::string show() const {
    return "T=" + number(T) + " P=" + number(P) + " D=" + number(D) + " Dl=" + number(Dl) +
           " Dv=" + number(Dv) + " Q=" + number(Q) + " E=" + number(E) + " H=" + number(H) +
           " S=" + number(S) + " Cv=" + number(Cv) + " Cp=" + number(Cp) + " W=" + number(W);
  }
};

struct FlashCall {
  int ierr = 0;
  std::string message;
  StateValues s;  // the outputs, and the given values in their own fields
  Fractions xl{}, xv{};
  bool ok() const { return ierr <= 0; }
};

FlashCall flash(const std::string& pair, double a, double b, int k, const Model& m, int width,
                bool strict);

// kind: 'T' (SATT), 'P' (SATP) or 'D' (SATD). T and P hold the saturation
// temperature and pressure (the given one included).
struct SaturationCall {
  int ierr = 0;
  std::string message;
  double T = kNaN, P = kNaN, Dl = kNaN, Dv = kNaN;
  int kr = 0;
  Fractions xl{}, xv{};
  bool ok() const { return ierr <= 0; }
};

SaturationCall saturation(char kind, double value, int kph, const Model& m, int width, bool strict);

struct ThermCall {
  double P, E, H, S, Cv, Cp, W, JT;
};

// THERM has no error code: every output is written, a value or the marker.
ThermCall therm(double T, double D, const Fractions& composition);

struct CriticalCall {
  int ierr = 0;
  std::string message;
  double Tc = kNaN, Pc = kNaN, Dc = kNaN;
};

CriticalCall critical(const Model& m, int width, bool strict);

double molar_mass(const Model& m);

}  // namespace fuzz
