#include "cycle/comparison.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "cycle/number_text.h"
#include "cycle_points.h"
#include "form_fields.h"
#include "property_requests.h"

namespace cycle {

namespace {

constexpr double kSecondsPerHour = 3600;

CycleFigures Evaluate(const std::string& name, const ComparisonConditions& in) {
  using detail::Quotient;
  const double Qe = in.Safetyfactor / 100 * in.HeatCapEvap;
  const auto p = detail::EvaluateCyclePoints(name, detail::ComparisonCycleConditions(in));

  const double mr =
      Quotient(Qe, p.h1 - p.h3, name, "the refrigerating effect h1 - h3", "refrigerant mass flow");
  const double Qc = (p.h2 - p.h3) * mr;
  const double Wc = (p.h2 - p.h1) * mr;
  CycleFigures figures;
  figures.COP = Quotient(Qc, Wc, name, "the compressor power", "COP");
  figures.MassPerHeat =
      Quotient(1, p.h2 - p.h3, name, "h2 - h3", "refrigerant mass per unit heat output");
  const double v = detail::Ask(property::Volume, name,
                               {"saturated vapour volume", detail::kEvaporatingState, "Tvap",
                                in.TempEvap + detail::kKelvinOffset});
  figures.VaporVolume = v;
  figures.DisplacementVolume = v * mr * kSecondsPerHour;
  figures.DischargePressure = p.Pc / 100;
  figures.DischargeTemperature = p.T2K - detail::kKelvinOffset;
  figures.PressureRatio = Quotient(p.Pc, p.Pe, name, "the evaporating pressure", "pressure ratio");
  detail::RequireFinite(name, {{"displacement volume", figures.DisplacementVolume}});
  return figures;
}

// The number chosen in the drop-down list; anything but a whole number from 1
// to the number of slots counts as none chosen.
int ReadCount(const std::string& text) {
  const double n = LeadingNumber(text);
  const bool valid = n >= 1 && n <= kMaxRefrigerants && n == std::floor(n);
  return valid ? static_cast<int>(n) : 0;
}

std::string RefrigerantMessage(int slot) {
  return "Incorrect name or check the critical temperature of refrigerant" +
         std::to_string(slot + 1);
}

void Store(ComparisonResults& results, int slot, const CycleFigures& figures) {
  const auto k = static_cast<std::size_t>(slot);
  results.COP[k] = figures.COP;
  results.MassPerHeat[k] = figures.MassPerHeat;
  results.VaporVolume[k] = figures.VaporVolume;
  results.DisplacementVolume[k] = figures.DisplacementVolume;
  results.DischargePressure[k] = figures.DischargePressure;
  results.DischargeTemperature[k] = figures.DischargeTemperature;
  results.PressureRatio[k] = figures.PressureRatio;
}

}  // namespace

std::variant<ComparisonFields, std::string> WithRefrigerants(ComparisonFields fields,
                                                             std::span<const std::string> names) {
  if (names.empty() || names.size() > static_cast<std::size_t>(kMaxRefrigerants)) {
    return "compare takes one to eight refrigerant names";
  }
  fields.NumberRefrigerant = std::to_string(names.size());
  std::copy(names.begin(), names.end(), fields.Refrigerant.begin());
  return fields;
}

ComparisonConditions ReadConditions(const ComparisonFields& fields) {
  return {LeadingNumber(fields.HeatCapEvap),
          LeadingNumber(fields.TempEvap),
          LeadingNumber(fields.Subcooling),
          LeadingNumber(fields.Superheating),
          LeadingNumber(fields.TemperatureCondensing),
          LeadingNumber(fields.Safetyfactor),
          LeadingNumber(fields.Isotropicefficiency)};
}

std::optional<std::string> RefuseTextsNotNumbers(const ComparisonFields& fields) {
  return FirstNumberRefusal(detail::ComparisonNumberFields<TypedField>(fields));
}

double CriticalTemperature(const property::PropertyResult& critical_point) {
  double kelvin = 0;
  if (const double* value = std::get_if<double>(&critical_point)) kelvin = *value;
  if (const std::string* text = std::get_if<std::string>(&critical_point)) {
    kelvin = LeadingNumber(*text);
  }
  return (std::isfinite(kelvin) ? kelvin : 0) - detail::kKelvinOffset;
}

// Condensing at the critical temperature is refused like condensing above
// it, also where the two differ by a rounding error: R22's 369.295 K is
// 96.14500000000004 'C, and a typed 96.145 falls a hair below.
bool CondensesBelowCritical(const ComparisonConditions& conditions, double critical_temperature) {
  const double rounding = 1e-9 * (std::abs(critical_temperature) + detail::kKelvinOffset);
  return conditions.TemperatureCondensing < critical_temperature - rounding;
}

std::variant<CycleFigures, CalFailure> CalNamingFailure(std::string name,
                                                        const ComparisonConditions& conditions,
                                                        LibraryText library_text) {
  try {
    return Evaluate(name, conditions);
  } catch (const detail::CycleFailure& failure) {
    return CalFailure{failure.Message(library_text), failure.Reason(library_text)};
  }
}

std::variant<CycleFigures, std::string> Cal(std::string name,
                                            const ComparisonConditions& conditions,
                                            LibraryText library_text) {
  auto outcome = CalNamingFailure(std::move(name), conditions, library_text);
  if (auto* failure = std::get_if<CalFailure>(&outcome)) return std::move(failure->message);
  return std::get<CycleFigures>(outcome);
}

std::optional<std::string> RunComparison(const ComparisonFields& fields,
                                         ComparisonResults& results, LibraryText library_text) {
  const ComparisonConditions conditions = ReadConditions(fields);
  // The names are taken before any check, so a refused command still leaves them.
  results.RefName = fields.Refrigerant;
  const int count = ReadCount(fields.NumberRefrigerant);
  if (auto message = CheckComparisonConditions(conditions)) return message;

  // All critical temperatures are fetched before any of them is checked.
  std::vector<double> critical;
  for (int k = 0; k < count; ++k) {
    critical.push_back(CriticalTemperature(property::CriticalPoint(results.RefName[k], "T", "mks")));
  }
  if (count == 0) return "Please select Refrigerant";
  for (int k = 0; k < count; ++k) {
    if (results.RefName[k].empty() || !CondensesBelowCritical(conditions, critical[k])) {
      return RefrigerantMessage(k);
    }
  }
  if (auto message = RefuseTextsNotNumbers(fields)) return message;
  if (auto message = CheckPossibleCycle(conditions)) return message;

  // A failure of any refrigerant ends the command before a figure is stored,
  // so the record never mixes two comparisons below RefCount.
  std::vector<CycleFigures> evaluated;
  for (int k = 0; k < count; ++k) {
    auto outcome = Cal(results.RefName[k], conditions, library_text);
    if (auto* message = std::get_if<std::string>(&outcome)) return std::move(*message);
    evaluated.push_back(std::get<CycleFigures>(outcome));
  }
  for (int k = 0; k < count; ++k) Store(results, k, evaluated[k]);
  results.Conditions = conditions;
  results.RefCount = static_cast<short>(count);
  return std::nullopt;
}

}  // namespace cycle
