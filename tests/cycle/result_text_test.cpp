#include "cycle/result_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using cycle::Figure;

const cycle::CycleFigures kR22{3.456, 0.0049996, 0.011634431028973227, 4.1790467329533216,
                               44.423164813590766, 112.90464097864776, 2.2866850678819723};
const cycle::CycleFigures kR134a{2.46, 0.0086088728615540226, 0.015089408852882416,
                                 5.776813198785673, 32.441826051627608, 101.78255484108672,
                                 2.4616200704452194};

TEST(SingleFigureLine, JoinsNameLabelFigureAndUnitOfEachPage) {
  const struct {
    Figure page;
    std::string line;
  } cases[] = {
      {Figure::COP, "R22 ---  COP = 3.46 (-) "},
      {Figure::MassPerHeat, "R22 ---  Mass flow rate per unit heat output = 5.00 (10^-3 kg/kJ) "},
      {Figure::VaporVolume, "R22 ---  Vapor volume = 11.63 (10^-3 m3/kg) "},
      {Figure::DisplacementVolume, "R22 ---  Displacement volume = 4.18 (m3/h) "},
      {Figure::DischargePressure, "R22 ---  Discharge  Pressure = 44.42 (Bar) "},
      {Figure::DischargeTemperature, "R22 ---  Discharge Temperature = 112.90 ('C) "},
      {Figure::PressureRatio, "R22 ---  Compression Ratio = 2.29 (-) "},
  };
  for (const auto& c : cases) EXPECT_EQ(cycle::SingleFigureLine(c.page, "R22", kR22), c.line);
}

TEST(TotalLine, ListsTheSevenFiguresInThePageOrderWithTheirDecimals) {
  EXPECT_EQ(cycle::TotalLine("R22", kR22),
            "R22 ---  Mass flow = 0.00500 (kg/kJ)  Vapor volume = 0.0116 (m3/kg) "
            " Displacement volume = 4.18 (m3/h)  Discharge pressure = 44.42 (bar) "
            " Discharge temperature = 112.90 ('C)  Compression ratio = 2.29 (-)  COP = 3.46 (-) ");
}

cycle::ComparisonResults Record(short count) {
  cycle::ComparisonResults results;
  results.RefCount = count;
  const cycle::CycleFigures slots[] = {kR22, kR134a, kR22};
  const char* names[] = {"R22", "R134a", "old"};
  for (int k = 0; k < 3; ++k) {
    results.RefName[k] = names[k];
    results.COP[k] = slots[k].COP;
    results.MassPerHeat[k] = slots[k].MassPerHeat;
    results.VaporVolume[k] = slots[k].VaporVolume;
    results.DisplacementVolume[k] = slots[k].DisplacementVolume;
    results.DischargePressure[k] = slots[k].DischargePressure;
    results.DischargeTemperature[k] = slots[k].DischargeTemperature;
    results.PressureRatio[k] = slots[k].PressureRatio;
  }
  return results;
}

TEST(ResultPageText, PrecedesEachOfTheRefCountLinesWithALineBreak) {
  EXPECT_EQ(cycle::ResultPageText(Record(1), Figure::COP), "\r\nR22 ---  COP = 3.46 (-) ");
  // Slot 3 holds an older comparison and is not shown.
  EXPECT_EQ(cycle::ResultPageText(Record(2), Figure::COP),
            "\r\nR22 ---  COP = 3.46 (-) \r\nR134a ---  COP = 2.46 (-) ");
  EXPECT_EQ(cycle::ResultPageText(Record(0), Figure::COP), "");
}

TEST(TotalPageText, ShowsTheSameFiguresAsTheSinglePages) {
  const auto results = Record(2);
  EXPECT_EQ(cycle::TotalPageText(results), "\r\n" + cycle::TotalLine("R22", kR22) + "\r\n" +
                                               cycle::TotalLine("R134a", kR134a));
  const auto slot = cycle::FiguresAt(results, 1);
  EXPECT_EQ(slot.COP, kR134a.COP);
  EXPECT_EQ(slot.PressureRatio, kR134a.PressureRatio);
  EXPECT_EQ(slot.MassPerHeat, kR134a.MassPerHeat);
}

TEST(ResultPageText, ShowsNothingForARefCountOutsideTheSlots) {
  auto results = Record(2);
  results.RefCount = -1;
  EXPECT_EQ(cycle::TotalPageText(results), "");
  results.RefCount = 9;
  const std::string text = cycle::TotalPageText(results);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 8);
}

}  // namespace
