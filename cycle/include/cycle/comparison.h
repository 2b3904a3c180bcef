// The working-fluid comparison: up to eight refrigerants under the same
// conditions, sized from the evaporator side.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "cycle/field_defaults.h"
#include "cycle/library_text_option.h"
#include "property/property_functions.h"

namespace cycle {

constexpr int kMaxRefrigerants = 8;

// The seven operating conditions of the comparison form, as numbers.
struct ComparisonConditions {
  double HeatCapEvap = 0;            // kW
  double TempEvap = 0;               // degrees C
  double Subcooling = 0;             // K
  double Superheating = 0;           // K
  double TemperatureCondensing = 0;  // degrees C
  double Safetyfactor = 0;           // percent
  double Isotropicefficiency = 0;    // percent
};

// The record of the last comparison, read by the result pages. Slots are
// 0-based here (slot k of the pages is index k - 1).
struct ComparisonResults {
  short RefCount = 0;
  std::array<std::string, kMaxRefrigerants> RefName{};
  std::array<double, kMaxRefrigerants> COP{};
  std::array<double, kMaxRefrigerants> MassPerHeat{};           // kg/kJ
  std::array<double, kMaxRefrigerants> VaporVolume{};           // m^3/kg
  std::array<double, kMaxRefrigerants> DisplacementVolume{};    // m^3/h
  std::array<double, kMaxRefrigerants> DischargePressure{};     // bar
  std::array<double, kMaxRefrigerants> DischargeTemperature{};  // degrees C
  std::array<double, kMaxRefrigerants> PressureRatio{};
  // The conditions the figures were computed at, stored with them; the
  // diagrams and reports of the comparison are computed at these again.
  ComparisonConditions Conditions{};
};

// The one instance for the whole run of the program.
ComparisonResults& SharedComparisonResults();

// The checks of the seven conditions, in the order the Calculate command runs
// them: the message of the first that fails, or nothing.
std::optional<std::string> CheckComparisonConditions(const ComparisonConditions& conditions);

// The refusal of conditions no real cycle has, as for the basic calculation
// (basic_cycle.h), a negative heat capacity giving "Heat Capacity of
// Evaporator Incorrect"; the Calculate command runs it after all its other
// checks, those of the refrigerants included.
std::optional<std::string> CheckPossibleCycle(const ComparisonConditions& conditions);

// The critical temperature in degrees C that the Calculate command checks,
// from the result of CriticalPoint(name, "T", "mks"): a text in place of the
// number (the fluid could not be loaded) reads as its leading number, else 0
// kelvin, so that the check refuses the refrigerant.
double CriticalTemperature(const property::PropertyResult& critical_point);

// The Calculate command's check of a refrigerant: it condenses below its
// critical temperature (degrees C).
bool CondensesBelowCritical(const ComparisonConditions& conditions, double critical_temperature);

// The seven figures of one refrigerant, in this order.
struct CycleFigures {
  double COP = 0;
  double MassPerHeat = 0;           // kg/kJ
  double VaporVolume = 0;           // m^3/kg
  double DisplacementVolume = 0;    // m^3/h
  double DischargePressure = 0;     // bar
  double DischargeTemperature = 0;  // degrees C
  double PressureRatio = 0;
};

// Evaluates one refrigerant; a failed property request or a zero divisor
// gives a message that names the refrigerant and what failed, in the forms'
// terms (followed by the library's own text where asked for).
std::variant<CycleFigures, std::string> Cal(std::string name,
                                            const ComparisonConditions& conditions,
                                            LibraryText library_text = LibraryText::omitted);

// Why Cal failed: its message, and the same without the refrigerant's name
// in front, for a table that names it.
struct CalFailure {
  std::string message;
  std::string reason;
};
std::variant<CycleFigures, CalFailure> CalNamingFailure(std::string name,
                                                        const ComparisonConditions& conditions,
                                                        LibraryText library_text = LibraryText::omitted);

// The texts of the comparison form's fields, as typed.
struct ComparisonFields {
  std::string HeatCapEvap, TempEvap, Subcooling, Superheating, TemperatureCondensing,
      Safetyfactor, Isotropicefficiency;
  std::string NumberRefrigerant;  // "" or "1" to "8"
  std::array<std::string, kMaxRefrigerants> Refrigerant{};
};

// The comparison form's seven conditions at start; the screening, the
// layouts and the document take the same.
inline constexpr auto kComparisonDefaults = std::to_array<FieldDefault<ComparisonFields>>({
    {"capacity", "10", "heat capacity of the evaporator, kW", &ComparisonFields::HeatCapEvap},
    {"evaporating", "50", "evaporating temperature, 'C", &ComparisonFields::TempEvap},
    {"subcooling", "3.5", "subcooling, K", &ComparisonFields::Subcooling},
    {"superheating", "4", "superheating, K", &ComparisonFields::Superheating},
    {"condensing", "90", "condensing temperature, 'C", &ComparisonFields::TemperatureCondensing},
    {"safety", "100", "safety factor, %", &ComparisonFields::Safetyfactor},
    {"efficiency", "80", "isentropic efficiency, %", &ComparisonFields::Isotropicefficiency},
});

// The fields with the names as refrigerants 1 to N, or why they cannot be
// the refrigerants: "compare takes one to eight refrigerant names".
std::variant<ComparisonFields, std::string> WithRefrigerants(ComparisonFields fields,
                                                             std::span<const std::string> names);

// The seven conditions as the Calculate command reads them from the texts:
// each through the leading-number conversion.
ComparisonConditions ReadConditions(const ComparisonFields& fields);

// The refusal of the first condition field that holds more than a number
// ("1,5", "12abc"; FirstNumberRefusal of number_text.h), or nothing. The
// Calculate command runs it after the checks of the conditions and of the
// refrigerants, before refusing a cycle that cannot exist.
std::optional<std::string> RefuseTextsNotNumbers(const ComparisonFields& fields);

// The comparison form's Calculate command up to showing the first result
// page: copies the names into results, runs the checks in order, fetches the
// critical temperatures, checks the refrigerants, refuses a field that is
// not a number and a cycle that cannot exist, evaluates every refrigerant
// and stores the figures, RefCount last. Returns the message that ended the
// command, or nothing when results now hold the new comparison.
std::optional<std::string> RunComparison(const ComparisonFields& fields,
                                         ComparisonResults& results,
                                         LibraryText library_text = LibraryText::omitted);

}  // namespace cycle
