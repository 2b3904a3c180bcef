// The mixture side of the C shim: the mixture SETUP loads, the composition
// each call brings, and the bodies of the entry points for mixtures.
// entry_points.cpp hands a call over here whenever a mixture is loaded.
//
// Compositions: a blend (mixtures/NAME.mix, loaded by its name) uses its own
// stored composition and ignores the caller's x. Otherwise x holds one mole
// fraction per component; zeros are allowed (the component is absent),
// fractions that do not add up to 1 are normalised, and a negative, NaN or
// infinite fraction, or fractions adding up to 0, are refused with a
// message naming the component.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fluidcore/fixed_mixture.h"
#include "fluidcore/mixture_files.h"
#include "api/shim.h"

namespace fluidcore {

class MixtureSession {
 public:
  bool loaded() const { return loaded_.has_value(); }
  void clear() { loaded_.reset(); }
  void load(LoadedMixture mixture) { loaded_ = std::move(mixture); }

  // The loaded mixture at the composition of a call; nullptr, with the
  // reason in *why where asked for, where x cannot be used.
  std::shared_ptr<const FixedMixture> at(const double* x, Failure* why = nullptr);

 private:
  std::optional<LoadedMixture> loaded_;
  // Recently used compositions, most recent first. They outlive a new
  // setup: "AIR" is set up again for every request, and its lines and
  // critical point should be traced once.
  std::vector<std::shared_ptr<const FixedMixture>> recent_;
};

namespace mixture_calls {

// SETUP with n != 1 components: "fluids\R32.fld|fluids\R125.fld|" joined by
// the pairs of the mixing file.
void setup(MixtureSession& session, MixtureLibrary& library, int n, const std::string& files,
           const std::string& mixing_file, int* ierr, char* herr, int herr_width);

// SETUP of a single name that stood for a blend before (no file access).
// False (nothing reported) where it did not.
bool setup_known_blend(MixtureSession& session, MixtureLibrary& library, const std::string& name,
                       const std::string& mixing_file, int* ierr, char* herr, int herr_width);

// SETUP of a single name that is no fluid file: the blend of that name.
// False (nothing reported) where there is no such blend.
bool setup_blend(MixtureSession& session, MixtureLibrary& library, const std::string& name,
                 const std::string& mixing_file, int* ierr, char* herr, int herr_width);

void WMOL(MixtureSession& session, const double* x, double* molar_mass);
void CRITP(MixtureSession& session, const double* x, double* Tc, double* Pc, double* Dc,
           int* ierr, char* herr, int herr_width);
// The limits of the mixture at x; FLUIDCORE_UNDEFINED where x cannot be used.
void LIMITS(MixtureSession& session, const double* x, double* tmin, double* tmax, double* Dmax,
            double* pmax);
void THERM(MixtureSession& session, const double* T, const double* D, const double* x,
           const ThermOutputs& out);
void SATT(MixtureSession& session, const double* T, const double* x, const int* kph, double* P,
          double* Dl, double* Dv, double* xl, double* xv, int* ierr, char* herr, int herr_width);
void SATP(MixtureSession& session, const double* P, const double* x, const int* kph, double* T,
          double* Dl, double* Dv, double* xl, double* xv, int* ierr, char* herr, int herr_width);
void SATD(MixtureSession& session, const double* D, const double* x, int* kr, double* T,
          double* P, double* Dl, double* Dv, double* xl, double* xv, int* ierr, char* herr,
          int herr_width);

// Copies a composition into the caller's 20-element array (zeros beyond).
void write_composition(double* out, const Fractions& x);

}  // namespace mixture_calls
}  // namespace fluidcore
