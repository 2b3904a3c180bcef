// Failed property requests told in the forms' terms: the library's records
// told, and failures provoked through the inputs of every calculation.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/diagram.h"
#include "cycle/screening.h"
#include "library_text.h"
#include "property/binding.h"
#include "property/property_functions.h"
#include "property_requests.h"
#include "recorder.h"

namespace {

using cycle::detail::InFormTerms;
using fluidcore::Quantity;
namespace failure = fluidcore::failure;

// Records as the property layer hands them on: values in "mks" (K, kPa,
// kg/m^3, kJ/kg, kJ/kg-K).
TEST(InFormTerms, TellsTheLibrarysRecordInTheFormsUnits) {
  using failure::Limit, failure::Side;
  const struct {
    property::RequestFailure why;
    std::optional<std::string> told;  // nothing: not to be shown
  } cases[] = {
      {fluidcore::Failure(failure::BeyondLimit{{Quantity::temperature, 393.15}, Side::above,
                                               Limit::critical_temperature, 369.295, "R22"}),
       "temperature 120.00 'C is above the critical temperature 96.15 'C of R22"},
      {fluidcore::Failure(failure::BeyondLimit{{Quantity::pressure, 100000}, Side::above,
                                               Limit::upper_limit, 60000, "R22"}),
       "pressure 1000.00 bar is above the upper limit 600.00 bar of R22"},
      {fluidcore::Failure(failure::BeyondValueAtLimit{{Quantity::enthalpy, 2684.44},
                                                      {Quantity::pressure, 4442.32},
                                                      610.48,
                                                      Side::above,
                                                      550,
                                                      "R22"}),
       "enthalpy 2684.44 kJ/kg at pressure 44.42 bar is above the value 610.48 kJ/kg at the upper "
       "temperature limit 276.85 'C of R22"},
      {fluidcore::Failure(failure::BeyondValueAtLimit{{Quantity::entropy, 2},
                                                      {Quantity::pressure, 4000},
                                                      1.82219,
                                                      Side::above,
                                                      550,
                                                      "R22"}),
       "entropy 2.0000 kJ/kg-K at pressure 40.00 bar is above the value 1.8222 kJ/kg-K at the "
       "upper temperature limit 276.85 'C of R22"},
      {fluidcore::Failure(failure::BeyondLimit{{Quantity::density, 1210.55}, Side::above,
                                               Limit::highest_density, 1297.02, "R22"}),
       "density 1210.55 kg/m^3 is above the highest density 1297.02 kg/m^3 of R22"},
      // Small numbers keep three digits, the smallest in exponent form.
      {fluidcore::Failure(failure::BeyondLimit{{Quantity::pressure, 1e-3}, Side::below,
                                               Limit::lower_limit_saturation_pressure, 2.5e-05, "R22"}),
       "pressure 0.0000100 bar is below the lower-limit saturation pressure 2.50e-07 bar of R22"},
      {fluidcore::Failure(failure::NoPoint{failure::Point::bubble, {Quantity::temperature, 400},
                                           344.494, "R410A"}),
       "no bubble point of R410A at temperature 126.85 'C (the critical temperature is 71.34 'C)"},
      {fluidcore::Failure(failure::NoSplitConvergence{}), "no convergence of the two-phase split"},
      {fluidcore::Failure(failure::NoStateOnIsochore{
           1000, {Quantity::pressure, 5000}, 115.73, 550, std::nullopt, "R22"}),
       "no state of R22 at density 1000.00 kg/m^3 has pressure 50.00 bar between -157.42 'C and "
       "276.85 'C"},
      // Files told as such for the name asked for, without their paths.
      {fluidcore::Failure(failure::FileFault{true, "fluid file fluids\\R999.fld not found"}),
       "R22 is not a fluid or mixture the property library knows"},
      {fluidcore::Failure(failure::FileFault{false, "fluid file /opt/R22.fld is malformed"}),
       "the fluid or mixture file of R22 cannot be read"},
      {fluidcore::Failure(failure::FileCount{2, 1, "R32.fld"}),
       "the fluid or mixture file of R22 cannot be read"},
      // The layer's own reason, as it states it.
      {property::OwnReason{}, "Too many components"},
      // Nothing the engineer could act on, or nothing known.
      {fluidcore::Failure(failure::NoFluid{}), std::nullopt},
      {fluidcore::Failure(failure::Internal{"vector::_M_range_check"}), std::nullopt},
      {property::LibraryUnavailable{}, std::nullopt},
      {property::ConversionFailed{}, std::nullopt},
      {std::monostate{}, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InFormTerms(c.why, "R22", "Too many components"), c.told) << c.told.value_or("-");
  }
}

// The cycle's words come from the library's record, whatever its text says;
// a library without records is answered with what was asked.
TEST(FailedPropertyRequests, AreToldFromTheLibrarysRecordNotItsText) {
  struct Rebound {
    ~Rebound() { property::BindLibrary(property::DefaultLibraryFile()); }
  } rebound;
  const fluidcore::Failure above_critical = failure::BeyondLimit{
      {Quantity::temperature, 393.15}, failure::Side::above,
      failure::Limit::critical_temperature, 369.295, "R22"};
  const auto message = [&](const char* library, const std::string& text) {
    void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);  // kept: the recorder lives on
    auto& recorder =
        *reinterpret_cast<recording::Recorder* (*)()>(dlsym(handle, "RecordingFluidcore"))();
    recorder.Reset();
    recorder.script.outcomes["SATTdll"] = {2, text, above_critical};
    property::BindLibrary(library);
    try {
      cycle::detail::Ask(property::Pressure, "R22",
                         {"pressure", "evaporating state", "Tvap", 393.15});
    } catch (const cycle::detail::CycleFailure& failure) {
      return std::string(failure.what());
    }
    return std::string("no failure");
  };
  const std::string told =
      "R22: the pressure of the evaporating state cannot be computed: temperature 120.00 'C is "
      "above the critical temperature 96.15 'C of R22";
  EXPECT_EQ(message(RECORDING_FLUIDCORE_FILE,
                    "SATT: temperature 393.15 K is above the critical temperature 369.295 K of R22"),
            told);
  EXPECT_EQ(message(RECORDING_FLUIDCORE_FILE, "SATT: T = 393.15 K > Tc = 369.295 K (R22)"), told);
  EXPECT_EQ(message(RECORDING_FLUIDCORE_UNTYPED_FILE,
                    "SATT: temperature 393.15 K is above the critical temperature 369.295 K of R22"),
            "R22: the pressure of the evaporating state cannot be computed at 120.00 'C");
}

// What a message of the forms must hold, and must not.
void ExpectInFormsTerms(const std::string& message, const std::string& state) {
  EXPECT_NE(message.find(state), std::string::npos) << message;
  const bool has_unit = message.find(" 'C") != std::string::npos ||
                        message.find(" bar") != std::string::npos ||
                        message.find(" kJ/kg") != std::string::npos;
  EXPECT_TRUE(has_unit) << message;
  for (const char* internal : {"J/mol", "FLSH", "SATT", ".fld", "\\", " K ", "kPa"}) {
    EXPECT_EQ(message.find(internal), std::string::npos) << internal << " in " << message;
  }
  std::string without_units = message;
  for (const std::string unit : {"kJ/kg", "kg/m^3"}) {
    for (auto at = without_units.find(unit); at != std::string::npos; at = without_units.find(unit)) {
      without_units.erase(at, unit.size());
    }
  }
  EXPECT_EQ(without_units.find('/'), std::string::npos) << message;
}

cycle::BasicCycleInput Basic(const std::function<void(cycle::BasicCycleInput&)>& change) {
  cycle::BasicCycleInput input{"R22", 1, 50, 3.5, 4, 90, 100, 80};
  change(input);
  return input;
}

std::string BasicMessage(const cycle::BasicCycleInput& input) {
  const auto outcome = cycle::CalcBasicCycle(input);
  return std::holds_alternative<std::string>(outcome) ? std::get<std::string>(outcome) : "none";
}

std::string ComparisonMessage(const cycle::ComparisonFields& fields) {
  cycle::ComparisonResults results;
  return cycle::RunComparison(fields, results).value_or("none");
}

std::string DiagramMessage(const cycle::BasicCycleInput& input) {
  const auto diagram = cycle::BasicCycleDiagram(input, cycle::DiagramKind::TemperatureEntropy);
  return std::holds_alternative<std::string>(diagram) ? std::get<std::string>(diagram) : "none";
}

std::string ComparisonDiagramMessage(const cycle::ComparisonFields& fields) {
  const auto diagrams = cycle::ComparisonDiagrams(fields, cycle::DiagramKind::PressureEnthalpy);
  return std::holds_alternative<std::string>(diagrams) ? std::get<std::string>(diagrams) : "none";
}

std::string ScreeningReason(const std::string& fluid, const cycle::ComparisonConditions& conditions) {
  cycle::ScreeningCandidate candidate;
  candidate.name = fluid;
  const auto row = cycle::ScreenFluid(candidate, conditions);
  return row.refusal() ? *row.refusal() : "none";
}

TEST(FailedPropertyRequests, AreToldInTheFormsTermsInEveryCalculation) {
  const cycle::ComparisonFields d4_cold{"10", "15", "3.5", "4", "60", "100", "80", "1", {"D4"}};
  const cycle::ComparisonFields poor_compressor{"10", "50", "3.5", "4", "90", "100", "1", "2",
                                                {"R134a", "R22"}};
  const struct {
    const char* what;
    std::string message;
    const char* fluid;
    const char* state;
  } cases[] = {
      {"basic: condensing above the critical temperature",
       BasicMessage(Basic([](auto& in) { in.TemperatureCondensing = 120; })), "R22",
       "condensing state"},
      {"basic: a blend condensing above its critical point",
       BasicMessage(Basic([](auto& in) { in.Refrigerant = "R410A"; in.TemperatureCondensing = 80; })),
       "R410A", "condensing state"},
      {"basic: evaporating below the equation's lower limit",
       BasicMessage(Basic([](auto& in) {
         in.Refrigerant = "D4"; in.Temperaturehotspring = 16; in.TemperatureCondensing = 20;
       })),
       "D4", "evaporating state"},
      {"basic: a discharge beyond the equation's range",
       BasicMessage(Basic([](auto& in) { in.Isotropicefficiency = 1; })), "R22",
       "discharge state (point 2)"},
      {"basic: hot water beyond the range of water's equation",
       BasicMessage(Basic([](auto& in) {
         in.Temperaturehotspring = 2000; in.TemperatureCondensing = 2000;
       })),
       "WATER", "hot water"},
      {"basic: a suction state beyond the range", BasicMessage(Basic([](auto& in) {
         in.Refrigerant = "R410A"; in.Superheating = 500; in.TemperatureCondensing = 60;
       })),
       "R410A", "suction state (point 1)"},
      {"comparison: evaporating below the lower limit", ComparisonMessage(d4_cold), "D4",
       "evaporating state"},
      {"comparison: a discharge beyond the range", ComparisonMessage(poor_compressor), "R134a",
       "discharge state (point 2)"},
      {"diagram: a discharge beyond the range",
       DiagramMessage(Basic([](auto& in) { in.Isotropicefficiency = 1; })), "R22",
       "discharge state (point 2)"},
      {"comparison diagram: evaporating below the lower limit", ComparisonDiagramMessage(d4_cold),
       "D4", "evaporating state"},
      {"screening: a discharge beyond the range",
       ScreeningReason("R22", {10, 50, 3.5, 4, 90, 100, 1}), "R22", "discharge state (point 2)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_NE(c.message.find(c.fluid), std::string::npos) << c.message;
    ExpectInFormsTerms(c.message, c.state);
  }
}

TEST(FailedPropertyRequests, AnUnknownRefrigerantIsNamedWithoutAPath) {
  const std::string message = BasicMessage(Basic([](auto& in) { in.Refrigerant = "R999"; }));
  EXPECT_EQ(message,
            "R999: the pressure of the evaporating state cannot be computed: R999 is not a fluid or "
            "mixture the property library knows");
}

}  // namespace
