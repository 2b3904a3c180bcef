// The input checks of the two calculate commands. Each list runs in the order
// of the form's fields; the first failing check gives the message. The
// refusals of a cycle that cannot exist run after every check of a form.
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

#include "cycle/input_checks.h"

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "form_fields.h"
#include "named_values.h"

namespace cycle {

namespace {

struct Check {
  bool fails;
  const char* message;
};

std::optional<std::string> FirstFailure(std::initializer_list<Check> checks) {
  for (const Check& check : checks) {
    if (check.fails) return check.message;
  }
  return std::nullopt;
}

// A text such as "1e999" reads as infinity: refuse it before it reaches a
// property request or a figure.
std::optional<std::string> OutOfRange(std::span<const detail::NamedValue> values) {
  if (const auto name = detail::FirstNonFinite(values)) {
    return std::string(*name) + " is out of range";
  }
  return std::nullopt;
}

// A subcooled liquid warmer than its condensing temperature, a suction
// vapour colder than its evaporating temperature, a compressor better than
// an ideal one or one that gives work back: the figures would be negative
// duties and powers below the isentropic one.
std::optional<std::string> ImpossibleCycle(double subcooling, double superheating,
                                           double efficiency) {
  return FirstFailure({
      {subcooling < 0, "Subcooling Incorrect"},
      {superheating < 0, "Superheating Incorrect"},
      {efficiency > 100 || efficiency < 0, "Isotropic Efficiency Incorrect"},
  });
}

}  // namespace

std::optional<std::string> CheckNoNegativeSize(std::initializer_list<SizeField> sizes) {
  for (const SizeField& size : sizes) {
    if (size.value < 0) return std::string(size.name) + " Incorrect";
  }
  return std::nullopt;
}

std::optional<std::string> CheckPossibleCycle(const BasicCycleInput& in) {
  if (auto message = ImpossibleCycle(in.Subcooling, in.Superheating, in.Isotropicefficiency)) {
    return message;
  }
  return CheckNoNegativeSize(
      {{"Mass Flowrate Hot Water", in.Massflowrate}, {"Safety Factor", in.Safetyfactor}});
}

std::optional<std::string> CheckPossibleCycle(const ComparisonConditions& in) {
  if (auto message = ImpossibleCycle(in.Subcooling, in.Superheating, in.Isotropicefficiency)) {
    return message;
  }
  return CheckNoNegativeSize(
      {{"Heat Capacity of Evaporator", in.HeatCapEvap}, {"Safety Factor", in.Safetyfactor}});
}

std::optional<std::string> CheckBasicCycleInput(const BasicCycleInput& in) {
  // 15 itself is accepted: the check refuses only temperatures below 15.
  if (auto message = FirstFailure({
          {in.Refrigerant == "Select Refrigerant", "Please select Refrigerant"},
          {in.Massflowrate == 0, "Please Input Mass Flowrate Hot Water"},
          {in.Temperaturehotspring == 0, "Please Input Temperature Hot Water"},
          {in.Temperaturehotspring < 15, "Temperature of Hot water must > 15 Celsius"},
          {in.Subcooling == 0, "Please Input Subcooling"},
          {in.Superheating == 0, "Please Input Superheating"},
          {in.TemperatureCondensing == 0, "Please Input Temperature Condensing"},
          {in.TemperatureCondensing < in.Temperaturehotspring,
           "Please check temperature of condensing temperature"},
          {in.Safetyfactor == 0, "Please Input Safety Factor"},
          {in.Isotropicefficiency == 0, "Please Input Isotropic Efficiency"},
          // A blank name would reach the property layer with no fluid to load.
          {in.Refrigerant.find_first_not_of(" \t") == std::string::npos,
           "Please Input Refrigerant"},
      })) {
    return message;
  }
  return OutOfRange(detail::BasicNumberFields<detail::NamedValue>(in));
}

std::optional<std::string> CheckComparisonConditions(const ComparisonConditions& in) {
  if (auto message = FirstFailure({
          {in.HeatCapEvap == 0, "Please Input Heat Capacity of Evaporator"},
          {in.TempEvap == 0, "Please Input Temperature at Evaporator"},
          {in.TempEvap < 15, "Temperature at Evaporator Incorrect"},
          {in.TempEvap > 80, "Temperature at Evaporator Incorrect"},
          {in.Subcooling == 0, "Please Input Subcooling"},
          {in.Subcooling > 10, "Temperature of Subcooling Incorrect"},
          {in.Superheating == 0, "Please Input Superheating"},
          {in.Superheating > 15, "Temperature of Superheating Incorrect"},
          {in.TemperatureCondensing == 0, "Please Input Temperature Condensing"},
          {in.TemperatureCondensing < 40 || in.TemperatureCondensing < in.TempEvap ||
               in.TemperatureCondensing > 150,
           "Can't Use Heat Pump System"},
          {in.Safetyfactor == 0, "Please Input Safety Factor"},
          {in.Safetyfactor > 100, "Safety Factor Incorrect"},
          {in.Isotropicefficiency == 0, "Please Input Isotropic Efficiency"},
      })) {
    return message;
  }
  return OutOfRange(detail::ComparisonNumberFields<detail::NamedValue>(in));
}

}  // namespace cycle
