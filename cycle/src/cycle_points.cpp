#include "cycle_points.h"

#include <string>

#include "cycle/number_text.h"
#include "property_requests.h"

namespace cycle::detail {

namespace {

// Below this relative rise the two saturation pressures of a pure fluid at one
// temperature are equal up to the library's tolerance.
constexpr double kLeastPressureRise = 1e-9;

void RequirePressureRise(std::string_view refrigerant, double Pe, double Pc) {
  if (Pc - Pe > kLeastPressureRise * Pe) return;
  throw CycleFailure(refrigerant, "the condensing pressure (" + FormatFixed(Pc / 100, 2) +
                                      " bar) is not above the evaporating pressure (" +
                                      FormatFixed(Pe / 100, 2) +
                                      " bar), so the compressor does no work and the cycle has no COP");
}

// The refrigerant evaporates this far below the hot water, which cools by as much.
constexpr double kEvaporatorApproach = 5;

}  // namespace

CycleConditions BasicCycleConditions(const BasicCycleInput& in) {
  return {in.Temperaturehotspring - kEvaporatorApproach, in.TemperatureCondensing, in.Subcooling,
          in.Superheating, in.Isotropicefficiency};
}

CycleConditions ComparisonCycleConditions(const ComparisonConditions& in) {
  return {in.TempEvap, in.TemperatureCondensing, in.Subcooling, in.Superheating,
          in.Isotropicefficiency};
}

CyclePoints EvaluateCyclePoints(std::string_view refrigerant, const CycleConditions& c) {
  using property::Enthalpy, property::Entropy, property::Pressure, property::Temperature;
  const double Te = c.evaporating + kKelvinOffset;
  const double Tc = c.condensing + kKelvinOffset;

  CyclePoints p{};
  p.Pe = Ask(Pressure, refrigerant, {"pressure", kEvaporatingState, "Tvap", Te});
  p.Pc = Ask(Pressure, refrigerant, {"pressure", kCondensingState, "Tliq", Tc});
  RequirePressureRise(refrigerant, p.Pe, p.Pc);
  p.h1 = Ask(Enthalpy, refrigerant, {"enthalpy", kSuctionState, "TP", Te + c.superheating, p.Pe});
  p.h3 = Ask(Enthalpy, refrigerant,
             {"enthalpy", kCondenserOutletState, "TP", Tc - c.subcooling, p.Pc});
  p.s1 = Ask(Entropy, refrigerant, {"entropy", kSuctionState, "PH", p.Pe, p.h1});
  p.h2s = Ask(Enthalpy, refrigerant, {"enthalpy", kIsentropicDischargeState, "PS", p.Pc, p.s1});
  p.h2 = p.h1 + Quotient(p.h2s - p.h1, c.efficiency / 100, refrigerant,
                         "the isentropic efficiency", "discharge enthalpy");
  p.T2K = Ask(Temperature, refrigerant, {"temperature", kDischargeState, "PH", p.Pc, p.h2});
  return p;
}

}  // namespace cycle::detail
