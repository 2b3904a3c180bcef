#include "cycle/wet_compression.h"

#include "cycle_points.h"
#include "property_requests.h"
#include "wet_compression.h"

namespace cycle {

namespace detail {

property::StateProperties DewAt(std::string_view fluid, double pressure) {
  return AskState(fluid, {"properties", "saturated vapour", "Pvap", pressure});
}

double MinimumSuperheat(std::string_view fluid, const property::StateProperties& dew_at_pe,
                        const property::StateProperties& dew_at_pc) {
  if (dew_at_pc.S <= dew_at_pe.S) return 0;
  const double T =
      Ask(property::Temperature, fluid,
          {"temperature", "suction state of the least superheat", "PS", dew_at_pe.P, dew_at_pc.S});
  return T - dew_at_pe.T;
}

}  // namespace detail

std::variant<WetCompression, CalFailure> ComparisonWetCompression(
    const std::string& refrigerant, const ComparisonConditions& conditions,
    LibraryText library_text) {
  using detail::kKelvinOffset;
  try {
    const double Te = conditions.TempEvap + kKelvinOffset;
    const auto dew_e =
        detail::AskState(refrigerant, {"properties", detail::kEvaporatingState, "Tvap", Te});
    const double Pc = detail::Ask(property::Pressure, refrigerant,
                                  {"pressure", detail::kCondensingState, "Tliq",
                                   conditions.TemperatureCondensing + kKelvinOffset});
    const auto dew_c = detail::DewAt(refrigerant, Pc);
    const double s1 = detail::Ask(
        property::Entropy, refrigerant,
        {"entropy", detail::kSuctionState, "TP", Te + conditions.Superheating, dew_e.P});
    return WetCompression{detail::EndsWet(s1, dew_c),
                          detail::MinimumSuperheat(refrigerant, dew_e, dew_c)};
  } catch (const detail::CycleFailure& failure) {
    return CalFailure{failure.Message(library_text), failure.Reason(library_text)};
  }
}

}  // namespace cycle
