// The property library's exported entry points: their names and call shapes.
//
// Every argument is passed by address; x, xl and xv are arrays of
// kMaxComponents doubles (mole fractions). Each text is a buffer of its fixed
// width, and the widths follow at the end of the list, one per text, in the
// order of the texts. Units: K, kPa, mol/dm^3, J/mol, J/(mol K), m/s.
//
// ierr: 0 success, > 0 failure (herr says why), < 0 warning (value usable).
// A property that does not exist for the state (cv, cp, w of a two-phase
// state) is returned as kUndefined. Q is the molar vapour quality of a
// two-phase state; single-phase states return -998 (liquid), 998 (vapour) or
// 999 (supercritical), see fluidcore/flash.h. The error codes are listed in
// fluidcore/errors.h.
//
// Threads: every thread has its own current fluid. SETUPdll loads the fluid
// or mixture that the calling thread's later calls use; it changes nothing
// for any other thread, and a thread starts with no fluid loaded. Every
// entry point may be called from any number of threads at once, each thread
// on its own fluid (or on the same one): the parsed fluid and mixing files
// are shared between threads, read once and never changed, and each call
// gives, bit for bit, what it gives when every call is made on one thread.
// A caller's own arrays and texts (x, herr ...) must not be written by
// another thread during a call.
//
// The program binds these by name at run time (dlopen/dlsym); any library
// with the same names and shapes can stand in.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

#define FLUIDCORE_API __attribute__((visibility("default")))

enum {
  kFluidcoreMaxComponents = 20,
  kFluidcoreFileListWidth = 10000,
  kFluidcoreFileNameWidth = 255,
  kFluidcoreReferenceWidth = 3,
  kFluidcoreMessageWidth = 255,
};

// Marker of a property the library cannot give.
#define FLUIDCORE_UNDEFINED (-9999990.0)

FLUIDCORE_API void SETUPdll(int* ncomponents, char* fluid_files, char* mixing_file,
                            char* reference_state, int* ierr, char* herr,
                            int fluid_files_width, int mixing_file_width,
                            int reference_state_width, int herr_width);

FLUIDCORE_API void WMOLdll(double* x, double* molar_mass);

FLUIDCORE_API void CRITPdll(double* x, double* Tc, double* Pc, double* Dc, int* ierr,
                            char* herr, int herr_width);

// The range of the loaded fluid's equation (at the composition x for a
// mixture): the lower and upper temperature limits, the saturated liquid
// density at the lower limit (the densest saturated state) and the upper
// pressure limit. htyp names the model ("EOS"); the equation of state is the
// only one here. With no fluid loaded every value is FLUIDCORE_UNDEFINED.
FLUIDCORE_API void LIMITSdll(char* htyp, double* x, double* tmin, double* tmax, double* Dmax,
                             double* pmax, int htyp_width);

FLUIDCORE_API void THERMdll(double* T, double* D, double* x, double* P, double* E,
                            double* H, double* S, double* Cv, double* Cp, double* W,
                            double* JT);

// kph: 1 saturated liquid (bubble point), 2 saturated vapour (dew point).
FLUIDCORE_API void SATTdll(double* T, double* x, int* kph, double* P, double* Dl,
                           double* Dv, double* xl, double* xv, int* ierr, char* herr,
                           int herr_width);
FLUIDCORE_API void SATPdll(double* P, double* x, int* kph, double* T, double* Dl,
                           double* Dv, double* xl, double* xv, int* ierr, char* herr,
                           int herr_width);
// kph as above; kr returns the phase the given density belongs to (1 liquid,
// 2 vapour).
FLUIDCORE_API void SATDdll(double* D, double* x, int* kph, int* kr, double* T, double* P,
                           double* Dl, double* Dv, double* xl, double* xv, int* ierr,
                           char* herr, int herr_width);

FLUIDCORE_API void TPFLSHdll(double* T, double* P, double* x, double* D, double* Dl,
                             double* Dv, double* xl, double* xv, double* Q, double* E,
                             double* H, double* S, double* Cv, double* Cp, double* W,
                             int* ierr, char* herr, int herr_width);
FLUIDCORE_API void TDFLSHdll(double* T, double* D, double* x, double* P, double* Dl,
                             double* Dv, double* xl, double* xv, double* Q, double* E,
                             double* H, double* S, double* Cv, double* Cp, double* W,
                             int* ierr, char* herr, int herr_width);
// kr in the T-fixed and P-Q routines: 1 selects the lower-density state where
// two share the given values.
FLUIDCORE_API void THFLSHdll(double* T, double* H, double* x, int* kr, double* P,
                             double* D, double* Dl, double* Dv, double* xl, double* xv,
                             double* Q, double* E, double* S, double* Cv, double* Cp,
                             double* W, int* ierr, char* herr, int herr_width);
FLUIDCORE_API void TSFLSHdll(double* T, double* S, double* x, int* kr, double* P,
                             double* D, double* Dl, double* Dv, double* xl, double* xv,
                             double* Q, double* E, double* H, double* Cv, double* Cp,
                             double* W, int* ierr, char* herr, int herr_width);
FLUIDCORE_API void TEFLSHdll(double* T, double* E, double* x, int* kr, double* P,
                             double* D, double* Dl, double* Dv, double* xl, double* xv,
                             double* Q, double* H, double* S, double* Cv, double* Cp,
                             double* W, int* ierr, char* herr, int herr_width);
FLUIDCORE_API void TQFLSHdll(double* T, double* Q, double* x, int* kq, double* P,
                             double* D, double* Dl, double* Dv, double* xl, double* xv,
                             double* E, double* H, double* S, double* Cv, double* Cp,
                             double* W, int* ierr, char* herr, int herr_width);
FLUIDCORE_API void PDFLSHdll(double* P, double* D, double* x, double* T, double* Dl,
                             double* Dv, double* xl, double* xv, double* Q, double* E,
                             double* H, double* S, double* Cv, double* Cp, double* W,
                             int* ierr, char* herr, int herr_width);
FLUIDCORE_API void PHFLSHdll(double* P, double* H, double* x, double* T, double* D,
                             double* Dl, double* Dv, double* xl, double* xv, double* Q,
                             double* E, double* S, double* Cv, double* Cp, double* W,
                             int* ierr, char* herr, int herr_width);
FLUIDCORE_API void PSFLSHdll(double* P, double* S, double* x, double* T, double* D,
                             double* Dl, double* Dv, double* xl, double* xv, double* Q,
                             double* E, double* H, double* Cv, double* Cp, double* W,
                             int* ierr, char* herr, int herr_width);
FLUIDCORE_API void PEFLSHdll(double* P, double* E, double* x, double* T, double* D,
                             double* Dl, double* Dv, double* xl, double* xv, double* Q,
                             double* H, double* S, double* Cv, double* Cp, double* W,
                             int* ierr, char* herr, int herr_width);
FLUIDCORE_API void PQFLSHdll(double* P, double* Q, double* x, int* kq, double* T,
                             double* D, double* Dl, double* Dv, double* xl, double* xv,
                             double* E, double* H, double* S, double* Cv, double* Cp,
                             double* W, int* ierr, char* herr, int herr_width);
FLUIDCORE_API void DHFLSHdll(double* D, double* H, double* x, double* T, double* P,
                             double* Dl, double* Dv, double* xl, double* xv, double* Q,
                             double* E, double* S, double* Cv, double* Cp, double* W,
                             int* ierr, char* herr, int herr_width);
FLUIDCORE_API void DSFLSHdll(double* D, double* S, double* x, double* T, double* P,
                             double* Dl, double* Dv, double* xl, double* xv, double* Q,
                             double* E, double* H, double* Cv, double* Cp, double* W,
                             int* ierr, char* herr, int herr_width);
FLUIDCORE_API void DEFLSHdll(double* D, double* E, double* x, double* T, double* P,
                             double* Dl, double* Dv, double* xl, double* xv, double* Q,
                             double* H, double* S, double* Cv, double* Cp, double* W,
                             int* ierr, char* herr, int herr_width);
FLUIDCORE_API void HSFLSHdll(double* H, double* S, double* x, double* T, double* P,
                             double* D, double* Dl, double* Dv, double* xl, double* xv,
                             double* Q, double* E, double* Cv, double* Cp, double* W,
                             int* ierr, char* herr, int herr_width);

#ifdef __cplusplus
}
#endif
