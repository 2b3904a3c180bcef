// Failed property requests told in the forms' terms: the library's texts
// retold, and failures provoked through the inputs of every calculation.
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

namespace {

using cycle::detail::InFormTerms;

constexpr double kR22MolarMass = 86.468;  // g/mol

TEST(InFormTerms, RetellsTheLibrarysTextInTheFormsUnits) {
  const struct {
    const char* text;
    std::optional<double> molar_mass;
    std::optional<std::string> told;  // nothing: not to be shown
  } cases[] = {
      {"SATT: temperature 393.15 K is above the critical temperature 369.295 K of R22",
       std::nullopt, "temperature 120.00 'C is above the critical temperature 96.15 'C of R22"},
      {"TPFLSH: pressure 100000 kPa is above the upper limit 60000 kPa of R22", std::nullopt,
       "pressure 1000.00 bar is above the upper limit 600.00 bar of R22"},
      {"PHFLSH: enthalpy 232118 J/mol at pressure 4442.32 kPa is above the value 52787.3 J/mol at "
       "the upper temperature limit 550 K of R22",
       kR22MolarMass,
       "enthalpy 2684.44 kJ/kg at pressure 44.42 bar is above the value 610.48 kJ/kg at the upper "
       "temperature limit 276.85 'C of R22"},
      {"PSFLSH: entropy 172.936 J/(mol K) at pressure 4000 kPa is above the value 157.561 J/(mol K)",
       kR22MolarMass, "entropy 2.0000 kJ/kg-K at pressure 40.00 bar is above the value 1.8222 kJ/kg-K"},
      {"TDFLSH: density 14.0 mol/dm^3 is above the highest density 15 mol/dm^3 of R22",
       kR22MolarMass,
       "density 1210.55 kg/m^3 is above the highest density 1297.02 kg/m^3 of R22"},
      // Small numbers keep three digits, the smallest in exponent form;
      // exponents are read.
      {"SATP: pressure 1e-3 kPa is below the lowest pressure 2.5e-05 kPa", std::nullopt,
       "pressure 0.0000100 bar is below the lowest pressure 2.50e-07 bar"},
      // No routine name in front, and words that only begin like a unit.
      {"no bubble point of R410A at temperature 400 K (the critical temperature is 344.494 K)",
       std::nullopt,
       "no bubble point of R410A at temperature 126.85 'C (the critical temperature is 71.34 'C)"},
      {"no convergence of the two-phase split", std::nullopt,
       "no convergence of the two-phase split"},
      // Files told as such, without their paths.
      {"SETUP: fluid file fluids\\R999.fld not found (searched /usr/share/fluids)", std::nullopt,
       "R22 is not a fluid or mixture the property library knows"},
      {"Mixture file mixtures/R22.mix not found", std::nullopt,
       "R22 is not a fluid or mixture the property library knows"},
      {"SETUP: fluid file /opt/fluids/R22.fld: no \"eos\" entry", std::nullopt,
       "the fluid or mixture file of R22 cannot be read"},
      // What the forms cannot show.
      {"PHFLSH: enthalpy 232118 J/mol at pressure 4442.32 kPa", std::nullopt, std::nullopt},
      {"state from TPFLSH did not converge", std::nullopt, std::nullopt},
      {"no state near /tmp/x", std::nullopt, std::nullopt},
      {"speed 300 m/s is too high", std::nullopt, std::nullopt},
      {"", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(InFormTerms(c.text, "R22", c.molar_mass), c.told) << c.text;
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
