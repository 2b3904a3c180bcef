// The basic calculation form: defaults, Clear Data, and the input checks'
// messages as the user meets them (captured, not shown).
#include <map>
#include <string>

#include "cycle/basic_cycle.h"
#include "program_under_test.h"

namespace forms_test {
namespace {

const char* const kFields[] = {"Massflowrate",          "Temperaturehotspring", "Refrigerant",
                               "TemperatureCondensing", "Subcooling",           "Superheating",
                               "Safetyfactor",          "Isotropicefficiency"};

class BasicForm : public ProgramTest {
 protected:
  std::map<QString, QString> Fields() {
    std::map<QString, QString> texts;
    for (const char* field : kFields) texts[field] = Text(page::UserForm1, field);
    return texts;
  }
  static std::map<QString, QString> Defaults() {
    return {{"Massflowrate", "1"},   {"Temperaturehotspring", "50"}, {"Refrigerant", "R22"},
            {"TemperatureCondensing", "90"}, {"Subcooling", "3.5"},  {"Superheating", "4"},
            {"Safetyfactor", "100"}, {"Isotropicefficiency", "80"}};
  }
};

// Each field of the basic calculation's table opens in its box (named as
// the field) with the table's text.
TEST_F(BasicForm, OpensWithTheTextsOfItsCalculationsTable) {
  using Fields = cycle::BasicCycleFields;
  const std::pair<const char*, std::string Fields::*> boxes[] = {
      {"Refrigerant", &Fields::Refrigerant},
      {"Massflowrate", &Fields::Massflowrate},
      {"Temperaturehotspring", &Fields::Temperaturehotspring},
      {"Subcooling", &Fields::Subcooling},
      {"Superheating", &Fields::Superheating},
      {"TemperatureCondensing", &Fields::TemperatureCondensing},
      {"Safetyfactor", &Fields::Safetyfactor},
      {"Isotropicefficiency", &Fields::Isotropicefficiency}};
  OpenBasicForm();
  ExpectTheTableInItsBoxes(page::UserForm1, cycle::kBasicDefaults, boxes);
}

TEST_F(BasicForm, OpensWithItsDesignTexts) {
  OpenBasicForm();
  EXPECT_EQ(Fields(), Defaults());
  EXPECT_EQ(On<QLabel>(page::UserForm1, "Label5").text(), "Condensing temperature ('C)");
  EXPECT_EQ(On<QLabel>(page::UserForm1, "Label11").text(), "Isotropic Efficiency (%)");
  EXPECT_EQ(On<QPushButton>(page::UserForm1, "CommandButton1").text(), "Clear Data");
}

// Reading order: the two columns row by row, then the buttons left to right.
TEST_F(BasicForm, TabOrderFollowsTheReadingOrder) {
  OpenBasicForm();
  const QStringList expected{"Massflowrate",  "Temperaturehotspring", "Refrigerant",
                             "TemperatureCondensing", "Subcooling",   "Superheating",
                             "Safetyfactor",  "Isotropicefficiency",  "CommandButton3",
                             "CommandButton1", "CommandButton2"};
  QWidget* focus = &On<QLineEdit>(page::UserForm1, "Massflowrate");
  QStringList order{focus->objectName()};
  for (int i = 1; i < expected.size(); ++i) {
    focus = focus->nextInFocusChain();
    while (focus->focusPolicy() == Qt::NoFocus) focus = focus->nextInFocusChain();
    order << focus->objectName();
  }
  EXPECT_EQ(order, expected);
}

TEST_F(BasicForm, ClearDataZeroesTheNumbersAndEmptiesTheRefrigerant) {
  OpenBasicForm();
  Click(page::UserForm1, "CommandButton1");
  std::map<QString, QString> cleared;
  for (const char* field : kFields) cleared[field] = "0";
  cleared["Refrigerant"] = "";
  EXPECT_EQ(Fields(), cleared);
  EXPECT_EQ(ShownPage(), page::UserForm1);

  // The empty refrigerant passes the first check; the flow rate fails next.
  Click(page::UserForm1, "CommandButton2");
  EXPECT_EQ(TakeMessages(), QStringList{"Please Input Mass Flowrate Hot Water"});
  EXPECT_EQ(Fields(), cleared);
}

TEST_F(BasicForm, ReopeningThroughTheMenuShowsTheDefaultsAgain) {
  OpenBasicForm();
  SetText(page::UserForm1, "Refrigerant", "R134a");
  SetText(page::UserForm1, "Subcooling", "7");
  Click(page::UserForm1, "CommandButton3");
  Click(page::SelectSim, "CommandButton2");
  EXPECT_EQ(Fields(), Defaults());
}

// Each row: the field changed from the defaults, its text, and the message
// Calculate then shows. Numbers are read by their leading number.
struct Rejection {
  const char* field;
  const char* text;
  const char* message;
};

const Rejection kRejections[] = {
    {"Refrigerant", "Select Refrigerant", "Please select Refrigerant"},
    {"Massflowrate", "0.0", "Please Input Mass Flowrate Hot Water"},
    {"Massflowrate", "", "Please Input Mass Flowrate Hot Water"},
    {"Massflowrate", "-", "Please Input Mass Flowrate Hot Water"},
    {"Massflowrate", "litres", "Please Input Mass Flowrate Hot Water"},
    {"Temperaturehotspring", "0", "Please Input Temperature Hot Water"},
    {"Temperaturehotspring", "14.9", "Temperature of Hot water must > 15 Celsius"},
    {"Temperaturehotspring", "14,9", "Temperature of Hot water must > 15 Celsius"},  // reads 14
    {"Temperaturehotspring", " 1 4 'C", "Temperature of Hot water must > 15 Celsius"},
    {"Subcooling", "none", "Please Input Subcooling"},
    {"Superheating", "", "Please Input Superheating"},
    {"TemperatureCondensing", "0", "Please Input Temperature Condensing"},
    {"TemperatureCondensing", "49.99", "Please check temperature of condensing temperature"},
    {"TemperatureCondensing", "4.999e1", "Please check temperature of condensing temperature"},
    {"Safetyfactor", "0", "Please Input Safety Factor"},
    {"Isotropicefficiency", "%", "Please Input Isotropic Efficiency"},
    // More than a number, read past the checks above: refused, named.
    {"Massflowrate", "1,5",
     "Mass Flowrate Hot Water: \"1,5\" is not a number (the decimal separator is a point)"},
    {"Subcooling", "3.5 K",
     "Subcooling: \"3.5 K\" is not a number (the decimal separator is a point)"},
    {"Safetyfactor", "1OO",
     "Safety Factor: \"1OO\" is not a number (the decimal separator is a point)"},
};

TEST_F(BasicForm, EachInputCheckShowsItsMessageAndLeavesTheFormAsItWas) {
  OpenBasicForm();
  for (const Rejection& row : kRejections) {
    SCOPED_TRACE(std::string(row.field) + " = \"" + row.text + "\"");
    for (const auto& [field, text] : Defaults()) SetText(page::UserForm1, field, text);
    SetText(page::UserForm1, row.field, row.text);
    const auto before = Fields();
    Click(page::UserForm1, "CommandButton2");
    EXPECT_EQ(TakeMessages(), QStringList{row.message});
    EXPECT_EQ(Fields(), before);
    EXPECT_EQ(ShownPage(), page::UserForm1);
    EXPECT_EQ(pages_.State(page::UserForm2), forms::PageState::NotLoaded);
  }
}

TEST_F(BasicForm, OnlyTheFirstFailingCheckIsReported) {
  OpenBasicForm();
  SetText(page::UserForm1, "Temperaturehotspring", "10");
  SetText(page::UserForm1, "Safetyfactor", "0");
  SetText(page::UserForm1, "Subcooling", "");
  Click(page::UserForm1, "CommandButton2");
  EXPECT_EQ(TakeMessages(), QStringList{"Temperature of Hot water must > 15 Celsius"});
}

}  // namespace
}  // namespace forms_test
