// State evaluation: a request names a fluid, an input code saying which two
// properties are given, a unit system and the two values; the state the
// library computes from them fills the state cache (library units).
//
// Input codes are trimmed and read without regard to case. The first
// character names the first value and the second character the second: T
// temperature, P pressure, D density, V specific volume (turned into a
// density), E internal energy, H enthalpy, S entropy, Q quality; either order
// of a pair reaches the same flash routine ("PH" and "HP"). The saturation
// codes name one value: "T", "TL", "TLIQ", "TVAP", "P", "PL", "PLIQ", "PVAP",
// "D", "DL", "DLIQ", "DVAP"; a second character "L" selects the saturated
// liquid, anything else the saturated vapour.
#pragma once

#include <array>
#include <string_view>

#include "property/layer_state.h"

namespace property {

// Why the last FlashState called no library routine, the state cache then
// holding only the given values: nothing where it called one.
enum class NothingComputed { kNo, kUnknownCode, kTemperatureNotPositive };

struct EvaluationState {
  NothingComputed Skipped = NothingComputed::kNo;
  int PhaseSelector = 0;                 // 1 saturated liquid, 2 saturated vapour
  int SaturationPhase = 0;               // from the density saturation routine: 1 liquid, 2 vapour
  ComponentFractions LiquidComposition;  // written by the library, never read
  ComponentFractions VapourComposition;
  int CriticalErrorCode = 0;
  FixedText<kMessageWidth> CriticalErrorText;
};

// The calling thread's instance.
EvaluationState& Evaluation();

// Loads the fluid and converts the two values into library units
// (SelectFluid); unless that failed, evaluates the state (FlashState).
void CalcState(std::string_view fluid, std::string_view code, std::string_view units, double value1,
               double value2);

// Fills the state cache from two given values in library units. An unknown
// code, or a temperature code with a first value of 0 or less, calls no
// library routine (and says so in Evaluation().Skipped). ErrorCode and
// ErrorText come from the routine called.
void FlashState(std::string_view code, double value1, double value2);

}  // namespace property
