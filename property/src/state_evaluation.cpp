#include "property/state_evaluation.h"

#include <string>

#include "property/binding.h"
#include "property/fluid_setup.h"
#include "text.h"

namespace property {

namespace {

// Sets the state field a given-value letter names. V (specific volume) sets
// the density instead, and the letter in the code becomes D, unless the value
// is 0.
void SetGiven(char& letter, double value, StateCache& state) {
  switch (letter) {
    case 'T':
      state.T = value;
      break;
    case 'P':
      state.P = value;
      break;
    case 'D':
      state.D = value;
      break;
    case 'E':
      state.E = value;
      break;
    case 'H':
      state.H = value;
      break;
    case 'S':
      state.S = value;
      break;
    case 'Q':
      state.Q = value;
      break;
    case 'V':
      if (value != 0) {
        state.D = 1 / value;
        letter = 'D';
      }
      break;
    default:
      break;
  }
}

bool IsAnyOf(std::string_view code, std::initializer_list<std::string_view> codes) {
  for (std::string_view c : codes) {
    if (code == c) return true;
  }
  return false;
}

// Both orders of a two-property code.
bool IsPair(std::string_view code, std::string_view pair) {
  return code.size() == 2 && (code == pair || (code[0] == pair[1] && code[1] == pair[0]));
}

// Calls the entry point with the arguments, unless it is missing (then the
// request fails with the reason); the library's message then comes back into
// ErrorText.
template <typename Fn, typename... Args>
bool CallRoutine(EntryPoint<Fn> EntryPoints::*which, Args&&... args) {
  Fn* routine = RequireEntry(which);
  if (routine == nullptr) return false;
  routine(std::forward<Args>(args)...);
  return true;
}

// The routine's message, and its record where it failed.
void AdoptMessage(LayerState& layer) {
  layer.ErrorText.AdoptLibraryText();
  if (layer.ErrorCode > 0) TakeLibraryFailure(layer);
}

void Therm(LayerState& layer) {
  StateCache& s = layer.State;
  CallRoutine(&EntryPoints::THERMdll, &s.T, &s.D, layer.Composition.data(), &s.P, &s.E, &s.H, &s.S,
              &s.Cv, &s.Cp, &s.W, &s.JT);
}

// The saturation codes; false when the code is not one of them.
bool Saturation(std::string_view code, LayerState& layer, EvaluationState& ev) {
  StateCache& s = layer.State;
  double* x = layer.Composition.data();
  double* xl = ev.LiquidComposition.data();
  double* xv = ev.VapourComposition.data();
  int* err = &layer.ErrorCode;
  char* msg = layer.ErrorText.Buffer();
  const int w = layer.ErrorText.kWidth;
  const bool at_temperature = IsAnyOf(code, {"T", "TL", "TLIQ", "TVAP"});
  const bool at_pressure = IsAnyOf(code, {"P", "PL", "PLIQ", "PVAP"});
  if (at_temperature || at_pressure) {
    // SATTdll and SATPdll share one call shape: given, x, phase, the other one.
    double* given = at_temperature ? &s.T : &s.P;
    double* other = at_temperature ? &s.P : &s.T;
    if (!CallRoutine(at_temperature ? &EntryPoints::SATTdll : &EntryPoints::SATPdll, given, x,
                     &ev.PhaseSelector, other, &s.Dl, &s.Dv, xl, xv, err, msg, w)) {
      return true;
    }
    AdoptMessage(layer);
    s.D = ev.PhaseSelector == 2 ? s.Dv : s.Dl;
    Therm(layer);
  } else if (IsAnyOf(code, {"D", "DL", "DLIQ", "DVAP"})) {
    // The phase input is always 1; the routine says which phase D belongs to.
    int liquid = 1;
    if (!CallRoutine(&EntryPoints::SATDdll, &s.D, x, &liquid, &ev.SaturationPhase, &s.T, &s.P,
                     &s.Dl, &s.Dv, xl, xv, err, msg, w)) {
      return true;
    }
    AdoptMessage(layer);
    Therm(layer);
    s.Q = ev.SaturationPhase - 1;
  } else {
    return false;
  }
  return true;
}

// The two-property codes; each routine gets the given values in its own
// order, whichever order the code named them in. False when the code is not
// one of them.
bool Flash(std::string_view code, LayerState& layer, EvaluationState& ev) {
  StateCache& s = layer.State;
  double* x = layer.Composition.data();
  double* xl = ev.LiquidComposition.data();
  double* xv = ev.VapourComposition.data();
  int* err = &layer.ErrorCode;
  char* msg = layer.ErrorText.Buffer();
  const int w = layer.ErrorText.kWidth;
  int lower_density = 1;  // where two states share the given values
  using E = EntryPoints;

  bool called = false;
  bool known = true;
  if (IsPair(code, "TP")) {
    called = CallRoutine(&E::TPFLSHdll, &s.T, &s.P, x, &s.D, &s.Dl, &s.Dv, xl, xv, &s.Q, &s.E, &s.H,
                         &s.S, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "TD")) {
    called = CallRoutine(&E::TDFLSHdll, &s.T, &s.D, x, &s.P, &s.Dl, &s.Dv, xl, xv, &s.Q, &s.E, &s.H,
                         &s.S, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "TH")) {
    called = CallRoutine(&E::THFLSHdll, &s.T, &s.H, x, &lower_density, &s.P, &s.D, &s.Dl, &s.Dv, xl,
                         xv, &s.Q, &s.E, &s.S, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "TS")) {
    called = CallRoutine(&E::TSFLSHdll, &s.T, &s.S, x, &lower_density, &s.P, &s.D, &s.Dl, &s.Dv, xl,
                         xv, &s.Q, &s.E, &s.H, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "TE")) {
    called = CallRoutine(&E::TEFLSHdll, &s.T, &s.E, x, &lower_density, &s.P, &s.D, &s.Dl, &s.Dv, xl,
                         xv, &s.Q, &s.H, &s.S, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "TQ")) {
    called = CallRoutine(&E::TQFLSHdll, &s.T, &s.Q, x, &lower_density, &s.P, &s.D, &s.Dl, &s.Dv, xl,
                         xv, &s.E, &s.H, &s.S, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "PD")) {
    called = CallRoutine(&E::PDFLSHdll, &s.P, &s.D, x, &s.T, &s.Dl, &s.Dv, xl, xv, &s.Q, &s.E, &s.H,
                         &s.S, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "PH")) {
    called = CallRoutine(&E::PHFLSHdll, &s.P, &s.H, x, &s.T, &s.D, &s.Dl, &s.Dv, xl, xv, &s.Q, &s.E,
                         &s.S, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "PS")) {
    called = CallRoutine(&E::PSFLSHdll, &s.P, &s.S, x, &s.T, &s.D, &s.Dl, &s.Dv, xl, xv, &s.Q, &s.E,
                         &s.H, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "PE")) {
    called = CallRoutine(&E::PEFLSHdll, &s.P, &s.E, x, &s.T, &s.D, &s.Dl, &s.Dv, xl, xv, &s.Q, &s.H,
                         &s.S, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "PQ")) {
    called = CallRoutine(&E::PQFLSHdll, &s.P, &s.Q, x, &lower_density, &s.T, &s.D, &s.Dl, &s.Dv, xl,
                         xv, &s.E, &s.H, &s.S, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "DH")) {
    called = CallRoutine(&E::DHFLSHdll, &s.D, &s.H, x, &s.T, &s.P, &s.Dl, &s.Dv, xl, xv, &s.Q, &s.E,
                         &s.S, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "DS")) {
    called = CallRoutine(&E::DSFLSHdll, &s.D, &s.S, x, &s.T, &s.P, &s.Dl, &s.Dv, xl, xv, &s.Q, &s.E,
                         &s.H, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "DE")) {
    called = CallRoutine(&E::DEFLSHdll, &s.D, &s.E, x, &s.T, &s.P, &s.Dl, &s.Dv, xl, xv, &s.Q, &s.H,
                         &s.S, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else if (IsPair(code, "HS")) {
    called = CallRoutine(&E::HSFLSHdll, &s.H, &s.S, x, &s.T, &s.P, &s.D, &s.Dl, &s.Dv, xl, xv, &s.Q,
                         &s.E, &s.Cv, &s.Cp, &s.W, err, msg, w);
  } else {
    known = false;
  }
  if (called) AdoptMessage(layer);
  return known;
}

}  // namespace

EvaluationState& Evaluation() {
  thread_local EvaluationState state;
  return state;
}

void FlashState(std::string_view given_code, double value1, double value2) {
  LayerState& layer = Layer();
  EvaluationState& ev = Evaluation();
  std::string code = UpperCase(TrimBlanks(given_code));
  const char second = code.size() >= 2 ? code[1] : '\0';
  if (code.size() >= 1) SetGiven(code[0], value1, layer.State);
  if (code.size() >= 2) SetGiven(code[1], value2, layer.State);
  ev.PhaseSelector = second == 'L' ? 1 : 2;
  ev.Skipped = NothingComputed::kNo;
  if (code.starts_with('T') && value1 <= 0) {
    ev.Skipped = NothingComputed::kTemperatureNotPositive;
    return;
  }
  if (!Saturation(code, layer, ev) && !Flash(code, layer, ev)) {
    ev.Skipped = NothingComputed::kUnknownCode;
  }
}

void CalcState(std::string_view fluid, std::string_view code, std::string_view units, double value1,
               double value2) {
  std::string name(fluid);
  SelectFluid(name, code, units, value1, value2);
  if (Layer().ErrorCode <= 0) FlashState(code, value1, value2);
}

}  // namespace property
