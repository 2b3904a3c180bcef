#include "comparison/user_form4.h"

#include <algorithm>

#include "cycle/number_text.h"
#include "forms/page_names.h"
#include "common/name_completion.h"
#include "screening/screening_page.h"

namespace forms {
namespace {

// Two columns of boxes, each box with its label to its right.
constexpr int kLeftBox = 1482, kLeftLabel = 4233, kRightBox = 9737, kRightLabel = 12488;
constexpr int kBoxWidth = 2469, kBoxHeight = 900, kLabelWidth = 5400, kLabelHeight = 846;
constexpr int kFirstRow = 2540, kRowStep = 1270;
constexpr int kButtonTop = 12912, kButtonWidth = 4057, kButtonHeight = 847;
// Under the buttons, the row of the form's inputs and the same margin below.
constexpr int kPageHeight = InputsRowTop(kButtonTop) + kInputsButtonHeight + 465;
constexpr int kLabelDrop = 106;  // labels sit a little lower than their boxes

constexpr int RowTop(int row) { return kFirstRow + row * kRowStep; }
constexpr Box BoxAt(int column_left, int row) {
  return {column_left, RowTop(row), kBoxWidth, kBoxHeight};
}
constexpr Box LabelAt(int column_left, int row) {
  return {column_left, RowTop(row) + kLabelDrop, kLabelWidth, kLabelHeight};
}

QComboBox& AddComboBox(QWidget& page, const QString& name, Box box) {
  auto* combo = new QComboBox(&page);
  combo->setObjectName(name);
  combo->setEditable(false);  // the user can only pick an item
  Place(*combo, box);
  return *combo;
}

std::string TextOf(const QLineEdit& box) { return box.text().toStdString(); }

using Fields = cycle::ComparisonFields;

QString Default(std::string Fields::*field) {
  return QString::fromUtf8(cycle::DefaultText(cycle::kComparisonDefaults, field));
}

}  // namespace

UserForm4::UserForm4(Shell& shell)
    : PageWindow(18891, kPageHeight),
      shell_(shell),
      HeatCapEvap(AddTextBox(*this, "HeatCapEvap", Default(&Fields::HeatCapEvap),
                             BoxAt(kLeftBox, 0))),
      TempEvap(AddTextBox(*this, "TempEvap", Default(&Fields::TempEvap), BoxAt(kRightBox, 0))),
      Subcooling(AddTextBox(*this, "Subcooling", Default(&Fields::Subcooling), BoxAt(kLeftBox, 1))),
      TemperatureCondensing(AddTextBox(*this, "TemperatureCondensing",
                                       Default(&Fields::TemperatureCondensing),
                                       BoxAt(kRightBox, 1))),
      Safetyfactor(AddTextBox(*this, "Safetyfactor", Default(&Fields::Safetyfactor),
                              BoxAt(kLeftBox, 2))),
      Superheating(AddTextBox(*this, "Superheating", Default(&Fields::Superheating),
                              BoxAt(kRightBox, 2))),
      NumberRefrigerant(AddComboBox(*this, "NumberRefrigerant", BoxAt(kLeftBox, 3))),
      Isotropicefficiency(AddTextBox(*this, "Isotropicefficiency",
                                     Default(&Fields::Isotropicefficiency), BoxAt(kRightBox, 3))) {
  for (const auto& [field, box] : {std::pair{&Fields::HeatCapEvap, &HeatCapEvap},
                                   {&Fields::TempEvap, &TempEvap},
                                   {&Fields::Subcooling, &Subcooling},
                                   {&Fields::Superheating, &Superheating},
                                   {&Fields::TemperatureCondensing, &TemperatureCondensing},
                                   {&Fields::Safetyfactor, &Safetyfactor},
                                   {&Fields::Isotropicefficiency, &Isotropicefficiency}})
    conditions_.Add(field, *box);
  AddLabel(*this, "Label1", "Comparision Working Fluid of Compression Heat Pump",
           {1482, 423, 15927, 900}, Emphasis::Heading);
  AddLabel(*this, "Label6", "Initial Condition", {1482, 1482, 4021, 635}, Emphasis::Heading)
      .setAlignment(Qt::AlignLeft | Qt::AlignTop);
  AddLabel(*this, "Label12", "Heat Capacity of Evaporator (kW)", LabelAt(kLeftLabel, 0));
  AddLabel(*this, "Label13", "Evaporating Temperature ('C)", LabelAt(kRightLabel, 0));
  AddLabel(*this, "Label7", "Subcooling ('C)", LabelAt(kLeftLabel, 1));
  AddLabel(*this, "Label5", "Condensing Temperature ('C)", LabelAt(kRightLabel, 1));
  AddLabel(*this, "Label10", "Safety Factor (%)", LabelAt(kLeftLabel, 2));
  AddLabel(*this, "Label8", "Superheating ('C)", LabelAt(kRightLabel, 2));
  AddLabel(*this, "Label9", "Number Refrigerant", LabelAt(kLeftLabel, 3));
  AddLabel(*this, "Label11", "Isotropic Efficiency (%)", LabelAt(kRightLabel, 3));

  // Refrigerant boxes: odd numbers left, even numbers right, four rows.
  for (int k = 1; k <= cycle::kMaxRefrigerants; ++k) {
    const int row = 4 + (k - 1) / 2;
    const bool left = k % 2 == 1;
    QLineEdit& box = AddTextBox(*this, QStringLiteral("Refrigerant%1").arg(k), QString(),
                                BoxAt(left ? kLeftBox : kRightBox, row));
    QLabel& label = AddLabel(*this, QStringLiteral("retext%1").arg(k),
                             QStringLiteral("Refrigerant %1").arg(k),
                             LabelAt(left ? kLeftLabel : kRightLabel, row));
    CompleteRefrigerantNames(box);
    box.hide();
    label.hide();
    Refrigerant[k - 1] = &box;
    retext[k - 1] = &label;
  }

  // Beside the heading of the conditions, left of Screen All Fluids.
  AddBlendNote(*this,
               "For a blend the evaporating temperature is its dew point and the condensing "
               "temperature its bubble point.",
               {5600, 1400, 7100, 1080});
  auto& back = AddButton(*this, "CommandButton1", "Back", {2328, kButtonTop, kButtonWidth, kButtonHeight});
  auto& clear = AddButton(*this, "Cleardata", "Clear Data", {7620, kButtonTop, kButtonWidth, kButtonHeight});
  auto& calculate = AddButton(*this, "Calculate", "Calculate", {12912, kButtonTop, kButtonWidth, kButtonHeight});
  // Above Calculate, in the only room of a button's size on the right: beside
  // the heading "Initial Condition" (the name boxes reach close to Calculate).
  auto& screen = AddButton(*this, "ScreenAllFluids", "Screen All Fluids",
                           {12912, 1482, kButtonWidth, kButtonHeight});

  DeclareKeyButtons(*this, {.main = &calculate, .back = &back});

  UserForm_initialize();
  connect(&NumberRefrigerant, &QComboBox::currentTextChanged, this,
          &UserForm4::NumberRefrigerant_Change);
  connect(&calculate, &QPushButton::clicked, this, &UserForm4::Calculate_Click);
  connect(&clear, &QPushButton::clicked, this, &UserForm4::Cleardata_Click);
  connect(&back, &QPushButton::clicked, this, &UserForm4::CommandButton1_Click);
  connect(&screen, &QPushButton::clicked, this, &UserForm4::ScreenAllFluids_Click);
  // Made last, so that the page's own buttons keep their letters.
  inputs_.emplace(*this, shell, AddInputsButtons(*this, InputsRowTop(kButtonTop)),
                  InputsRow::Access{inputs::Form::comparison, [this] { return ReadInputs(); },
                                    [this](const inputs::Inputs& in) { ShowInputs(in); }});
  // Opens ready for typing into its first box, above Screen All Fluids in
  // the order of the keys.
  HeatCapEvap.setFocus();
}

void UserForm4::UserForm_initialize() {
  for (int n = 1; n <= cycle::kMaxRefrigerants; ++n) NumberRefrigerant.addItem(QString::number(n));
  NumberRefrigerant.setCurrentIndex(-1);  // nothing chosen: the box starts empty
}

// Every change empties all eight name boxes, also those that stay visible.
void UserForm4::NumberRefrigerant_Change() {
  for (int k = 0; k < cycle::kMaxRefrigerants; ++k) {
    Refrigerant[k]->hide();
    Refrigerant[k]->clear();
    retext[k]->hide();
  }
  if (NumberRefrigerant.currentText().isEmpty()) return;
  const int count = static_cast<int>(cycle::LeadingNumber(NumberRefrigerant.currentText().toStdString()));
  for (int k = 0; k < count && k < cycle::kMaxRefrigerants; ++k) {
    Refrigerant[k]->show();
    retext[k]->show();
  }
}

cycle::ComparisonFields UserForm4::ReadFields() const {
  cycle::ComparisonFields fields = conditions_.Read();
  fields.NumberRefrigerant = NumberRefrigerant.currentText().toStdString();
  for (int k = 0; k < cycle::kMaxRefrigerants; ++k) fields.Refrigerant[k] = TextOf(*Refrigerant[k]);
  return fields;
}

// The conditions, and the names of the refrigerants chosen (the boxes
// beyond their number are empty and hidden).
inputs::Inputs UserForm4::ReadInputs() const {
  const cycle::ComparisonFields fields = ReadFields();
  const int count = NumberRefrigerant.currentIndex() + 1;
  return {inputs::Form::comparison, inputs::TextsOf(cycle::kComparisonDefaults, fields),
          std::vector<std::string>(fields.Refrigerant.begin(), fields.Refrigerant.begin() + count),
          {}};
}

void UserForm4::ShowInputs(const inputs::Inputs& in) {
  conditions_.Show(inputs::FieldsOf(cycle::kComparisonDefaults, in.fields));
  FillRefrigerants(in.refrigerants);
}

void UserForm4::Calculate_Click() {
  if (const auto message = cycle::RunComparison(ReadFields(), shell_.results)) {
    shell_.message(this, QString::fromStdString(*message));
    return;
  }
  inputs_->KeepForRecall();
  shell_.pages.Unload(page::UserForm4);
  shell_.pages.Show(page::UserForm5_G);
}

void UserForm4::Cleardata_Click() {
  for (std::string& name : shell_.results.RefName) name.clear();
  NumberRefrigerant.setCurrentIndex(-1);
  HeatCapEvap.setText("0");
  TempEvap.setText("0");
  for (QLineEdit* box : Refrigerant) box->hide();
  for (QLabel* label : retext) label->hide();
  for (QLineEdit* field :
       {&Subcooling, &Superheating, &TemperatureCondensing, &Safetyfactor, &Isotropicefficiency})
    field->setText("0");
}

void UserForm4::CommandButton1_Click() {
  shell_.pages.Unload(page::UserForm4);
  shell_.pages.Show(page::SelectSim);
}

// Calculate's checks of the conditions, with its messages; the names and
// their number are the screening's to choose. The form is kept with its
// texts for the way back.
void UserForm4::ScreenAllFluids_Click() {
  const auto conditions = cycle::ReadScreeningConditions(ReadFields());
  if (const auto* message = std::get_if<std::string>(&conditions)) {
    shell_.message(this, QString::fromStdString(*message));
    return;
  }
  shell_.pages.Get<ScreeningPage>(page::Screening)
      .Open(std::get<cycle::ComparisonConditions>(conditions));
  shell_.pages.Hide(page::UserForm4);
  shell_.pages.Show(page::Screening);
}

void UserForm4::FillRefrigerants(const std::vector<std::string>& names) {
  const std::size_t count = std::min<std::size_t>(names.size(), cycle::kMaxRefrigerants);
  NumberRefrigerant.setCurrentIndex(static_cast<int>(count) - 1);
  for (std::size_t k = 0; k < count; ++k) Refrigerant[k]->setText(QString::fromStdString(names[k]));
}

}  // namespace forms
