#include "basic/user_form1.h"

#include <string>
#include <variant>

#include "forms/page_names.h"
#include "common/name_completion.h"
#include "basic/user_form2.h"

namespace forms {
namespace {

using Fields = cycle::BasicCycleFields;

constexpr int kButtonTop = 9525;

QString Default(std::string Fields::*field) {
  return QString::fromUtf8(cycle::DefaultText(cycle::kBasicDefaults, field));
}

}  // namespace

UserForm1::UserForm1(Shell& shell)
    : PageWindow(18891, 11483),
      shell_(shell),
      Massflowrate(AddTextBox(*this, "Massflowrate", Default(&Fields::Massflowrate),
                              {1482, 2117, 2469, 900})),
      Temperaturehotspring(AddTextBox(*this, "Temperaturehotspring",
                                      Default(&Fields::Temperaturehotspring),
                                      {9737, 2118, 2469, 900})),
      Refrigerant(AddTextBox(*this, "Refrigerant", Default(&Fields::Refrigerant),
                             {1482, 4657, 2469, 900})),
      TemperatureCondensing(AddTextBox(*this, "TemperatureCondensing",
                                       Default(&Fields::TemperatureCondensing),
                                       {9737, 4656, 2469, 900})),
      Subcooling(AddTextBox(*this, "Subcooling", Default(&Fields::Subcooling),
                            {1482, 6350, 2469, 900})),
      Superheating(AddTextBox(*this, "Superheating", Default(&Fields::Superheating),
                              {9737, 6350, 2469, 900})),
      Safetyfactor(AddTextBox(*this, "Safetyfactor", Default(&Fields::Safetyfactor),
                              {1482, 7832, 2469, 900})),
      Isotropicefficiency(AddTextBox(*this, "Isotropicefficiency",
                                     Default(&Fields::Isotropicefficiency),
                                     {9737, 7832, 2469, 900})) {
  for (const auto& [field, box] : {std::pair{&Fields::Massflowrate, &Massflowrate},
                                   {&Fields::Temperaturehotspring, &Temperaturehotspring},
                                   {&Fields::Refrigerant, &Refrigerant},
                                   {&Fields::TemperatureCondensing, &TemperatureCondensing},
                                   {&Fields::Subcooling, &Subcooling},
                                   {&Fields::Superheating, &Superheating},
                                   {&Fields::Safetyfactor, &Safetyfactor},
                                   {&Fields::Isotropicefficiency, &Isotropicefficiency}})
    boxes_.Add(field, *box);
  CompleteRefrigerantNames(Refrigerant);
  AddLabel(*this, "Label2", "Calculation", {7197, 423, 3810, 635}, Emphasis::Heading);
  AddLabel(*this, "Label1", "Hot Water", {1482, 1058, 4656, 635}, Emphasis::Heading)
      .setAlignment(Qt::AlignLeft | Qt::AlignTop);
  AddLabel(*this, "Label3", "Mass flow rate (liter/s)", {4410, 2117, 4903, 635});
  AddLabel(*this, "Label4", "Temperature ('C)", {12665, 2117, 4903, 635});
  AddLabel(*this, "Label6", "Initial Conditions", {1482, 3598, 4021, 635}, Emphasis::Heading)
      .setAlignment(Qt::AlignLeft | Qt::AlignTop);
  AddLabel(*this, "Label9", "Refrigerant", {4445, 4868, 2963, 635});
  // Beside the heading of the conditions, above the refrigerant and the condensing temperature.
  AddBlendNote(*this,
               "For a blend the condensing temperature is its bubble point, and the evaporating "
               "temperature (5 K below the hot water) its dew point.",
               {5600, 3598, 12800, 1000});
  AddLabel(*this, "Label5", "Condensing temperature ('C)", {12665, 4868, 5715, 635});
  AddLabel(*this, "Label7", "Subcooling ('C)", {4410, 6350, 3633, 635});
  AddLabel(*this, "Label8", "Superheating ('C)", {12665, 6350, 3598, 846});
  AddLabel(*this, "Label10", "Safety Factor (%)", {4410, 7832, 3598, 846});
  AddLabel(*this, "Label11", "Isotropic Efficiency (%)", {12665, 7832, 4903, 846});
  auto& back = AddButton(*this, "CommandButton3", "Back", {2328, kButtonTop, 4057, 847});
  auto& clear = AddButton(*this, "CommandButton1", "Clear Data", {7620, kButtonTop, 4057, 847});
  auto& calculate = AddButton(*this, "CommandButton2", "Calculate", {12912, kButtonTop, 4057, 847});

  DeclareKeyButtons(*this, {.main = &calculate, .back = &back});

  connect(&clear, &QPushButton::clicked, this, &UserForm1::CommandButton1_Click);
  connect(&calculate, &QPushButton::clicked, this, &UserForm1::CommandButton2_Click);
  connect(&back, &QPushButton::clicked, this, &UserForm1::CommandButton3_Click);
  // Made last, so that the page's own buttons keep their letters.
  inputs_.emplace(
      *this, shell, AddInputsButtons(*this, InputsRowTop(kButtonTop)),
      InputsRow::Access{
          inputs::Form::basic,
          [this] {
            return inputs::Inputs{inputs::Form::basic,
                                  inputs::TextsOf(cycle::kBasicDefaults, ReadFields())};
          },
          [this](const inputs::Inputs& in) {
            boxes_.Show(inputs::FieldsOf(cycle::kBasicDefaults, in.fields));
          }});
}

void UserForm1::CommandButton1_Click() {
  for (QLineEdit* field : {&Massflowrate, &Temperaturehotspring}) field->setText("0");
  Refrigerant.clear();
  for (QLineEdit* field :
       {&Subcooling, &Superheating, &TemperatureCondensing, &Safetyfactor, &Isotropicefficiency})
    field->setText("0");
}

void UserForm1::CommandButton2_Click() {
  const auto read = cycle::ReadBasicCycleInput(ReadFields());
  const auto* input = std::get_if<cycle::BasicCycleInput>(&read);
  const cycle::BasicCycleOutcome outcome =
      input ? cycle::CalcBasicCycle(*input) : cycle::BasicCycleOutcome(std::get<std::string>(read));
  if (const auto* message = std::get_if<std::string>(&outcome)) {
    shell_.message(this, QString::fromStdString(*message));
    return;
  }
  inputs_->KeepForRecall();
  shell_.pages.Get<UserForm2>(page::UserForm2)
      .ShowResults(*input, std::get<cycle::BasicCycleResult>(outcome));
  shell_.pages.Hide(page::UserForm1);
  shell_.pages.Show(page::UserForm2);
}

void UserForm1::CommandButton3_Click() {
  shell_.pages.Unload(page::UserForm1);
  shell_.pages.Show(page::SelectSim);
}

}  // namespace forms
