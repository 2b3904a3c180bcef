// The comparison result pages: their texts come from the comparison record
// each time a page is created, and Next and Back walk the sequence.
#include "cycle/result_text.h"
#include "program_under_test.h"

namespace forms_test {
namespace {

// The pages in the order of Next, with the title and the figure each shows.
struct PageRow {
  QString name;
  QString title;
};
const PageRow kSequence[] = {
    {page::UserForm5_G, "COP"},
    {page::UserForm8_G, "Vapor of Volume "},
    {page::UserForm6_G, "Mass Flow Rate Per \nUnit Heat Output "},
    {page::UserForm7_G, "Displacement Volume"},
    {page::UserForm9_G, "Compression Discharge  Pressure"},
    {page::UserForm10_G, "Discharge Temperature "},
    {page::UserForm3_G, "Pressure Ratio "},
    {page::TotalResults, "Total results"},
};

class ResultPages : public ProgramTest {
 protected:
  // The record as a completed comparison of three refrigerants leaves it,
  // with a fourth slot left over from an earlier, larger comparison.
  void RecordComparison() {
    results_.RefCount = 3;
    results_.RefName = {"R22", "R134a", "R717", "R404A"};
    results_.COP = {3.456, 5.25, 4.9, 9.99};
    results_.MassPerHeat = {0.0049996, 0.0086, 0.00072, 0.5};
    results_.VaporVolume = {0.011634, 0.015089, 0.0701, 0.5};
    results_.DisplacementVolume = {4.179, 5.7768, 3.3, 99};
    results_.DischargePressure = {44.423, 32.44, 51.3, 99};
    results_.DischargeTemperature = {112.9, 101.78, 170.2, 99};
    results_.PressureRatio = {2.2867, 2.4616, 2.5, 99};
  }
  // The page text as the box shows it: one line per refrigerant, after an
  // empty first line.
  QStringList Lines(const QString& page) { return ResultText(page).split('\n'); }
};

TEST_F(ResultPages, EachPageShowsOneLinePerRefrigerantAfterAnEmptyLine) {
  RecordComparison();
  for (const PageRow& row : kSequence) {
    SCOPED_TRACE(row.name.toStdString());
    EXPECT_EQ(On<QLabel>(row.name, "Label17").text(), row.title);
    EXPECT_EQ(On<QPushButton>(row.name, "CommandButton2").text(), "Next");
    EXPECT_EQ(On<QPushButton>(row.name, "CommandButton3").text(), "Back");
    const QStringList lines = Lines(row.name);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "");
    EXPECT_TRUE(lines[1].startsWith("R22 --- "));
    EXPECT_TRUE(lines[2].startsWith("R134a --- "));
    EXPECT_TRUE(lines[3].startsWith("R717 --- "));
    EXPECT_FALSE(ResultText(row.name).contains("R404A"));
  }
}

TEST_F(ResultPages, LinesCarryTheFiguresInThePagesUnits) {
  RecordComparison();
  EXPECT_EQ(Lines(page::UserForm5_G)[1], "R22 ---  COP = 3.46 (-) ");
  EXPECT_EQ(Lines(page::UserForm8_G)[1], "R22 ---  Vapor volume = 11.63 (10^-3 m3/kg) ");
  EXPECT_EQ(Lines(page::UserForm6_G)[1],
            "R22 ---  Mass flow rate per unit heat output = 5.00 (10^-3 kg/kJ) ");
  EXPECT_EQ(Lines(page::UserForm7_G)[1], "R22 ---  Displacement volume = 4.18 (m3/h) ");
  EXPECT_EQ(Lines(page::UserForm9_G)[1], "R22 ---  Discharge  Pressure = 44.42 (Bar) ");
  EXPECT_EQ(Lines(page::UserForm10_G)[1], "R22 ---  Discharge Temperature = 112.90 ('C) ");
  EXPECT_EQ(Lines(page::UserForm3_G)[1], "R22 ---  Compression Ratio = 2.29 (-) ");
  EXPECT_EQ(Lines(page::TotalResults)[1],
            "R22 ---  Mass flow = 0.00500 (kg/kJ)  Vapor volume = 0.0116 (m3/kg) "
            " Displacement volume = 4.18 (m3/h)  Discharge pressure = 44.42 (bar) "
            " Discharge temperature = 112.90 ('C)  Compression ratio = 2.29 (-)  COP = 3.46 (-) ");
  // The box holds the shared line text, line breaks shown as new lines.
  EXPECT_EQ(ResultText(page::TotalResults),
            QString::fromStdString(cycle::TotalPageText(results_)).replace("\r\n", "\n"));
}

TEST_F(ResultPages, OneRefrigerantGivesAnEmptyLineAndOneLine) {
  RecordComparison();
  results_.RefCount = 1;
  EXPECT_EQ(Lines(page::UserForm5_G), (QStringList{"", "R22 ---  COP = 3.46 (-) "}));
}

TEST_F(ResultPages, NextWalksEveryPageAndLeadsToANewComparisonForm) {
  RecordComparison();
  pages_.Show(page::UserForm5_G);
  for (std::size_t i = 0; i + 1 < std::size(kSequence); ++i) {
    Click(kSequence[i].name, "CommandButton2");
    EXPECT_EQ(LoadedPages(), QStringList{kSequence[i + 1].name});
    EXPECT_EQ(ShownPage(), kSequence[i + 1].name);
  }
  Click(page::TotalResults, "CommandButton2");
  EXPECT_EQ(LoadedPages(), QStringList{page::UserForm4});
  EXPECT_EQ(Text(page::UserForm4, "HeatCapEvap"), "10");
}

TEST_F(ResultPages, BackFromTheTotalPageReachesTheFirstPageInSevenStepsAndTheFormInEight) {
  RecordComparison();
  pages_.Show(page::TotalResults);
  for (std::size_t i = std::size(kSequence) - 1; i > 0; --i) {
    Click(kSequence[i].name, "CommandButton3");
    EXPECT_EQ(LoadedPages(), QStringList{kSequence[i - 1].name});
  }
  Click(page::UserForm5_G, "CommandButton3");
  EXPECT_EQ(LoadedPages(), QStringList{page::UserForm4});
  EXPECT_EQ(ShownPage(), page::UserForm4);
}

TEST_F(ResultPages, APageRebuildsItsTextFromTheRecordWhenCreatedAgain) {
  RecordComparison();
  pages_.Show(page::UserForm5_G);
  Click(page::UserForm5_G, "CommandButton2");
  results_.RefCount = 2;  // a later comparison of two
  results_.COP[0] = 2.0;
  Click(page::UserForm8_G, "CommandButton3");
  EXPECT_EQ(Lines(page::UserForm5_G),
            (QStringList{"", "R22 ---  COP = 2.00 (-) ", "R134a ---  COP = 5.25 (-) "}));
}

}  // namespace
}  // namespace forms_test
