// The comparison command with the real property layer: reference figures,
// the record it leaves, the critical-temperature check and failed evaluations.
#include "cycle/comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "cycle/result_text.h"
#include "reference_data.h"

namespace {

using cycle::ComparisonFields;
using cycle::ComparisonResults;
using cycle::Figure;
using cycle::kFigures;

ComparisonFields Fields(std::initializer_list<std::string> names) {
  ComparisonFields fields{"10", "50", "3.5", "4", "90", "100", "80", std::to_string(names.size())};
  std::copy(names.begin(), names.end(), fields.Refrigerant.begin());
  return fields;
}

// Runs the command on results and expects it to complete.
void Complete(const ComparisonFields& fields, ComparisonResults& results) {
  const auto message = cycle::RunComparison(fields, results);
  ASSERT_FALSE(message.has_value()) << *message;
}

TEST(RunComparison, ShowsTheReferenceFiguresOfEveryCase) {
  const std::map<Figure, const char*> column{
      {Figure::COP, "COP"},
      {Figure::MassPerHeat, "MassPerHeat"},
      {Figure::VaporVolume, "v"},
      {Figure::DisplacementVolume, "Displacement"},
      {Figure::DischargePressure, "DischargeP"},
      {Figure::DischargeTemperature, "DischargeT"},
      {Figure::PressureRatio, "Ratio"},
  };
  // Decimals on the single page (after its scale) and on the total page.
  const auto single_scale = [](Figure f) {
    return f == Figure::MassPerHeat || f == Figure::VaporVolume ? 1000.0 : 1.0;
  };
  const auto total_decimals = [](Figure f) {
    return f == Figure::MassPerHeat ? 5 : f == Figure::VaporVolume ? 4 : 2;
  };
  int compared = 0;
  for (const auto& row : cycle_test::ReadReference("cycle_compare.csv")) {
    if (row.text.at("status") != "ok") continue;
    const std::string name = row.text.at("refrigerant");
    auto fields = Fields({name});
    fields.HeatCapEvap = row.text.at("HeatCapEvap");
    fields.TempEvap = row.text.at("Te");
    fields.Subcooling = row.text.at("subcool");
    fields.Superheating = row.text.at("superheat");
    fields.TemperatureCondensing = row.text.at("Tcond");
    fields.Safetyfactor = row.text.at("safety");
    fields.Isotropicefficiency = row.text.at("eff");
    ComparisonResults results;
    Complete(fields, results);
    const auto figures = cycle::FiguresAt(results, 0);
    for (const Figure f : kFigures) {
      const double value = cycle::FigureValue(figures, f);
      const double reference = row.Number(column.at(f));
      EXPECT_TRUE(cycle_test::ShowsSameDigits(value, reference, 2, single_scale(f)) &&
                  cycle_test::ShowsSameDigits(value, reference, total_decimals(f)))
          << "case " << row.text.at("case") << " " << name << " " << column.at(f) << ": "
          << value << " against " << reference;
      ++compared;
    }
  }
  EXPECT_EQ(compared, 38 * 7);
}

TEST(RunComparison, RefrigerantsDoNotInfluenceEachOther) {
  const std::vector<std::string> names{"R22", "R134a", "R152A", "n-Propane",
                                       "IsoButane", "Ammonia", "R1234yf", "R245fa"};
  ComparisonResults forward;
  Complete(Fields({names[0], names[1], names[2], names[3], names[4], names[5], names[6],
                   names[7]}),
           forward);
  ComparisonResults backward;
  Complete(Fields({names[7], names[6], names[5], names[4], names[3], names[2], names[1],
                   names[0]}),
           backward);
  ASSERT_EQ(forward.RefCount, 8);
  for (int k = 0; k < 8; ++k) {
    ComparisonResults alone;
    Complete(Fields({names[k]}), alone);
    EXPECT_EQ(backward.RefName[7 - k], names[k]);
    for (const Figure f : kFigures) {
      const double value = cycle::FigureValue(cycle::FiguresAt(forward, k), f);
      EXPECT_EQ(cycle::FigureValue(cycle::FiguresAt(backward, 7 - k), f), value) << names[k];
      EXPECT_EQ(cycle::FigureValue(cycle::FiguresAt(alone, 0), f), value) << names[k];
    }
  }
}

TEST(RunComparison, ASmallerComparisonLeavesTheHigherSlotsUnshown) {
  ComparisonResults results;
  Complete(Fields({"R22", "R134a", "R152A", "n-Propane", "IsoButane"}), results);
  const ComparisonResults first = results;
  Complete(Fields({"Ammonia", "R1234yf", "R245fa"}), results);
  EXPECT_EQ(results.RefCount, 3);
  EXPECT_EQ(results.RefName[0], "Ammonia");
  EXPECT_EQ(results.RefName[3], "");  // every name box is copied, hidden ones too
  for (int k = 3; k < 5; ++k) {
    EXPECT_EQ(results.COP[k], first.COP[k]);
    EXPECT_EQ(results.DisplacementVolume[k], first.DisplacementVolume[k]);
  }
  const std::string text = cycle::TotalPageText(results);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
  EXPECT_EQ(text.find("n-Propane"), std::string::npos);
}

TEST(RunComparison, FiguresFollowTheConditionsAsTheCycleSays) {
  ComparisonResults base;
  Complete(Fields({"R22", "R134a"}), base);
  auto half = Fields({"R22", "R134a"});
  half.Safetyfactor = "50";
  ComparisonResults halved;
  Complete(half, halved);
  auto lossy = Fields({"R22", "R134a"});
  lossy.Isotropicefficiency = "60";
  lossy.Subcooling = "8";
  lossy.Superheating = "12";
  ComparisonResults worse;
  Complete(lossy, worse);
  for (int k = 0; k < 2; ++k) {
    EXPECT_DOUBLE_EQ(halved.DisplacementVolume[k], base.DisplacementVolume[k] / 2);
    EXPECT_EQ(halved.COP[k], base.COP[k]);
    EXPECT_EQ(halved.MassPerHeat[k], base.MassPerHeat[k]);
    EXPECT_EQ(halved.DischargeTemperature[k], base.DischargeTemperature[k]);
    // Lower efficiency: hotter discharge, lower COP; the pressures stay.
    EXPECT_GT(worse.DischargeTemperature[k], base.DischargeTemperature[k]);
    EXPECT_LT(worse.COP[k], base.COP[k]);
    EXPECT_EQ(worse.DischargePressure[k], base.DischargePressure[k]);
    EXPECT_EQ(worse.PressureRatio[k], base.PressureRatio[k]);
  }
}

// The record after a refused or failed command: the names of the command,
// everything else of the completed comparison before it.
void ExpectOnlyNamesChanged(const ComparisonResults& results, const ComparisonResults& before,
                            const ComparisonFields& fields) {
  EXPECT_EQ(results.RefName, fields.Refrigerant);
  EXPECT_EQ(results.RefCount, before.RefCount);
  EXPECT_EQ(results.COP, before.COP);
  EXPECT_EQ(results.DisplacementVolume, before.DisplacementVolume);
  EXPECT_EQ(results.PressureRatio, before.PressureRatio);
}

TEST(RunComparison, RefusesWithTheFirstFailingCheckAndKeepsTheFigures) {
  ComparisonResults before;
  Complete(Fields({"R22", "R134a"}), before);
  const struct {
    const char* what;
    void (*change)(ComparisonFields&);
    std::string message;
  } cases[] = {
      {"no number chosen", [](auto& f) { f.NumberRefrigerant = ""; }, "Please select Refrigerant"},
      {"a number beyond the slots", [](auto& f) { f.NumberRefrigerant = "19"; },
       "Please select Refrigerant"},
      {"cleared form",
       [](auto& f) {
         f = {"0", "0", "0", "0", "0", "0", "0", ""};
       },
       "Please Input Heat Capacity of Evaporator"},
      {"letters read as 0", [](auto& f) { f.Subcooling = "abc"; }, "Please Input Subcooling"},
      {"trailing letters ignored", [](auto& f) { f.Safetyfactor = "101%"; },
       "Safety Factor Incorrect"},
      {"name 2 empty", [](auto& f) { f.NumberRefrigerant = "3"; f.Refrigerant[1] = ""; },
       "Incorrect name or check the critical temperature of refrigerant2"},
      {"name 1 unknown and name 2 empty",
       [](auto& f) { f.Refrigerant[0] = "R999"; f.Refrigerant[1] = ""; },
       "Incorrect name or check the critical temperature of refrigerant1"},
      // R1234yf becomes critical at about 94.7 'C.
      {"condensing above the critical temperature",
       [](auto& f) { f.Refrigerant[1] = "R1234yf"; f.TemperatureCondensing = "95"; },
       "Incorrect name or check the critical temperature of refrigerant2"},
      // R22's critical temperature, 369.295 K, is 96.14500000000004 'C.
      {"condensing at the critical temperature within rounding",
       [](auto& f) { f.TemperatureCondensing = "96.145"; },
       "Incorrect name or check the critical temperature of refrigerant1"},
      {"pure fluid at equal temperatures",
       [](auto& f) { f.TempEvap = "60"; f.TemperatureCondensing = "60"; },
       "R22: the condensing pressure (24.27 bar) is not above the evaporating pressure "
       "(24.27 bar), so the compressor does no work and the cycle has no COP"},
  };
  for (const auto& c : cases) {
    auto fields = Fields({"R22", "R134a"});
    c.change(fields);
    ComparisonResults results = before;
    EXPECT_EQ(cycle::RunComparison(fields, results).value_or("completed"), c.message) << c.what;
    ExpectOnlyNamesChanged(results, before, fields);
  }
}

TEST(RunComparison, AFailedEvaluationStoresNoFigure) {
  ComparisonResults before;
  Complete(Fields({"R22", "R134a"}), before);
  // So poor a compressor drives R1234yf beyond its highest temperature, 410 K,
  // after R22 has been evaluated.
  auto fields = Fields({"R22", "R1234yf"});
  fields.TempEvap = "15";
  fields.Isotropicefficiency = "30";
  ComparisonResults results = before;
  const auto message = cycle::RunComparison(fields, results);
  ASSERT_TRUE(message.has_value());
  EXPECT_EQ(message->rfind("R1234yf: ", 0), 0u) << *message;
  ExpectOnlyNamesChanged(results, before, fields);
}

TEST(RunComparison, AcceptsAConditionBelowTheCriticalTemperature) {
  auto fields = Fields({"R1234yf"});
  fields.TemperatureCondensing = "94";
  ComparisonResults results;
  Complete(fields, results);
  EXPECT_EQ(results.RefCount, 1);
  // A millikelvin below R22's critical temperature is below it.
  fields = Fields({"R22"});
  fields.TemperatureCondensing = "96.144";
  EXPECT_EQ(cycle::RunComparison(fields, results), std::nullopt);
}

TEST(Cal, GivesTheSameFiguresAsTheCommand) {
  ComparisonResults results;
  Complete(Fields({"R22"}), results);
  const auto figures = cycle::Cal("R22", {10, 50, 3.5, 4, 90, 100, 80});
  ASSERT_TRUE(std::holds_alternative<cycle::CycleFigures>(figures));
  EXPECT_EQ(std::get<cycle::CycleFigures>(figures).COP, results.COP[0]);
  const auto unknown = cycle::Cal("R999", {10, 50, 3.5, 4, 90, 100, 80});
  ASSERT_TRUE(std::holds_alternative<std::string>(unknown));
  EXPECT_EQ(std::get<std::string>(unknown).rfind("R999: ", 0), 0u);
}

}  // namespace
