// The four cycle points that the basic calculation and the comparison share.
#pragma once

#include <string_view>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "numerics/celsius.h"

namespace cycle::detail {

using numerics::kKelvinOffset;

// The pressure of the hot water that the heat pumps heat, kPa.
constexpr double kHotWaterPressure = 100;
// The states of the cycle, as messages name them.
inline constexpr std::string_view kEvaporatingState = "evaporating state";
inline constexpr std::string_view kCondensingState = "condensing state";
inline constexpr std::string_view kSuctionState = "suction state (point 1)";
inline constexpr std::string_view kIsentropicDischargeState = "isentropic discharge state (point 2s)";
inline constexpr std::string_view kDischargeState = "discharge state (point 2)";
inline constexpr std::string_view kCondenserOutletState = "condenser outlet state (point 3)";
inline constexpr std::string_view kEvaporatorInletState = "evaporator inlet state (point 4)";

struct CycleConditions {
  double evaporating;    // Te, degrees C
  double condensing;     // degrees C
  double subcooling;     // K
  double superheating;   // K
  double efficiency;     // isentropic efficiency, percent
};

// The basic calculation evaporates 5 K below the hot water.
CycleConditions BasicCycleConditions(const BasicCycleInput& input);
CycleConditions ComparisonCycleConditions(const ComparisonConditions& conditions);

struct CyclePoints {
  double Pe;   // evaporating pressure (saturated vapour at Te), kPa
  double Pc;   // condensing pressure (saturated liquid), kPa
  double h1;   // suction, kJ/kg
  double h3;   // condenser outlet (= h4), kJ/kg
  double s1;   // suction, kJ/kg-K
  double h2s;  // isentropic discharge, kJ/kg
  double h2;   // actual discharge, kJ/kg
  double T2K;  // discharge temperature, K
};

// The seven property requests for Pe, Pc, h1, h3, s1, h2s and T2K, in this
// order. Throws CycleFailure for a failed request, for no rise of pressure
// from evaporator to condenser (the compressor would do no work), and for an
// efficiency of zero.
CyclePoints EvaluateCyclePoints(std::string_view refrigerant, const CycleConditions& conditions);

}  // namespace cycle::detail
