#include "c_api.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "fluidcore/entry_points.h"

namespace fluidcore::test {

int setup_fluid(const std::string& files, std::string* message) {
  std::string list = files + std::string(files.size() < 10000 ? 10000 - files.size() : 0, ' ');
  std::string mix = "fluids\\hmx.bnc" + std::string(241, ' '), ref = "DEF";
  std::string herr(255, '\0');
  int n = 1, ierr = -1;
  SETUPdll(&n, list.data(), mix.data(), ref.data(), &ierr, herr.data(), 10000, 255, 3, 255);
  if (message) *message = herr.substr(0, herr.find_last_not_of(' ') + 1);
  return ierr;
}

CallResult call_flash(const std::string& pair, double v1, double v2, int k, const double* given_x,
                      double* out_xl, double* out_xv) {
  constexpr double kSentinel = -12345.678;
  CallResult r;
  r.T = r.P = r.D = r.Dl = r.Dv = r.Q = r.E = r.H = r.S = r.Cv = r.Cp = r.W = kSentinel;
  double x[20] = {}, own_xl[20], own_xv[20];
  if (given_x) std::copy(given_x, given_x + 20, x);
  double* xl = out_xl ? out_xl : own_xl;
  double* xv = out_xv ? out_xv : own_xv;
  double a = v1, b = v2;
  std::string herr(255, '\0');
  int ierr = -777;
  char* m = herr.data();
  if (pair == "TP") TPFLSHdll(&a, &b, x, &r.D, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.E, &r.H, &r.S, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "TD") TDFLSHdll(&a, &b, x, &r.P, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.E, &r.H, &r.S, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "TH") THFLSHdll(&a, &b, x, &k, &r.P, &r.D, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.E, &r.S, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "TS") TSFLSHdll(&a, &b, x, &k, &r.P, &r.D, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.E, &r.H, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "TE") TEFLSHdll(&a, &b, x, &k, &r.P, &r.D, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.H, &r.S, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "TQ") TQFLSHdll(&a, &b, x, &k, &r.P, &r.D, &r.Dl, &r.Dv, xl, xv, &r.E, &r.H, &r.S, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "PD") PDFLSHdll(&a, &b, x, &r.T, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.E, &r.H, &r.S, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "PH") PHFLSHdll(&a, &b, x, &r.T, &r.D, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.E, &r.S, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "PS") PSFLSHdll(&a, &b, x, &r.T, &r.D, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.E, &r.H, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "PE") PEFLSHdll(&a, &b, x, &r.T, &r.D, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.H, &r.S, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "PQ") PQFLSHdll(&a, &b, x, &k, &r.T, &r.D, &r.Dl, &r.Dv, xl, xv, &r.E, &r.H, &r.S, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "DH") DHFLSHdll(&a, &b, x, &r.T, &r.P, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.E, &r.S, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "DS") DSFLSHdll(&a, &b, x, &r.T, &r.P, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.E, &r.H, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "DE") DEFLSHdll(&a, &b, x, &r.T, &r.P, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.H, &r.S, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else if (pair == "HS") HSFLSHdll(&a, &b, x, &r.T, &r.P, &r.D, &r.Dl, &r.Dv, xl, xv, &r.Q, &r.E, &r.Cv, &r.Cp, &r.W, &ierr, m, 255);
  else throw std::invalid_argument("no flash routine for " + pair);
  r.ierr = ierr;
  r.raw = herr;
  r.message = herr.substr(0, herr.find_last_not_of(' ') + 1);
  return r;
}

double given_value(const FlashState& s, char letter) {
  switch (letter) {
    case 'T': return s.T;
    case 'P': return s.p;
    case 'D': return s.rho;
    case 'H': return s.h;
    case 'S': return s.s;
    case 'E': return s.e;
    case 'Q': return s.q;
  }
  return NAN;
}

}  // namespace fluidcore::test
