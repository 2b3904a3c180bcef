// Whole passes through the program with real figures from the property
// library: the basic calculation from the start page and back, and a
// comparison of three refrigerants through every result page and back.
// Expected figures: the reference cycle cases of R22 (basic calculation at
// the form's defaults) and of R22, R134a and R152A (comparison at the form's
// defaults), rounded as the pages show them.
#include <map>

#include "program_under_test.h"

namespace forms_test {
namespace {

const char* const kResultBoxes[] = {"Evap", "Conden", "Compress", "EV", "P1", "P2", "P3", "P4",
                                    "T1",   "T2",     "T3",       "T4", "H1", "H2", "H3", "H4"};

class FullFlow : public ProgramTest {
 protected:
  std::map<QString, QString> Results() {
    std::map<QString, QString> texts;
    for (const char* box : kResultBoxes) texts[box] = Text(page::UserForm2, box);
    return texts;
  }
  void ExpectOnly(const QString& shown, const QStringList& hidden = {}) {
    EXPECT_EQ(ShownPage(), shown);
    QStringList loaded = hidden;
    loaded << shown;
    loaded.sort();
    EXPECT_EQ(LoadedPages(), loaded);
  }
};

// Reference case 0: R22 at the defaults of the basic calculation form.
const std::map<QString, QString> kR22Defaults{
    {"Evap", "20.91"}, {"Conden", "26.85"}, {"Compress", "5.94"}, {"EV", "5.94"},
    {"P1", "17.29"},   {"P2", "44.42"},     {"P3", "44.42"},      {"P4", "17.29"},
    {"T1", "49.00"},   {"T2", "115.37"},    {"T3", "86.50"},      {"T4", "45.00"},
    {"H1", "421.06"},  {"H2", "443.69"},    {"H3", "321.55"},     {"H4", "321.55"}};

TEST_F(FullFlow, BasicCalculationFromTheStartPageAndBack) {
  Start();
  Click(page::FristPage, "CommandButton1");  // 1
  ExpectOnly(page::SelectSim);
  Click(page::SelectSim, "CommandButton2");  // 2
  ExpectOnly(page::UserForm1);
  SetText(page::UserForm1, "Massflowrate", " 1 ");  // blanks count nowhere

  Click(page::UserForm1, "CommandButton2");  // 3
  ExpectOnly(page::UserForm2, {page::UserForm1});
  EXPECT_EQ(Results(), kR22Defaults);

  Click(page::UserForm2, "CommandButton3");  // 4
  ExpectOnly(page::UserForm13, {page::UserForm1, page::UserForm2});
  Click(page::UserForm13, "CommandButton2");  // 5
  ExpectOnly(page::UserForm2, {page::UserForm1});
  EXPECT_EQ(Results(), kR22Defaults);

  Click(page::UserForm2, "CommandButton1");  // 6
  ExpectOnly(page::UserForm1);
  EXPECT_EQ(Text(page::UserForm1, "Massflowrate"), " 1 ");
  Click(page::UserForm1, "CommandButton3");  // 7
  ExpectOnly(page::SelectSim);
  Click(page::SelectSim, "CommandButton4");  // 8
  ExpectOnly(page::FristPage);
  Click(page::FristPage, "CommandButton3");  // 9
  EXPECT_TRUE(LoadedPages().isEmpty());
  EXPECT_TRUE(program_ended_);
}

TEST_F(FullFlow, ANewCalculationShowsOnlyTheNewResults) {
  OpenBasicForm();
  Click(page::UserForm1, "CommandButton2");
  Click(page::UserForm2, "CommandButton1");
  SetText(page::UserForm1, "Safetyfactor", "200");  // doubles the duties, not the points
  Click(page::UserForm1, "CommandButton2");
  std::map<QString, QString> doubled = kR22Defaults;
  doubled["Evap"] = "41.81";
  doubled["Conden"] = "53.70";
  doubled["Compress"] = "11.89";
  doubled["EV"] = "11.89";
  EXPECT_EQ(Results(), doubled);
}

// The flow rate is read as typed, blanks counting nowhere; the evaporator
// duty is proportional to it (reference case 0: 20.906726810331616 kW at 1
// liter/s). A huge one shows in exponent form.
TEST_F(FullFlow, TheFlowRateIsReadAsTyped) {
  const std::pair<const char*, const char*> rows[] = {
      {"1.5e1", "313.60"}, {" 5\t0 ", "1045.34"}, {"+2", "41.81"}, {"1e300", "2.09e+301"}};
  OpenBasicForm();
  for (const auto& [text, evap] : rows) {
    SCOPED_TRACE(text);
    SetText(page::UserForm1, "Massflowrate", text);
    Click(page::UserForm1, "CommandButton2");
    EXPECT_EQ(Text(page::UserForm2, "Evap"), evap);
    Click(page::UserForm2, "CommandButton1");
    EXPECT_EQ(Text(page::UserForm1, "Massflowrate"), text);
  }
}

TEST_F(FullFlow, AFailedPropertyRequestShowsTheCalculationsMessage) {
  OpenBasicForm();
  SetText(page::UserForm1, "Refrigerant", "NoSuchFluid");
  Click(page::UserForm1, "CommandButton2");
  const QStringList messages = TakeMessages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_FALSE(messages[0].trimmed().isEmpty());
  ExpectOnly(page::UserForm1);
  EXPECT_EQ(Text(page::UserForm1, "Refrigerant"), "NoSuchFluid");
}

// Per page, the figure each refrigerant's line shows.
struct PageFigures {
  QString page;
  QStringList figures;  // R22, R134a, R152A
};
const PageFigures kComparison[] = {
    {page::UserForm5_G, {"5.11", "5.25", "5.80"}},
    {page::UserForm8_G, {"11.63", "15.09", "26.99"}},
    {page::UserForm6_G, {"8.02", "8.61", "4.75"}},
    {page::UserForm7_G, {"4.18", "5.78", "5.58"}},
    {page::UserForm9_G, {"44.42", "32.44", "28.78"}},
    {page::UserForm10_G, {"112.90", "101.78", "106.85"}},
    {page::UserForm3_G, {"2.29", "2.46", "2.44"}},
};
const QStringList kNames{"R22", "R134a", "R152A"};

class Comparison : public FullFlow {
 protected:
  void Choose(const QStringList& names) {
    On<QComboBox>(page::UserForm4, "NumberRefrigerant").setCurrentIndex(names.size() - 1);
    for (int k = 0; k < names.size(); ++k)
      SetText(page::UserForm4, QStringLiteral("Refrigerant%1").arg(k + 1), names[k]);
  }
};

TEST_F(Comparison, ThreeRefrigerantsThroughEveryResultPageAndBack) {
  OpenComparisonForm();
  Choose(kNames);
  Click(page::UserForm4, "Calculate");
  ExpectOnly(page::UserForm5_G);
  EXPECT_EQ(results_.RefCount, 3);

  for (const PageFigures& expected : kComparison) {
    SCOPED_TRACE(expected.page.toStdString());
    ExpectOnly(expected.page);
    const QStringList lines = ResultText(expected.page).split('\n');
    ASSERT_EQ(lines.size(), 4);
    for (int k = 0; k < 3; ++k) {
      EXPECT_TRUE(lines[k + 1].startsWith(kNames[k] + " --- ")) << lines[k + 1].toStdString();
      EXPECT_TRUE(lines[k + 1].contains("= " + expected.figures[k] + " ")) << lines[k + 1].toStdString();
    }
    Click(expected.page, "CommandButton2");
  }
  ExpectOnly(page::TotalResults);
  const QStringList total = ResultText(page::TotalResults).split('\n');
  ASSERT_EQ(total.size(), 4);
  EXPECT_TRUE(total[1].contains("Mass flow = 0.00802 (kg/kJ)")) << total[1].toStdString();
  EXPECT_TRUE(total[3].contains("Vapor volume = 0.0270 (m3/kg)")) << total[3].toStdString();
  EXPECT_TRUE(total[2].contains("COP = 5.25 (-)")) << total[2].toStdString();

  // Back through every page to the form, which starts afresh.
  for (int i = int(std::size(kComparison)); i >= 0; --i) {
    const QString from = i == int(std::size(kComparison)) ? page::TotalResults : kComparison[i].page;
    Click(from, "CommandButton3");
  }
  ExpectOnly(page::UserForm4);
  EXPECT_EQ(Text(page::UserForm4, "HeatCapEvap"), "10");
  EXPECT_EQ(On<QComboBox>(page::UserForm4, "NumberRefrigerant").currentText(), "");
  EXPECT_FALSE(On<QLineEdit>(page::UserForm4, "Refrigerant1").isVisible());
}

TEST_F(Comparison, RefrigerantsAreRejectedByNumberForAnEmptyNameOrTheCriticalTemperature) {
  OpenComparisonForm();
  struct Row {
    QStringList names;
    const char* message;
  };
  const Row rows[] = {
      {{"R22", "", "R134a"}, "Incorrect name or check the critical temperature of refrigerant2"},
      {{"NoSuchFluid", ""}, "Incorrect name or check the critical temperature of refrigerant1"},
      {{"R22", "R32"}, "Incorrect name or check the critical temperature of refrigerant2"},  // 78 'C
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.names.join(",").toStdString());
    Choose(row.names);
    Click(page::UserForm4, "Calculate");
    EXPECT_EQ(TakeMessages(), QStringList{row.message});
    ExpectOnly(page::UserForm4);
  }
}

}  // namespace
}  // namespace forms_test
