#include "cycle/basic_cycle.h"

#include "cycle/number_text.h"
#include "cycle_points.h"
#include "form_fields.h"
#include "property_requests.h"

namespace cycle {

namespace {

using detail::Ask;

constexpr double kKwPerTonOfRefrigeration = 3.517;

BasicCycleResult Evaluate(const BasicCycleInput& in) {
  const double cpw = Ask(property::Cp, "WATER",
                         {"heat capacity", "hot water", "TP",
                          in.Temperaturehotspring + detail::kKelvinOffset, detail::kHotWaterPressure});
  const detail::CycleConditions conditions = detail::BasicCycleConditions(in);
  const double Te = conditions.evaporating;
  const double Qw = in.Massflowrate * cpw * (in.Temperaturehotspring - Te);
  const double Qe = in.Safetyfactor * Qw / 100;
  const auto p = detail::EvaluateCyclePoints(in.Refrigerant, conditions);

  const double h4 = p.h3;
  const double mr = detail::Quotient(Qe, p.h1 - h4, in.Refrigerant,
                                     "the refrigerating effect h1 - h4", "refrigerant mass flow");
  const double Pe = p.Pe / 100;
  const double Pc = p.Pc / 100;
  const double v1 = Ask(property::Volume, in.Refrigerant,
                        {"specific volume", detail::kSuctionState, "TP",
                         Te + detail::kKelvinOffset + in.Superheating, p.Pe});
  const double T4K = Ask(property::Temperature, in.Refrigerant,
                         {"temperature", detail::kEvaporatorInletState, "PH", p.Pe, h4});
  const BasicCycleResult r{
      .Evap = Qe,
      .Conden = (p.h2 - p.h3) * mr,
      .Compress = (p.h2 - p.h1) * mr,
      .EV = Qe / kKwPerTonOfRefrigeration,
      .P1 = Pe, .P2 = Pc, .P3 = Pc, .P4 = Pe,
      .T1 = in.Superheating + Te,
      .T2 = p.T2K - detail::kKelvinOffset,
      .T3 = in.TemperatureCondensing - in.Subcooling,
      .T4 = Te,
      .H1 = p.h1, .H2 = p.h2s, .H3 = p.h3, .H4 = h4,
      .COP = detail::Quotient(p.h2 - p.h3, p.h2 - p.h1, in.Refrigerant,
                              "the compressor work h2 - h1", "COP"),
      .VHC = (p.h2 - p.h3) / v1,
      .H2actual = p.h2,
      .T4actual = T4K - detail::kKelvinOffset,
  };
  detail::RequireFinite(in.Refrigerant, {{"evaporator duty", r.Evap},
                                         {"condenser duty", r.Conden},
                                         {"compressor power", r.Compress},
                                         {"expansion valve size", r.EV},
                                         {"volumetric heating capacity", r.VHC}});
  return r;
}

}  // namespace

std::variant<BasicCycleInput, std::string> ReadBasicCycleInput(const BasicCycleFields& fields) {
  const BasicCycleInput input{fields.Refrigerant,
                              LeadingNumber(fields.Massflowrate),
                              LeadingNumber(fields.Temperaturehotspring),
                              LeadingNumber(fields.Subcooling),
                              LeadingNumber(fields.Superheating),
                              LeadingNumber(fields.TemperatureCondensing),
                              LeadingNumber(fields.Safetyfactor),
                              LeadingNumber(fields.Isotropicefficiency)};
  if (auto message = CheckBasicCycleInput(input)) return *message;
  if (auto message = FirstNumberRefusal(detail::BasicNumberFields<TypedField>(fields))) {
    return *message;
  }
  return input;
}

BasicCycleOutcome CalcBasicCycle(const BasicCycleInput& input, LibraryText library_text) {
  if (auto message = CheckBasicCycleInput(input)) return *message;
  if (auto message = CheckPossibleCycle(input)) return *message;
  try {
    return Evaluate(input);
  } catch (const detail::CycleFailure& failure) {
    return failure.Message(library_text);
  }
}

}  // namespace cycle
