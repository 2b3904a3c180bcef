// The transcritical cycle against the property layer's own states, the
// reference cycles of an independent implementation, and its refusals.
#include "cycle/transcritical.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <variant>

#include "cycle/diagram.h"
#include "cycle/number_text.h"
#include "maximum_search.h"
#include "property/property_functions.h"
#include "reference_data.h"
#include "threshold_search.h"

namespace {

using cycle::TranscriticalInput;
using cycle::TranscriticalResult;

constexpr double kKelvin = 273.15;

TranscriticalResult Calculated(const TranscriticalInput& input) {
  const auto outcome = cycle::CalcTranscriticalCycle(input);
  if (const auto* message = std::get_if<std::string>(&outcome)) {
    ADD_FAILURE() << *message;
    return {};
  }
  return std::get<TranscriticalResult>(outcome);
}

std::string Refusal(const TranscriticalInput& input) {
  const auto outcome = cycle::CalcTranscriticalCycle(input);
  if (const auto* message = std::get_if<std::string>(&outcome)) return *message;
  return "(calculated)";
}

double Number(const property::PropertyResult& result) {
  EXPECT_TRUE(std::holds_alternative<double>(result));
  return std::holds_alternative<double>(result) ? std::get<double>(result) : NAN;
}

TranscriticalInput WithPressure(std::string pressure, std::string water_out = "55") {
  TranscriticalInput input;
  input.HighPressure = std::move(pressure);
  input.WaterOut = std::move(water_out);
  return input;
}

void ExpectRelative(double value, double expected, double tolerance, const char* what) {
  EXPECT_NEAR(value, expected, tolerance * std::abs(expected)) << what;
}

TEST(Transcritical, ReproducesTheReferenceCycles) {
  const auto rows = cycle_test::ReadReference("reference_transcritical.csv");
  ASSERT_EQ(rows.size(), 3u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text.at("p_high"));
    TranscriticalInput input;
    input.Refrigerant = "CarbonDioxide";
    input.Evaporating = row.text.at("Te");
    input.Superheating = row.text.at("superheat");
    input.GasCoolerOutlet = row.text.at("T3");
    input.Efficiency = row.text.at("eff");
    input.HighPressure = row.Number("optimal") == 1 ? "Optimal" : row.text.at("p_high");
    input.WaterOut = "50";
    const TranscriticalResult r = Calculated(input);
    EXPECT_EQ(r.optimal, row.Number("optimal") == 1);
    EXPECT_FALSE(r.pinch_limited);
    if (r.optimal) {
      EXPECT_EQ(r.best_cop_pressure, r.high_pressure);
      EXPECT_EQ(r.best_cop, r.cop);
      EXPECT_EQ(r.best_cop_pinch, r.pinch);
    }
    EXPECT_NEAR(r.high_pressure, row.Number("p_high"), 0.01);
    ExpectRelative(r.suction.h, row.Number("h1"), 1e-6, "h1");
    ExpectRelative(r.evaporating_pressure, row.Number("Pe"), 1e-6, "Pe");
    if (!r.optimal) {  // at the searched pressure these move with its last hundredth of a bar
      ExpectRelative(r.isentropic_discharge.h, row.Number("h2s"), 1e-6, "h2s");
      ExpectRelative(r.discharge.h, row.Number("h2"), 1e-6, "h2");
      ExpectRelative(r.gas_cooler_outlet.h, row.Number("h3"), 1e-6, "h3");
      EXPECT_NEAR(r.discharge.T, row.Number("T2"), 1e-4);
    } else {
      EXPECT_NEAR(r.discharge.T, row.Number("T2"), 0.01);
    }
    ExpectRelative(r.cop, row.Number("COP"), 1e-6, "COP");
  }
}

// Every figure again from the property layer's single requests.
TEST(Transcritical, StatesAndFiguresAreThePropertyLayers) {
  for (const char* pressure : {"90", "100", "130", "optimal"}) {
    SCOPED_TRACE(pressure);
    const TranscriticalResult r = Calculated(WithPressure(pressure));
    const std::string f = "R744";
    const double Pe = Number(property::Pressure(f, "Tvap", "mks", 10 + kKelvin));
    const double p = r.high_pressure * 100;
    const double h1 = Number(property::Enthalpy(f, "TP", "mks", 15 + kKelvin, Pe));
    const double s1 = Number(property::Entropy(f, "TP", "mks", 15 + kKelvin, Pe));
    const double v1 = Number(property::Volume(f, "TP", "mks", 15 + kKelvin, Pe));
    const double h2s = Number(property::Enthalpy(f, "PS", "mks", p, s1));
    const double h2 = h1 + (h2s - h1) / 0.7;
    const double T2 = Number(property::Temperature(f, "PH", "mks", p, h2)) - kKelvin;
    const double h3 = Number(property::Enthalpy(f, "TP", "mks", 35 + kKelvin, p));
    const double T4 = Number(property::Temperature(f, "PH", "mks", Pe, h3)) - kKelvin;
    const double hw_in = Number(property::Enthalpy("WATER", "TP", "mks", 15 + kKelvin, 100));
    const double hw_out = Number(property::Enthalpy("WATER", "TP", "mks", 55 + kKelvin, 100));

    EXPECT_DOUBLE_EQ(r.evaporating_pressure, Pe / 100);
    EXPECT_DOUBLE_EQ(r.suction.h, h1);
    EXPECT_DOUBLE_EQ(r.suction.s, s1);
    EXPECT_DOUBLE_EQ(r.isentropic_discharge.h, h2s);
    EXPECT_DOUBLE_EQ(r.isentropic_discharge.s, s1);
    EXPECT_DOUBLE_EQ(r.discharge.h, h2);
    EXPECT_NEAR(r.discharge.T, T2, 1e-9);
    EXPECT_DOUBLE_EQ(r.gas_cooler_outlet.h, h3);
    EXPECT_DOUBLE_EQ(r.gas_cooler_outlet.T, 35);
    EXPECT_DOUBLE_EQ(r.evaporator_inlet.h, h3);
    EXPECT_NEAR(r.evaporator_inlet.T, T4, 1e-9);
    EXPECT_DOUBLE_EQ(r.evaporator_inlet.p, Pe / 100);
    for (const auto* s : {&r.isentropic_discharge, &r.discharge, &r.gas_cooler_outlet}) {
      EXPECT_DOUBLE_EQ(s->p, r.high_pressure);
    }

    const double mass_flow = 10 / (h2 - h3);
    ExpectRelative(r.cop, (h2 - h3) / (h2 - h1), 1e-12, "COP");
    ExpectRelative(r.mass_flow, mass_flow, 1e-12, "mass flow");
    ExpectRelative(r.compressor_power, mass_flow * (h2 - h1), 1e-12, "compressor power");
    ExpectRelative(r.evaporator_duty, mass_flow * (h1 - h3), 1e-12, "evaporator duty");
    EXPECT_NEAR(r.compressor_power + r.evaporator_duty, r.heating_capacity, 1e-9);
    ExpectRelative(r.vhc, (h2 - h3) / v1, 1e-9, "VHC");
    ExpectRelative(r.water_flow, 10 / (hw_out - hw_in), 1e-12, "water flow");
  }
}

TEST(Transcritical, TheOptimumIsAMaximum) {
  for (const char* outlet : {"33", "35", "40", "50"}) {
    SCOPED_TRACE(outlet);
    TranscriticalInput input = WithPressure("optimal", "30");
    input.GasCoolerOutlet = outlet;
    const TranscriticalResult best = Calculated(input);
    EXPECT_TRUE(best.optimal);
    EXPECT_FALSE(best.optimum_at_edge);
    EXPECT_NEAR(best.search_low, 73.773, 1e-3);
    EXPECT_EQ(best.search_high, 160);
    for (const double offset : {-0.5, 0.5}) {
      input.HighPressure = cycle::FormatShortest(best.high_pressure + offset);
      const TranscriticalResult off = Calculated(input);
      EXPECT_FALSE(off.optimal);
      EXPECT_LT(off.cop, best.cop) << "at " << off.high_pressure << " bar";
    }
  }
}

TEST(Transcritical, AnOptimumBeyondTheSearchIsAtItsEdge) {
  // A warm gas cooler outlet wants ever higher pressures.
  TranscriticalInput input = WithPressure("OPTIMAL", "50");
  input.GasCoolerOutlet = "60";
  const TranscriticalResult r = Calculated(input);
  EXPECT_TRUE(r.optimum_at_edge);
  EXPECT_NEAR(r.high_pressure, 160, 0.01);
}

// R134a's discharge passes its equation's upper temperature limit (181.85 'C)
// long before 160 bar: the search keeps to the pressures it can compute, and
// a fixed pressure beyond them is refused naming the discharge state.
TEST(Transcritical, TheSearchKeepsToPressuresWhoseDischargeCanBeComputed) {
  TranscriticalInput input = WithPressure("optimal", "60");
  input.Refrigerant = "R134a";
  const TranscriticalResult r = Calculated(input);
  EXPECT_GT(r.high_pressure, 40.5);
  EXPECT_LT(r.high_pressure, 160);
  EXPECT_GT(r.cop, 1);
  EXPECT_LT(r.discharge.T, 181.85);
  input.HighPressure = "160";
  EXPECT_NE(Refusal(input).find("isentropic discharge state (point 2s)"), std::string::npos)
      << Refusal(input);
}

// A blend's gas cooler turns two-phase on the way just above its critical
// pressure (62.35 bar), where its COP is best: the search skips those
// pressures for the best of those whose whole cycle can be computed.
TEST(Transcritical, TheSearchSkipsPressuresWhoseGasCoolerCannotBeComputed) {
  TranscriticalInput input;
  input.Refrigerant = "R744,0.5,R1234yf,0.5";
  input.HighPressure = "62.5";
  EXPECT_NE(Refusal(input).find("heat capacity of the gas cooler"), std::string::npos)
      << Refusal(input);
  input.HighPressure = "optimal";
  const TranscriticalResult best = Calculated(input);
  EXPECT_GT(best.high_pressure, 62.5);
  EXPECT_GT(best.evaporator_duty, 0);
  for (const char* pressure : {"63", "70", "90"}) {
    input.HighPressure = pressure;
    EXPECT_GE(best.cop, Calculated(input).cop) << pressure;
  }
}

TEST(Transcritical, ThePinchCanLieInsideTheGasCooler) {
  const TranscriticalResult r = Calculated(WithPressure("90", "65"));
  ASSERT_GE(r.gas_cooler.size(), 51u);
  const auto& inlet = r.gas_cooler.front();
  const auto& outlet = r.gas_cooler.back();
  EXPECT_DOUBLE_EQ(inlet.duty, 0);
  EXPECT_DOUBLE_EQ(inlet.refrigerant_T, r.discharge.T);
  EXPECT_NEAR(inlet.water_T, 65, 1e-9);
  EXPECT_NEAR(outlet.duty, 10, 1e-12);
  EXPECT_NEAR(outlet.refrigerant_T, 35, 1e-9);
  EXPECT_NEAR(outlet.water_T, 15, 1e-9);
  EXPECT_GT(r.pinch_at, 0);
  EXPECT_LT(r.pinch_at, 1);
  EXPECT_GT(r.pinch, 0);
  EXPECT_LT(r.pinch, inlet.refrigerant_T - inlet.water_T);
  EXPECT_LT(r.pinch, outlet.refrigerant_T - outlet.water_T);

  // Equal steps of duty; temperatures as the property layer gives them at
  // the same enthalpy, the water's from its own energy balance.
  const double p = r.high_pressure * 100;
  const double hw_in = Number(property::Enthalpy("WATER", "TP", "mks", 15 + kKelvin, 100));
  const double hw_out = Number(property::Enthalpy("WATER", "TP", "mks", 65 + kKelvin, 100));
  double smallest = INFINITY;
  for (std::size_t i = 0; i < r.gas_cooler.size(); ++i) {
    const auto& point = r.gas_cooler[i];
    const double share = double(i) / double(r.gas_cooler.size() - 1);
    EXPECT_NEAR(point.duty, 10 * share, 1e-9);
    const double h = r.discharge.h + share * (r.gas_cooler_outlet.h - r.discharge.h);
    EXPECT_NEAR(point.refrigerant_T, Number(property::Temperature("R744", "PH", "mks", p, h)) - kKelvin,
                0.05) << "state " << i;
    const double hw = hw_out - share * (hw_out - hw_in);
    EXPECT_NEAR(point.water_T, Number(property::Temperature("WATER", "PH", "mks", 100, hw)) - kKelvin,
                0.005) << "state " << i;
    smallest = std::min(smallest, point.refrigerant_T - point.water_T);
  }
  EXPECT_DOUBLE_EQ(r.pinch, smallest);
}

// The form's defaults without a minimum approach: at the best pressure the
// water stays short of 65 'C.
TranscriticalInput NoMinimumApproach() {
  TranscriticalInput input;
  input.MinApproach = "0";
  return input;
}

TEST(Transcritical, TheWaterOutletLimitsTheDefaultsToTheLowestPressureItAllows) {
  const TranscriticalResult r = Calculated(NoMinimumApproach());
  EXPECT_TRUE(r.optimal);
  EXPECT_TRUE(r.pinch_limited);
  EXPECT_NEAR(r.best_cop_pressure, 85.75, 0.01);
  EXPECT_LT(r.best_cop_pinch, -0.9);
  EXPECT_GT(r.high_pressure, r.best_cop_pressure);
  EXPECT_LT(r.cop, r.best_cop);
  EXPECT_GE(r.pinch, 0);
  EXPECT_LT(r.pinch, 0.1);
  EXPECT_NEAR(r.high_pressure * 100, std::round(r.high_pressure * 100), 1e-9) << "a hundredth of a bar";

  // The same pressure typed in gives the same cycle; a hundredth of a bar
  // lower leaves the water short.
  TranscriticalInput fixed = NoMinimumApproach();
  fixed.HighPressure = cycle::FormatShortest(r.high_pressure);
  const TranscriticalResult same = Calculated(fixed);
  EXPECT_NEAR(same.cop, r.cop, 1e-12);
  EXPECT_NEAR(same.pinch, r.pinch, 1e-9);
  fixed.HighPressure = cycle::FormatFixed(r.high_pressure - 0.01, 2);
  EXPECT_NE(Refusal(fixed).find("The water cannot be heated from 15.00 'C to 65.00 'C: the pinch"),
            std::string::npos)
      << Refusal(fixed);
}

// The search above the best pressure relies on the pinch growing with the
// pressure there; checked where the water limits the pressure.
TEST(Transcritical, ThePinchGrowsAboveTheBestPressure) {
  struct Case {
    const char* water_out;
    const char* outlet;
    const char* evaporating;
    const char* efficiency;
  };
  for (const Case c : {Case{"65", "35", "10", "70"}, Case{"80", "35", "10", "70"},
                       Case{"70", "30", "10", "70"}, Case{"70", "32", "0", "60"}}) {
    SCOPED_TRACE(std::string(c.water_out) + " " + c.outlet + " " + c.evaporating);
    TranscriticalInput input = NoMinimumApproach();
    input.WaterOut = c.water_out;
    input.GasCoolerOutlet = c.outlet;
    input.Evaporating = c.evaporating;
    input.Efficiency = c.efficiency;
    const TranscriticalResult limited = Calculated(input);
    ASSERT_TRUE(limited.pinch_limited);
    double previous = limited.best_cop_pinch;
    for (double p = limited.best_cop_pressure + 0.25; p < limited.high_pressure; p += 0.25) {
      input.HighPressure = cycle::FormatFixed(p, 2);
      const std::string refusal = Refusal(input);
      const auto at = refusal.find("the pinch of the gas cooler is ");
      ASSERT_NE(at, std::string::npos) << "feasible below the reported pressure at " << p;
      const double pinch = std::stod(refusal.substr(at + 31));
      EXPECT_GE(pinch, previous - 0.005) << "at " << p << " bar";
      previous = pinch;
    }
  }
}

// The minimum approach: "optimal" is the best COP whose pinch keeps it (to
// a hundredth of a bar: the next hundredth down falls short of it); a given
// pressure that falls short is computed with a warning, unless the water
// cannot be heated at all; no pressure keeping it is refused.
TEST(Transcritical, TheOptimumKeepsTheMinimumApproach) {
  struct Case {
    const char* what;
    const char* min_approach;
    const char* pressure;
    const char* water_out;
    bool limited;        // optimal, held above the best COP's pressure
    bool warned;         // ApproachWarning
    const char* refusal;  // nothing: computed
  };
  const Case cases[] = {
      {"defaults", "5", "optimal", "65", true, false, nullptr},
      {"a larger approach", "8", "optimal", "65", true, false, nullptr},
      {"the best keeps it", "5", "optimal", "45", false, false, nullptr},
      {"given, short of it", "5", "90", "65", false, true, nullptr},
      {"given, keeping it", "5", "100", "65", false, false, nullptr},
      {"given, the water not reached", "5", "85", "65", false, false,
       "The water cannot be heated from 15.00 'C to 65.00 'C: the pinch of the gas cooler is -"},
      {"no pressure keeps it", "40", "optimal", "65", false, false,
       "The gas cooler cannot keep the Minimum Approach of 40.00 K even at 160.00 bar, the "
       "highest pressure searched: its pinch there is "},
      {"negative", "-1", "optimal", "65", false, false, "Minimum Approach must not be negative"},
      {"not a number", "5 K", "optimal", "65", false, false,
       "Please Input Minimum Approach as a number"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TranscriticalInput input = WithPressure(c.pressure, c.water_out);
    input.MinApproach = c.min_approach;
    if (c.refusal) {
      EXPECT_NE(Refusal(input).find(c.refusal), std::string::npos) << Refusal(input);
      continue;
    }
    const TranscriticalResult r = Calculated(input);
    const double min_approach = std::stod(c.min_approach);
    EXPECT_EQ(r.min_approach, min_approach);
    EXPECT_EQ(r.pinch_limited, c.limited);
    EXPECT_EQ(cycle::ApproachWarning(r).has_value(), c.warned);
    if (c.warned) {
      EXPECT_LT(r.pinch, min_approach);
      EXPECT_GE(r.pinch, 0);
    } else {
      EXPECT_GE(r.pinch, min_approach);
    }
    if (!r.optimal) continue;
    TranscriticalInput without = input;
    without.MinApproach = "0";
    const TranscriticalResult unbounded = Calculated(without);
    EXPECT_EQ(r.best_cop_pressure, unbounded.best_cop_pressure);
    if (!c.limited) {
      EXPECT_EQ(r.high_pressure, unbounded.high_pressure);
      continue;
    }
    EXPECT_LT(r.best_cop_pinch, min_approach);
    EXPECT_GT(r.high_pressure, unbounded.high_pressure);
    EXPECT_LT(r.cop, unbounded.cop);
    // A hundredth of a bar lower is short of the approach.
    TranscriticalInput lower = input;
    lower.HighPressure = cycle::FormatFixed(r.high_pressure - 0.01, 2);
    const TranscriticalResult below = Calculated(lower);
    EXPECT_LT(below.pinch, min_approach);
    EXPECT_GT(below.cop, r.cop);
    EXPECT_TRUE(cycle::ApproachWarning(below).has_value());
  }
}

TEST(Transcritical, AWaterTheGasCoolerCannotReachAtAnyPressureIsRefused) {
  TranscriticalInput input;
  input.WaterIn = "40";
  input.WaterOut = "60";
  EXPECT_EQ(Refusal(input),
            "The water cannot be heated from 40.00 'C to 60.00 'C even at 160.00 bar, the highest "
            "pressure searched: the pinch of the gas cooler is -5.00 K, the refrigerant colder than "
            "the water at 100 % of its duty from the refrigerant inlet");
}

TEST(Transcritical, EveryRefusalHasItsMessage) {
  struct Case {
    const char* what;
    void (*change)(TranscriticalInput&);
    const char* message;
  };
  const Case cases[] = {
      {"blank refrigerant", [](TranscriticalInput& in) { in.Refrigerant = " "; },
       "Please Input Refrigerant"},
      {"text capacity", [](TranscriticalInput& in) { in.HeatingCapacity = "ten"; },
       "Please Input Heating Capacity as a number"},
      {"unit after number", [](TranscriticalInput& in) { in.Evaporating = "10 C"; },
       "Please Input Evaporating Temperature as a number"},
      {"empty superheat", [](TranscriticalInput& in) { in.Superheating = ""; },
       "Please Input Superheating as a number"},
      {"comma", [](TranscriticalInput& in) { in.GasCoolerOutlet = "3,5"; },
       "Please Input Gas Cooler Outlet Temperature as a number"},
      {"text pressure", [](TranscriticalInput& in) { in.HighPressure = "best"; },
       "Please Input High-side Pressure as a number of bar or \"optimal\""},
      {"text efficiency", [](TranscriticalInput& in) { in.Efficiency = "%"; },
       "Please Input Isentropic Efficiency as a number"},
      {"text water in", [](TranscriticalInput& in) { in.WaterIn = "cold"; },
       "Please Input Water Inlet Temperature as a number"},
      {"infinite water out", [](TranscriticalInput& in) { in.WaterOut = "1e999"; },
       "Please Input Water Outlet Temperature as a number"},
      {"unknown refrigerant", [](TranscriticalInput& in) { in.Refrigerant = "R9999"; },
       "R9999 is not a fluid or mixture the property library knows"},
      {"evaporating at critical", [](TranscriticalInput& in) { in.Evaporating = "31"; },
       "Evaporating Temperature (31.00 'C) must lie below the critical temperature of R744 (30.98 'C)"},
      {"subcritical high side", [](TranscriticalInput& in) { in.HighPressure = "73.77"; },
       "use the Basic Calculation or the comparison"},
      {"high side at critical", [](TranscriticalInput& in) { in.HighPressure = "73.773"; },
       "High-side Pressure (73.77 bar) is not above the critical pressure of R744 (73.77 bar)"},
      {"beyond the equation", [](TranscriticalInput& in) { in.HighPressure = "1e6"; },
       "is above the highest pressure of the equation of R744"},
      {"no efficiency", [](TranscriticalInput& in) { in.Efficiency = "0"; },
       "Isentropic Efficiency must lie above 0 and at most 100 %"},
      {"efficiency above 100", [](TranscriticalInput& in) { in.Efficiency = "100.5"; },
       "Isentropic Efficiency must lie above 0 and at most 100 %"},
      {"negative superheat", [](TranscriticalInput& in) { in.Superheating = "-1"; },
       "Superheating must not be negative"},
      {"no capacity", [](TranscriticalInput& in) { in.HeatingCapacity = "0"; },
       "Heating Capacity must be above 0 kW"},
      {"negative capacity", [](TranscriticalInput& in) { in.HeatingCapacity = "-5"; },
       "Heating Capacity must be above 0 kW"},
      {"water not heated", [](TranscriticalInput& in) { in.WaterOut = "15"; },
       "Water Outlet Temperature must lie above Water Inlet Temperature"},
      {"frozen water", [](TranscriticalInput& in) { in.WaterIn = "0"; },
       "Water Inlet Temperature must lie above 0 'C"},
      {"boiling water", [](TranscriticalInput& in) { in.WaterOut = "100"; },
       "Water Outlet Temperature must lie below 99.6"},
      // An outlet with no less enthalpy than the suction: a negative
      // evaporator duty and a COP below 1.
      {"outlet warmer than the suction",
       [](TranscriticalInput& in) { in.HighPressure = "80", in.GasCoolerOutlet = "70"; },
       "kJ/kg, no less than the 434.16 kJ/kg it leaves the evaporator with; lower the Gas "
       "Cooler Outlet Temperature (70.00 'C) or the High-side Pressure"},
      {"a liquid compressed too far", [](TranscriticalInput& in) { in.HighPressure = "8000"; },
       "The evaporator would take no heat: at 8000.00 bar the refrigerant leaves the gas cooler "
       "with "},
      {"no pressure cools enough", [](TranscriticalInput& in) { in.GasCoolerOutlet = "120"; },
       "The evaporator would take no heat at any high-side pressure from 73.77 bar to 160.00 "
       "bar: the refrigerant would leave the gas cooler with no less enthalpy than it leaves the "
       "evaporator with; lower the Gas Cooler Outlet Temperature (120.00 'C)"},
      {"negative pinch", [](TranscriticalInput& in) { in.HighPressure = "85"; },
       "The water cannot be heated from 15.00 'C to 65.00 'C: the pinch of the gas cooler is -"},
      // The first failure wins.
      {"two failures", [](TranscriticalInput& in) { in.Efficiency = "0", in.HeatingCapacity = "0"; },
       "Isentropic Efficiency must lie above 0 and at most 100 %"},
  };
  for (const Case& c : cases) {
    TranscriticalInput input;
    c.change(input);
    EXPECT_NE(Refusal(input).find(c.message), std::string::npos)
        << c.what << ": " << Refusal(input);
  }
  // 100 % itself and a superheat of 0 are accepted.
  TranscriticalInput edge = WithPressure("90");
  edge.Efficiency = "100";
  edge.Superheating = "0";
  EXPECT_GT(Calculated(edge).cop, 0);
}

TEST(Transcritical, TheNegativePinchIsNamedWithItsPlace) {
  const std::string message = Refusal(WithPressure("85", "65"));
  EXPECT_NE(message.find("K, the refrigerant colder than the water at "), std::string::npos)
      << message;
  EXPECT_NE(message.find(" % of its duty from the refrigerant inlet"), std::string::npos) << message;
}

TEST(TranscriticalDiagram, HoldsTheComputedCycleAndTheGasCoolersIsobar) {
  const TranscriticalInput input = WithPressure("100");
  const TranscriticalResult r = Calculated(input);
  for (const auto kind : {cycle::DiagramKind::PressureEnthalpy, cycle::DiagramKind::TemperatureEntropy}) {
    const auto outcome = cycle::TranscriticalCycleDiagram(input, kind);
    ASSERT_TRUE(std::holds_alternative<cycle::CycleDiagram>(outcome));
    const auto& d = std::get<cycle::CycleDiagram>(outcome);
    EXPECT_TRUE(d.transcritical);
    EXPECT_DOUBLE_EQ(d.corners.discharge.h, r.discharge.h);
    EXPECT_DOUBLE_EQ(d.corners.condenser_outlet.h, r.gas_cooler_outlet.h);
    EXPECT_DOUBLE_EQ(d.corners.evaporator_inlet.T, r.evaporator_inlet.T);
    ASSERT_GT(d.condenser.size(), 20u);
    EXPECT_DOUBLE_EQ(d.condenser.front().h, r.discharge.h);
    EXPECT_DOUBLE_EQ(d.condenser.back().h, r.gas_cooler_outlet.h);
    for (const auto& s : d.condenser) {
      EXPECT_NEAR(s.p, 100, 1e-9);
      EXPECT_GT(s.p, d.critical.p);
    }
    EXPECT_FALSE(d.bubble.empty());
    EXPECT_FALSE(d.isolines.empty());
  }
  EXPECT_EQ(std::get<std::string>(cycle::TranscriticalCycleDiagram(WithPressure("70"),
                                                                   cycle::DiagramKind::PressureEnthalpy)),
            Refusal(WithPressure("70")));
}

TEST(MaximumSearch, FindsTheMaximumToTheToleranceInsideAndAtEitherEdge) {
  struct Case {
    double peak;  // of -(x - peak)^2 on (0, 10]
    bool at_edge;
  };
  for (const Case c : {Case{3.3, false}, Case{7.77, false}, Case{9.9, false}, Case{-2, true},
                       Case{15, true}, Case{0.004, true}}) {
    SCOPED_TRACE(c.peak);
    int evaluations = 0;
    const auto f = [&](double x) {
      ++evaluations;
      EXPECT_GT(x, 0) << "never at the low bound";
      EXPECT_LE(x, 10);
      return -(x - c.peak) * (x - c.peak);
    };
    const auto found = cycle::detail::SearchMaximum(f, 0, 10, 0.01, 3);
    EXPECT_NEAR(found.x, std::clamp(c.peak, 0.0, 10.0), 0.01);
    EXPECT_DOUBLE_EQ(found.value, f(found.x));
    EXPECT_EQ(found.at_edge, c.at_edge);
    EXPECT_LT(evaluations, 40);
  }
}

TEST(MaximumSearch, TheScanFindsTheHigherOfTwoPeaks) {
  // Two humps: golden sections alone from the whole interval would settle on the nearer.
  const auto f = [](double x) { return std::max(1 - std::abs(x - 1.5), 2 - std::abs(x - 8.5)); };
  EXPECT_NEAR(cycle::detail::SearchMaximum(f, 0, 10, 0.001, 5).x, 8.5, 0.001);
}

TEST(ThresholdSearch, FindsTheLowestGridPointAtOrAboveZero) {
  struct Case {
    const char* what;
    double root;      // of the rising function
    double start;     // where it is below zero
    double steepness;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {"near the start", 0.237, 0.1, 1, 0.24},
      {"far above the start", 7.771, 0.05, 3, 7.78},
      {"on a grid point", 2.5, 1.234, 1, 2.5},
      {"just above a grid point", 2.5 + 1e-9, 1.234, 1, 2.51},
      {"within the first step", 1.2345, 1.234, 1, 1.24},
      {"at the top", 9.995, 1, 1, 10},
      {"above the top", 10.02, 1, 1, std::nullopt},
      {"a cliff", 4.567, 1, 1e6, 4.57},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int evaluations = 0;
    const auto f = [&](double x) {
      ++evaluations;
      EXPECT_GT(x, c.start);
      EXPECT_LE(x, 10.0 + 1e-9);
      EXPECT_NEAR(x * 100, std::round(x * 100), 1e-6) << "on the grid";
      const double d = x - c.root;
      return c.steepness * d + d * d * d;  // rising, and curved
    };
    const double below = c.steepness * (c.start - c.root) + std::pow(c.start - c.root, 3);
    const auto found = cycle::detail::LowestNonNegative(f, {c.start, below}, 10, 0.01, 10);
    ASSERT_EQ(found.has_value(), c.expected.has_value());
    if (found) {
      EXPECT_NEAR(*found, *c.expected, 1e-9);
    }
    EXPECT_LT(evaluations, 30);
  }
}

// A pinch nearly straight in the pressure over a few bar, as above the best
// COP's pressure: after the first stride the crossing takes two more
// evaluations, whether the line's guess falls a step under or over it.
TEST(ThresholdSearch, ANearlyStraightFunctionTakesThreeEvaluations) {
  struct Case {
    const char* what;
    double root, start, curvature;  // f = 0.7 (x - root) + curvature (x - root)^2
  };
  const Case cases[] = {
      {"straight", 87.2126, 85.75, 0},
      {"straight, root on a grid point", 87.22, 85.75, 0},
      {"convex, as the pinch", 87.2126, 85.75, 0.015},
      {"slightly concave", 87.2151, 85.75, -0.005},
      {"straight, farther", 89.9049, 85.75, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int evaluations = 0;
    const auto f = [&](double x) {
      ++evaluations;
      return 0.7 * (x - c.root) + c.curvature * (x - c.root) * (x - c.root);
    };
    const auto found = cycle::detail::LowestNonNegative(f, {c.start, f(c.start)}, 160, 0.01, 100);
    ASSERT_TRUE(found.has_value());
    EXPECT_NEAR(*found, std::ceil(c.root * 100 - 1e-9) / 100, 1e-9);
    EXPECT_LE(evaluations, 1 + 3) << "one to know the start, three to find the crossing";
  }
}

}  // namespace
