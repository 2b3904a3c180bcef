// The recording stand-in's entry points: the same names and call shapes as
// the property library's.
#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <set>

#include "fluidcore/entry_points.h"
#include "recorder.h"

extern "C" FLUIDCORE_API recording::Recorder* RecordingFluidcore() {
  static recording::Recorder recorder;
  return &recorder;
}

namespace {

using recording::Call;

struct Named {
  const char* name;
  double* field;
};

recording::Recorder& Rec() { return *RecordingFluidcore(); }

bool Distinct(std::initializer_list<const void*> addresses) {
  return std::set<const void*>(addresses.begin(), addresses.end()).size() == addresses.size();
}

void Write(const char* routine, std::initializer_list<Named> outputs) {
  const auto& values = Rec().script.outputs;
  for (const Named& out : outputs) {
    auto found = values.find(std::string(routine) + "." + out.name);
    if (found == values.end()) found = values.find(out.name);
    if (found != values.end()) *out.field = found->second;
  }
}

void Report(const char* routine, int* ierr, char* herr, int width) {
  const auto& outcomes = Rec().script.outcomes;
  const auto found = outcomes.find(routine);
  const recording::Outcome outcome = found == outcomes.end() ? recording::Outcome{} : found->second;
  *ierr = outcome.code;
  if (outcome.code > 0) Rec().last_record = outcome.record;
  const auto size = static_cast<int>(outcome.message.size());
  std::memcpy(herr, outcome.message.data(), static_cast<std::size_t>(std::min(size, width)));
  if (size < width) {
    herr[size] = '\0';
    std::fill(herr + size + 1, herr + width, '#');
  }
}

// The pattern of every saturation and flash routine.
void Routine(const char* routine, std::initializer_list<Named> given,
             std::initializer_list<int*> fixed, double* x, std::initializer_list<Named> outputs,
             bool distinct, int* ierr, char* herr, int width) {
  Call call;
  call.routine = routine;
  for (const Named& g : given) call.given.emplace_back(g.name, *g.field);
  for (int* f : fixed) call.fixed.push_back(*f);
  std::copy_n(x, 20, call.x.begin());
  call.widths = {width};
  call.distinct_arguments = distinct;
  Rec().calls.push_back(call);
  Write(routine, outputs);
  Report(routine, ierr, herr, width);
}

}  // namespace

extern "C" {

void SETUPdll(int* ncomponents, char* fluid_files, char* mixing_file, char* reference_state,
              int* ierr, char* herr, int fluid_files_width, int mixing_file_width,
              int reference_state_width, int herr_width) {
  Call call;
  call.routine = "SETUPdll";
  call.component_count = *ncomponents;
  call.texts = {std::string(fluid_files, static_cast<std::size_t>(fluid_files_width)),
                std::string(mixing_file, static_cast<std::size_t>(mixing_file_width)),
                std::string(reference_state, static_cast<std::size_t>(reference_state_width)),
                std::string(herr, static_cast<std::size_t>(herr_width))};
  call.widths = {fluid_files_width, mixing_file_width, reference_state_width, herr_width};
  Rec().calls.push_back(call);
  Report("SETUPdll", ierr, herr, herr_width);
}

void WMOLdll(double* x, double* molar_mass) {
  Call call;
  call.routine = "WMOLdll";
  std::copy_n(x, 20, call.x.begin());
  Rec().calls.push_back(call);
  *molar_mass = Rec().script.molar_mass;
}

void CRITPdll(double* x, double* Tc, double* Pc, double* Dc, int* ierr, char* herr,
              int herr_width) {
  Routine("CRITPdll", {}, {}, x, {{"Tc", Tc}, {"Pc", Pc}, {"Dc", Dc}},
          Distinct({x, Tc, Pc, Dc, ierr, herr}), ierr, herr, herr_width);
}

void LIMITSdll(char* htyp, double* x, double* tmin, double* tmax, double* Dmax, double* pmax,
               int htyp_width) {
  Call call;
  call.routine = "LIMITSdll";
  call.texts = {std::string(htyp, static_cast<std::size_t>(htyp_width))};
  call.widths = {htyp_width};
  std::copy_n(x, 20, call.x.begin());
  call.distinct_arguments = Distinct({htyp, x, tmin, tmax, Dmax, pmax});
  Rec().calls.push_back(call);
  Write("LIMITSdll", {{"Tmin", tmin}, {"Tmax", tmax}, {"Dmax", Dmax}, {"pmax", pmax}});
}

void THERMdll(double* T, double* D, double* x, double* P, double* E, double* H, double* S,
              double* Cv, double* Cp, double* W, double* JT) {
  Call call;
  call.routine = "THERMdll";
  call.given = {{"T", *T}, {"D", *D}};
  std::copy_n(x, 20, call.x.begin());
  call.distinct_arguments = Distinct({T, D, x, P, E, H, S, Cv, Cp, W, JT});
  Rec().calls.push_back(call);
  Write("THERMdll",
        {{"P", P}, {"E", E}, {"H", H}, {"S", S}, {"Cv", Cv}, {"Cp", Cp}, {"W", W}, {"JT", JT}});
}

void SATTdll(double* T, double* x, int* kph, double* P, double* Dl, double* Dv, double* xl,
             double* xv, int* ierr, char* herr, int herr_width) {
  Routine("SATTdll", {{"T", T}}, {kph}, x, {{"P", P}, {"Dl", Dl}, {"Dv", Dv}},
          Distinct({T, x, kph, P, Dl, Dv, xl, xv, ierr, herr}), ierr, herr, herr_width);
}

void SATPdll(double* P, double* x, int* kph, double* T, double* Dl, double* Dv, double* xl,
             double* xv, int* ierr, char* herr, int herr_width) {
  Routine("SATPdll", {{"P", P}}, {kph}, x, {{"T", T}, {"Dl", Dl}, {"Dv", Dv}},
          Distinct({P, x, kph, T, Dl, Dv, xl, xv, ierr, herr}), ierr, herr, herr_width);
}

void SATDdll(double* D, double* x, int* kph, int* kr, double* T, double* P, double* Dl, double* Dv,
             double* xl, double* xv, int* ierr, char* herr, int herr_width) {
  Routine("SATDdll", {{"D", D}}, {kph}, x, {{"T", T}, {"P", P}, {"Dl", Dl}, {"Dv", Dv}},
          Distinct({D, x, kph, kr, T, P, Dl, Dv, xl, xv, ierr, herr}), ierr, herr, herr_width);
  const auto& outputs = Rec().script.outputs;
  if (const auto found = outputs.find("kr"); found != outputs.end()) {
    *kr = static_cast<int>(found->second);
  }
}

// The flash routines: two given values, the composition, then outputs.
void TPFLSHdll(double* T, double* P, double* x, double* D, double* Dl, double* Dv, double* xl,
               double* xv, double* Q, double* E, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  Routine("TPFLSHdll", {{"T", T}, {"P", P}}, {}, x,
          {{"D", D},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"E", E},
           {"H", H},
           {"S", S},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({T, P, x, D, Dl, Dv, xl, xv, Q, E, H, S, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void TDFLSHdll(double* T, double* D, double* x, double* P, double* Dl, double* Dv, double* xl,
               double* xv, double* Q, double* E, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  Routine("TDFLSHdll", {{"T", T}, {"D", D}}, {}, x,
          {{"P", P},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"E", E},
           {"H", H},
           {"S", S},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({T, D, x, P, Dl, Dv, xl, xv, Q, E, H, S, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void THFLSHdll(double* T, double* H, double* x, int* kr, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* Q, double* E, double* S, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  Routine("THFLSHdll", {{"T", T}, {"H", H}}, {kr}, x,
          {{"P", P},
           {"D", D},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"E", E},
           {"S", S},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({T, H, x, kr, P, D, Dl, Dv, xl, xv, Q, E, S, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void TSFLSHdll(double* T, double* S, double* x, int* kr, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* Q, double* E, double* H, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  Routine("TSFLSHdll", {{"T", T}, {"S", S}}, {kr}, x,
          {{"P", P},
           {"D", D},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"E", E},
           {"H", H},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({T, S, x, kr, P, D, Dl, Dv, xl, xv, Q, E, H, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void TEFLSHdll(double* T, double* E, double* x, int* kr, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* Q, double* H, double* S, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  Routine("TEFLSHdll", {{"T", T}, {"E", E}}, {kr}, x,
          {{"P", P},
           {"D", D},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"H", H},
           {"S", S},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({T, E, x, kr, P, D, Dl, Dv, xl, xv, Q, H, S, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void TQFLSHdll(double* T, double* Q, double* x, int* kr, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* E, double* H, double* S, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  Routine("TQFLSHdll", {{"T", T}, {"Q", Q}}, {kr}, x,
          {{"P", P},
           {"D", D},
           {"Dl", Dl},
           {"Dv", Dv},
           {"E", E},
           {"H", H},
           {"S", S},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({T, Q, x, kr, P, D, Dl, Dv, xl, xv, E, H, S, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void PDFLSHdll(double* P, double* D, double* x, double* T, double* Dl, double* Dv, double* xl,
               double* xv, double* Q, double* E, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  Routine("PDFLSHdll", {{"P", P}, {"D", D}}, {}, x,
          {{"T", T},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"E", E},
           {"H", H},
           {"S", S},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({P, D, x, T, Dl, Dv, xl, xv, Q, E, H, S, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void PHFLSHdll(double* P, double* H, double* x, double* T, double* D, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* E, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  Routine("PHFLSHdll", {{"P", P}, {"H", H}}, {}, x,
          {{"T", T},
           {"D", D},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"E", E},
           {"S", S},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({P, H, x, T, D, Dl, Dv, xl, xv, Q, E, S, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void PSFLSHdll(double* P, double* S, double* x, double* T, double* D, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* E, double* H, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  Routine("PSFLSHdll", {{"P", P}, {"S", S}}, {}, x,
          {{"T", T},
           {"D", D},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"E", E},
           {"H", H},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({P, S, x, T, D, Dl, Dv, xl, xv, Q, E, H, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void PEFLSHdll(double* P, double* E, double* x, double* T, double* D, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  Routine("PEFLSHdll", {{"P", P}, {"E", E}}, {}, x,
          {{"T", T},
           {"D", D},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"H", H},
           {"S", S},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({P, E, x, T, D, Dl, Dv, xl, xv, Q, H, S, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void PQFLSHdll(double* P, double* Q, double* x, int* kr, double* T, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* E, double* H, double* S, double* Cv,
               double* Cp, double* W, int* ierr, char* herr, int herr_width) {
  Routine("PQFLSHdll", {{"P", P}, {"Q", Q}}, {kr}, x,
          {{"T", T},
           {"D", D},
           {"Dl", Dl},
           {"Dv", Dv},
           {"E", E},
           {"H", H},
           {"S", S},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({P, Q, x, kr, T, D, Dl, Dv, xl, xv, E, H, S, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void DHFLSHdll(double* D, double* H, double* x, double* T, double* P, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* E, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  Routine("DHFLSHdll", {{"D", D}, {"H", H}}, {}, x,
          {{"T", T},
           {"P", P},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"E", E},
           {"S", S},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({D, H, x, T, P, Dl, Dv, xl, xv, Q, E, S, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void DSFLSHdll(double* D, double* S, double* x, double* T, double* P, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* E, double* H, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  Routine("DSFLSHdll", {{"D", D}, {"S", S}}, {}, x,
          {{"T", T},
           {"P", P},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"E", E},
           {"H", H},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({D, S, x, T, P, Dl, Dv, xl, xv, Q, E, H, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void DEFLSHdll(double* D, double* E, double* x, double* T, double* P, double* Dl, double* Dv,
               double* xl, double* xv, double* Q, double* H, double* S, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  Routine("DEFLSHdll", {{"D", D}, {"E", E}}, {}, x,
          {{"T", T},
           {"P", P},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"H", H},
           {"S", S},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({D, E, x, T, P, Dl, Dv, xl, xv, Q, H, S, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

void HSFLSHdll(double* H, double* S, double* x, double* T, double* P, double* D, double* Dl,
               double* Dv, double* xl, double* xv, double* Q, double* E, double* Cv, double* Cp,
               double* W, int* ierr, char* herr, int herr_width) {
  Routine("HSFLSHdll", {{"H", H}, {"S", S}}, {}, x,
          {{"T", T},
           {"P", P},
           {"D", D},
           {"Dl", Dl},
           {"Dv", Dv},
           {"Q", Q},
           {"E", E},
           {"Cv", Cv},
           {"Cp", Cp},
           {"W", W}},
          Distinct({H, S, x, T, P, D, Dl, Dv, xl, xv, Q, E, Cv, Cp, W, ierr, herr}), ierr, herr,
          herr_width);
}

}  // extern "C"
