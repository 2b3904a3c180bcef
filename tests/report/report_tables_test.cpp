// The tables handed on: the basic calculation's inputs and figures as the
// pages show them, the comparison's figures as the total page writes them,
// and the clipboard's two forms of a table.
#include "report/report_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "cycle/number_text.h"
#include "cycle/result_text.h"
#include "report/report_file.h"

namespace report {
namespace {

const cycle::BasicCycleInput kInput{"R22", 1.5, 50, 3.5, 4, 90, 100, 80};

cycle::BasicCycleResult Result() {
  return std::get<cycle::BasicCycleResult>(cycle::CalcBasicCycle(kInput));
}

TEST(BasicTable, HoldsTheInputsTheSixteenFiguresAsThePageShowsThemAndThoseBeyond) {
  const cycle::BasicCycleResult r = Result();
  const CsvTable csv = BasicTable(kInput, r);
  EXPECT_EQ(csv.Header(), (std::vector<std::string>{"label", "value", "unit"}));
  auto table = csv.Rows();
  table.insert(table.begin(), csv.Header());
  ASSERT_EQ(table.size(), 1u + 8 + 16 + 4);
  const std::vector<std::vector<std::string>> beyond{
      {"Heating COP", cycle::FormatFixed(r.COP, 2), "-"},
      {"Volumetric heating capacity", cycle::FormatFixed(r.VHC, 1), "kJ/m3"},
      {"Point 2 enthalpy (actual discharge)", cycle::FormatFixed(r.H2actual, 2), "kJ/kg"},
      {"Point 4 temperature (after the valve)", cycle::FormatFixed(r.T4actual, 2), "\u00b0C"}};
  EXPECT_EQ(std::vector(table.end() - 4, table.end()), beyond);
  EXPECT_EQ(table[1], (std::vector<std::string>{"Refrigerant", "R22", ""}));
  EXPECT_EQ(table[2], (std::vector<std::string>{"Hot water mass flow rate", "1.5", "liter/s"}));
  const double figures[] = {r.Evap, r.Conden, r.Compress, r.EV, r.P1, r.T1, r.H1, r.P2,
                            r.T2,   r.H2,     r.P3,       r.T3, r.H3, r.P4, r.T4, r.H4};
  for (std::size_t i = 0; i < std::size(figures); ++i) {
    EXPECT_EQ(table[9 + i][1], cycle::FormatFixed(figures[i], 2)) << table[9 + i][0];
  }
  EXPECT_EQ(table[9][0], "Evaporator");
  EXPECT_EQ(table[9][2], "kW");
  EXPECT_EQ(table[12][2], "TR");
  EXPECT_EQ(table[18][0], "Point 2 enthalpy (isentropic discharge)");
}

// Copy and the CSV report: each row with the conditions after its figures.
TEST(ComparisonTable, WithConditionsEveryRowSaysWhatItWasComputedAt) {
  cycle::ComparisonResults results;
  const cycle::ComparisonFields fields{"10", "50", "3.5", "4", "90", "100", "80", "2", {"R22", "R717"}};
  ASSERT_FALSE(cycle::RunComparison(fields, results).has_value());
  const CsvTable figures = ComparisonTable(results);
  const CsvTable table = ComparisonTableWithConditions(results);
  ASSERT_EQ(table.Header().size(), 1u + 7 + 7);
  EXPECT_EQ(std::vector(table.Header().begin(), table.Header().begin() + 8), figures.Header());
  EXPECT_EQ(table.Header()[8], "Heat capacity of evaporator (kW)");
  EXPECT_EQ(table.Header()[14], "Isentropic efficiency (%)");
  ASSERT_EQ(table.Rows().size(), 2u);
  for (std::size_t row = 0; row < 2; ++row) {
    const auto& cells = table.Rows()[row];
    EXPECT_EQ(std::vector(cells.begin(), cells.begin() + 8), figures.Rows()[row]);
    EXPECT_EQ(std::vector(cells.begin() + 8, cells.end()),
              (std::vector<std::string>{"10", "50", "3.5", "4", "90", "100", "80"}));
  }
}

// No figure with fewer than three significant digits: R717's mass per
// unit heat output lies below a thousandth of a kg/kJ.
TEST(ComparisonTable, EveryFigureHasThreeSignificantDigits) {
  cycle::ComparisonResults results;
  const cycle::ComparisonFields fields{"10", "20", "3.5", "4", "60", "100", "80", "3",
                                       {"R717", "R134a", "R407C"}};
  ASSERT_FALSE(cycle::RunComparison(fields, results).has_value());
  ASSERT_LT(results.MassPerHeat[0], 0.001);
  const CsvTable table = ComparisonTable(results);
  for (const auto& row : table.Rows()) {
    for (std::size_t column = 1; column < row.size(); ++column) {
      const std::string& figure = row[column];
      const auto first = figure.find_first_not_of("-0.");
      ASSERT_NE(first, std::string::npos) << figure;
      const auto digits = std::count_if(figure.begin() + static_cast<std::ptrdiff_t>(first),
                                        figure.end(), [](char c) { return std::isdigit(c); });
      EXPECT_GE(digits, 3) << row[0] << " " << figure;
    }
  }
}

TEST(ComparisonTable, OneRowPerRefrigerantWithTheTotalPagesFigures) {
  cycle::ComparisonResults results;
  const cycle::ComparisonFields fields{"10", "50", "3.5", "4", "90", "100", "80", "2", {"R22", "R134a"}};
  ASSERT_FALSE(cycle::RunComparison(fields, results).has_value());
  const CsvTable csv = ComparisonTable(results);
  auto table = csv.Rows();
  table.insert(table.begin(), csv.Header());
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[0][0], "Refrigerant");
  EXPECT_EQ(table[0][1], "COP (-)");
  EXPECT_EQ(table[0][4], "Displacement volume (m3/h)");
  EXPECT_EQ(table[2][0], "R134a");
  // Every figure as the total page writes it.
  const std::string line = cycle::TotalLine("R134a", cycle::FiguresAt(results, 1));
  for (std::size_t column = 1; column < table[2].size(); ++column) {
    EXPECT_NE(line.find("= " + table[2][column] + " "), std::string::npos) << table[0][column];
  }
}

TEST(CyclePointsTable, GivesPressureTemperatureEnthalpyAndEntropy) {
  const auto diagram = std::get<cycle::CycleDiagram>(
      cycle::BasicCycleDiagram(kInput, cycle::DiagramKind::PressureEnthalpy));
  const CsvTable csv = CyclePointsTable(diagram.corners);
  auto table = csv.Rows();
  table.insert(table.begin(), csv.Header());
  ASSERT_EQ(table.size(), 6u);
  EXPECT_EQ(table[1][0], "1");
  EXPECT_EQ(table[1][1], cycle::FormatFixed(Result().P1, 2));
  EXPECT_EQ(table[1][2], cycle::FormatFixed(Result().T1, 2));
  EXPECT_EQ(table[1][4], cycle::FormatFixed(diagram.corners.suction.s, 4));
  EXPECT_EQ(table[2][4], table[1][4]) << "2s lies on the suction isentrope";
}

TEST(Clipboard, TabsAndAnHtmlTableOfTheSameCells) {
  CsvTable table({"label", "value"});
  table.AddRow({"A & B", "<1>"});
  EXPECT_EQ(TabSeparated(table), "label\tvalue\nA & B\t<1>\n");
  EXPECT_EQ(HtmlTable(table),
            "<table>\n<tr><th>label</th><th>value</th></tr>\n"
            "<tr><td>A &amp; B</td><td>&lt;1&gt;</td></tr>\n</table>\n");
  EXPECT_EQ(HtmlTable(table, "border=\"1\"").rfind("<table border=\"1\">\n<tr><th>", 0), 0u);
}

}  // namespace
}  // namespace report
