// The comparison form: defaults, the name boxes when the number changes,
// Clear Data, and the input checks' messages (captured, not shown).
#include <map>
#include <string>

#include "cycle/comparison.h"
#include "program_under_test.h"

namespace forms_test {
namespace {

const char* const kConditions[] = {"HeatCapEvap",  "TempEvap",     "Subcooling",
                                   "TemperatureCondensing", "Safetyfactor", "Superheating",
                                   "Isotropicefficiency"};

class ComparisonForm : public ProgramTest {
 protected:
  QComboBox& Number() { return On<QComboBox>(page::UserForm4, "NumberRefrigerant"); }
  // Picks N from the drop-down list as a user does.
  void ChooseNumber(int n) { Number().setCurrentIndex(n - 1); }
  std::map<QString, QString> Conditions() {
    std::map<QString, QString> texts;
    for (const char* field : kConditions) texts[field] = Text(page::UserForm4, field);
    return texts;
  }
  static std::map<QString, QString> Defaults() {
    return {{"HeatCapEvap", "10"},  {"TempEvap", "50"},     {"Subcooling", "3.5"},
            {"TemperatureCondensing", "90"}, {"Safetyfactor", "100"}, {"Superheating", "4"},
            {"Isotropicefficiency", "80"}};
  }
  // For name boxes 1 to 8: visible, and the text when visible.
  std::vector<std::pair<bool, QString>> NameBoxes() {
    std::vector<std::pair<bool, QString>> boxes;
    for (int k = 1; k <= 8; ++k) {
      QLineEdit& box = On<QLineEdit>(page::UserForm4, QStringLiteral("Refrigerant%1").arg(k));
      QLabel& label = On<QLabel>(page::UserForm4, QStringLiteral("retext%1").arg(k));
      EXPECT_EQ(box.isVisible(), label.isVisible()) << "box and label " << k << " differ";
      EXPECT_EQ(label.text(), QStringLiteral("Refrigerant %1").arg(k));
      boxes.emplace_back(box.isVisible(), box.text());
    }
    return boxes;
  }
  static std::vector<std::pair<bool, QString>> Visible(int n) {
    std::vector<std::pair<bool, QString>> boxes(8, {false, QString()});
    for (int k = 0; k < n; ++k) boxes[k].first = true;
    return boxes;
  }
  void TypeName(int k, const QString& name) {
    SetText(page::UserForm4, QStringLiteral("Refrigerant%1").arg(k), name);
  }
};

// Each condition of the comparison's table opens in its box (named as the
// field) with the table's text.
TEST_F(ComparisonForm, OpensWithTheTextsOfItsCalculationsTable) {
  using Fields = cycle::ComparisonFields;
  const std::pair<const char*, std::string Fields::*> boxes[] = {
      {"HeatCapEvap", &Fields::HeatCapEvap},
      {"TempEvap", &Fields::TempEvap},
      {"Subcooling", &Fields::Subcooling},
      {"Superheating", &Fields::Superheating},
      {"TemperatureCondensing", &Fields::TemperatureCondensing},
      {"Safetyfactor", &Fields::Safetyfactor},
      {"Isotropicefficiency", &Fields::Isotropicefficiency}};
  OpenComparisonForm();
  ExpectTheTableInItsBoxes(page::UserForm4, cycle::kComparisonDefaults, boxes);
}

TEST_F(ComparisonForm, OpensWithItsDefaultsAnEmptyNumberAndNoNameBoxes) {
  OpenComparisonForm();
  EXPECT_EQ(Conditions(), Defaults());
  EXPECT_EQ(Number().currentText(), "");
  QStringList items;
  for (int i = 0; i < Number().count(); ++i) items << Number().itemText(i);
  EXPECT_EQ(items, (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
  EXPECT_FALSE(Number().isEditable());
  EXPECT_EQ(NameBoxes(), Visible(0));
  EXPECT_EQ(On<QLabel>(page::UserForm4, "Label1").text(),
            "Comparision Working Fluid of Compression Heat Pump");
  EXPECT_EQ(On<QLabel>(page::UserForm4, "Label12").text(), "Heat Capacity of Evaporator (kW)");
}

TEST_F(ComparisonForm, ChangingTheNumberShowsThatManyEmptyNameBoxes) {
  OpenComparisonForm();
  ChooseNumber(3);
  EXPECT_EQ(NameBoxes(), Visible(3));
  TypeName(1, "R22");
  TypeName(2, "R134a");
  TypeName(3, "R717");
  ChooseNumber(4);  // every change empties all boxes, also those that stay
  EXPECT_EQ(NameBoxes(), Visible(4));
  ChooseNumber(8);
  EXPECT_EQ(NameBoxes(), Visible(8));
  ChooseNumber(1);
  EXPECT_EQ(NameBoxes(), Visible(1));
}

TEST_F(ComparisonForm, ClearDataZeroesTheConditionsAndForgetsTheNames) {
  OpenComparisonForm();
  results_.RefCount = 2;
  results_.COP = {4.5, 3.9};
  ChooseNumber(2);
  TypeName(1, "R22");
  TypeName(2, "R134a");
  Click(page::UserForm4, "Cleardata");
  std::map<QString, QString> zeros;
  for (const char* field : kConditions) zeros[field] = "0";
  EXPECT_EQ(Conditions(), zeros);
  EXPECT_EQ(Number().currentText(), "");
  EXPECT_EQ(NameBoxes(), Visible(0));
  for (const std::string& name : results_.RefName) EXPECT_EQ(name, "");
  EXPECT_EQ(results_.RefCount, 2);  // the last comparison's figures stay
  EXPECT_EQ(results_.COP[1], 3.9);

  Click(page::UserForm4, "Calculate");
  EXPECT_EQ(TakeMessages(), QStringList{"Please Input Heat Capacity of Evaporator"});
}

TEST_F(ComparisonForm, TheNamesAreRecordedEvenWhenACheckFails) {
  OpenComparisonForm();
  ChooseNumber(2);
  TypeName(1, "R22");
  TypeName(2, "R290");
  SetText(page::UserForm4, "HeatCapEvap", "0");
  Click(page::UserForm4, "Calculate");
  EXPECT_EQ(TakeMessages(), QStringList{"Please Input Heat Capacity of Evaporator"});
  EXPECT_EQ(results_.RefName[0], "R22");
  EXPECT_EQ(results_.RefName[1], "R290");
  EXPECT_EQ(results_.RefCount, 0);
}

// Each row: a condition changed from the defaults (no number chosen), its
// text, and the message Calculate shows. Accepted values reach the last
// check, the missing number of refrigerants.
struct Case {
  const char* field;
  const char* text;
  const char* message;
};

const Case kCases[] = {
    {"HeatCapEvap", "0", "Please Input Heat Capacity of Evaporator"},
    {"HeatCapEvap", "kW", "Please Input Heat Capacity of Evaporator"},
    {"HeatCapEvap", "12 kW", "Please select Refrigerant"},
    {"HeatCapEvap", "-5", "Please select Refrigerant"},
    {"TempEvap", "", "Please Input Temperature at Evaporator"},
    {"TempEvap", "14.9", "Temperature at Evaporator Incorrect"},
    {"TempEvap", "15", "Please select Refrigerant"},
    {"TempEvap", "80", "Please select Refrigerant"},
    {"TempEvap", "80.1", "Temperature at Evaporator Incorrect"},
    {"Subcooling", "0", "Please Input Subcooling"},
    {"Subcooling", "10", "Please select Refrigerant"},
    {"Subcooling", "10.5", "Temperature of Subcooling Incorrect"},
    {"Superheating", "0", "Please Input Superheating"},
    {"Superheating", "15.1", "Temperature of Superheating Incorrect"},
    {"TemperatureCondensing", "0", "Please Input Temperature Condensing"},
    {"TemperatureCondensing", "39.9", "Can't Use Heat Pump System"},
    {"TemperatureCondensing", "49", "Can't Use Heat Pump System"},  // below evaporating
    {"TemperatureCondensing", "50", "Please select Refrigerant"},   // equal is accepted
    {"TemperatureCondensing", "150", "Please select Refrigerant"},
    {"TemperatureCondensing", "150.5", "Can't Use Heat Pump System"},
    {"Safetyfactor", "0", "Please Input Safety Factor"},
    {"Safetyfactor", "101", "Safety Factor Incorrect"},
    {"Safetyfactor", "50", "Please select Refrigerant"},
    {"Isotropicefficiency", "eighty", "Please Input Isotropic Efficiency"},
    {"Isotropicefficiency", "120", "Please select Refrigerant"},
};

TEST_F(ComparisonForm, EachCheckShowsItsMessageAndLeavesTheFormAsItWas) {
  OpenComparisonForm();
  for (const Case& row : kCases) {
    SCOPED_TRACE(std::string(row.field) + " = \"" + row.text + "\"");
    for (const auto& [field, text] : Defaults()) SetText(page::UserForm4, field, text);
    SetText(page::UserForm4, row.field, row.text);
    const auto before = Conditions();
    Click(page::UserForm4, "Calculate");
    EXPECT_EQ(TakeMessages(), QStringList{row.message});
    EXPECT_EQ(Conditions(), before);
    EXPECT_EQ(ShownPage(), page::UserForm4);
  }
}

// With a refrigerant chosen, a condition holding more than a number is
// refused naming the field, after the checks of the conditions and of the
// refrigerants; the screening refuses it as well.
TEST_F(ComparisonForm, AConditionThatIsNotWhollyANumberIsRefusedNamingTheField) {
  const Case cases[] = {
      {"HeatCapEvap", "10 kW",
       "Heat Capacity of Evaporator: \"10 kW\" is not a number (the decimal separator is a point)"},
      {"Superheating", "4,5",
       "Superheating: \"4,5\" is not a number (the decimal separator is a point)"},
      {"TempEvap", "14,9", "Temperature at Evaporator Incorrect"},
      {"Safetyfactor", "0,5", "Please Input Safety Factor"},
  };
  OpenComparisonForm();
  ChooseNumber(1);
  TypeName(1, "R22");
  for (const Case& row : cases) {
    SCOPED_TRACE(std::string(row.field) + " = \"" + row.text + "\"");
    for (const auto& [field, text] : Defaults()) SetText(page::UserForm4, field, text);
    SetText(page::UserForm4, row.field, row.text);
    Click(page::UserForm4, "Calculate");
    EXPECT_EQ(TakeMessages(), QStringList{row.message});
    Click(page::UserForm4, "ScreenAllFluids");
    EXPECT_EQ(TakeMessages(), QStringList{row.message});
    EXPECT_EQ(ShownPage(), page::UserForm4);
  }
}

}  // namespace
}  // namespace forms_test
