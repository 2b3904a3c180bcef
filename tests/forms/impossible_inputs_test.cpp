// Inputs no real cycle has (negative subcooling or superheating, an
// isentropic efficiency outside 0 to 100 %, a negative flow, capacity or
// safety factor) refused on both forms, after every other check, with the
// form left as it was.
#include "program_under_test.h"

namespace forms_test {
namespace {

// A field of a form, its text, and the message Calculate then shows; a row
// without a message is accepted and opens the form's first result page.
struct Refusal {
  const char* field;
  const char* text;
  const char* message;  // nullptr: accepted
};

const Refusal kBasicRefusals[] = {
    {"Subcooling", "-10", "Subcooling Incorrect"},
    {"Subcooling", " - 3 ", "Subcooling Incorrect"},
    {"Superheating", "-20", "Superheating Incorrect"},
    {"Isotropicefficiency", "150", "Isotropic Efficiency Incorrect"},
    {"Isotropicefficiency", "-80", "Isotropic Efficiency Incorrect"},
    {"Massflowrate", "-1", "Mass Flowrate Hot Water Incorrect"},
    {"Safetyfactor", "-100", "Safety Factor Incorrect"},
    // Accepted: the results page opens, and Back returns to the form.
    {"Isotropicefficiency", "100", nullptr},
    {"Subcooling", "0.01", nullptr},
};

class ImpossibleInputs : public ProgramTest {
 protected:
  void RestoreDefaults(const QString& form) {
    const std::pair<const char*, const char*> defaults[] = {{"Subcooling", "3.5"},
                                                            {"Superheating", "4"},
                                                            {"Isotropicefficiency", "80"},
                                                            {"Safetyfactor", "100"}};
    for (const auto& [field, text] : defaults) SetText(form, field, text);
    if (form == page::UserForm1) {
      SetText(form, "Massflowrate", "1");
    } else {
      SetText(form, "HeatCapEvap", "10");
    }
  }
  // The comparison form with the defaults, R22 and R134a.
  void OpenComparisonOfTwo() {
    OpenComparisonForm();
    On<QComboBox>(page::UserForm4, "NumberRefrigerant").setCurrentIndex(1);
    SetText(page::UserForm4, "Refrigerant1", "R22");
    SetText(page::UserForm4, "Refrigerant2", "R134a");
  }
};

TEST_F(ImpossibleInputs, TheBasicFormRefusesEachWithItsMessage) {
  OpenBasicForm();
  for (const Refusal& row : kBasicRefusals) {
    SCOPED_TRACE(std::string(row.field) + " = \"" + row.text + "\"");
    RestoreDefaults(page::UserForm1);
    SetText(page::UserForm1, row.field, row.text);
    Click(page::UserForm1, "CommandButton2");
    if (row.message == nullptr) {
      EXPECT_EQ(TakeMessages(), QStringList{});
      EXPECT_EQ(ShownPage(), page::UserForm2);
      Click(page::UserForm2, "CommandButton1");  // Back to the form, texts kept
      continue;
    }
    EXPECT_EQ(TakeMessages(), QStringList{row.message});
    EXPECT_EQ(ShownPage(), page::UserForm1);
    EXPECT_EQ(Text(page::UserForm1, row.field), row.text);
    EXPECT_EQ(pages_.State(page::UserForm2), forms::PageState::NotLoaded);
  }
}

const Refusal kComparisonRefusals[] = {
    {"Subcooling", "-10", "Subcooling Incorrect"},
    {"Superheating", "-20", "Superheating Incorrect"},
    {"Isotropicefficiency", "150", "Isotropic Efficiency Incorrect"},
    {"HeatCapEvap", "-10", "Heat Capacity of Evaporator Incorrect"},
    {"Safetyfactor", "-50", "Safety Factor Incorrect"},
};

TEST_F(ImpossibleInputs, TheComparisonFormRefusesEachWithItsMessage) {
  OpenComparisonOfTwo();
  for (const Refusal& row : kComparisonRefusals) {
    SCOPED_TRACE(std::string(row.field) + " = \"" + row.text + "\"");
    RestoreDefaults(page::UserForm4);
    SetText(page::UserForm4, row.field, row.text);
    Click(page::UserForm4, "Calculate");
    EXPECT_EQ(TakeMessages(), QStringList{row.message});
    EXPECT_EQ(ShownPage(), page::UserForm4);
    EXPECT_EQ(Text(page::UserForm4, row.field), row.text);
    EXPECT_EQ(results_.RefCount, 0);
  }
  // An ideal compressor is possible.
  RestoreDefaults(page::UserForm4);
  SetText(page::UserForm4, "Isotropicefficiency", "100");
  Click(page::UserForm4, "Calculate");
  EXPECT_EQ(TakeMessages(), QStringList{});
  EXPECT_EQ(ShownPage(), page::UserForm5_G);
  EXPECT_EQ(results_.RefCount, 2);
}

// The refrigerants are checked before the cycle: a missing choice or a name
// the library does not know is reported first, as before.
TEST_F(ImpossibleInputs, TheComparisonFormChecksItsRefrigerantsFirst) {
  OpenComparisonForm();
  SetText(page::UserForm4, "Superheating", "-20");
  Click(page::UserForm4, "Calculate");
  EXPECT_EQ(TakeMessages(), QStringList{"Please select Refrigerant"});
  On<QComboBox>(page::UserForm4, "NumberRefrigerant").setCurrentIndex(0);
  SetText(page::UserForm4, "Refrigerant1", "R999");
  Click(page::UserForm4, "Calculate");
  EXPECT_EQ(TakeMessages(),
            QStringList{"Incorrect name or check the critical temperature of refrigerant1"});
  SetText(page::UserForm4, "Refrigerant1", "R22");
  Click(page::UserForm4, "Calculate");
  EXPECT_EQ(TakeMessages(), QStringList{"Superheating Incorrect"});
}

// Screening runs no names, so the refusal follows the conditions' checks.
TEST_F(ImpossibleInputs, ScreenAllFluidsRefusesThemAfterTheConditionsChecks) {
  OpenComparisonForm();
  SetText(page::UserForm4, "Subcooling", "-2");
  SetText(page::UserForm4, "Safetyfactor", "0");
  Click(page::UserForm4, "ScreenAllFluids");
  EXPECT_EQ(TakeMessages(), QStringList{"Please Input Safety Factor"});
  SetText(page::UserForm4, "Safetyfactor", "100");
  Click(page::UserForm4, "ScreenAllFluids");
  EXPECT_EQ(TakeMessages(), QStringList{"Subcooling Incorrect"});
  EXPECT_EQ(ShownPage(), page::UserForm4);
}

}  // namespace
}  // namespace forms_test
