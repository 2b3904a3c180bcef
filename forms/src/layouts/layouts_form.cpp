#include "layouts/layouts_form.h"

#include <QButtonGroup>

#include <variant>

#include "common/name_completion.h"
#include "forms/page_names.h"
#include "layouts/layout_results.h"
#include "layouts/layout_schematics.h"
#include "layouts/report_views.h"
#include "report/layout_tables.h"
#include "study/study_page.h"

namespace forms {
namespace {

using Input = cycle::LayoutInput;

// Two columns of text boxes with their captions, as on the other forms; the
// layout's choice and schematic to their right.
constexpr int kLeftBox = 1482, kLeftCaption = 4710, kRightBox = 9837, kRightCaption = 13065;
constexpr int kCaptionWidth = 4900;
constexpr int kBoxWidth = 3000, kBoxHeight = 900;
constexpr int kFirstRow = 2117, kRowPitch = 1400;

constexpr int kLayoutLeft = 18300, kChoiceWidth = 6150, kChoiceHeight = 700;
constexpr Box kSchematic{kLayoutLeft, 3800, 2 * kChoiceWidth + 100, 9400};

constexpr int kButtonTop = 13700;
// The button row right of Calculate, under the schematic, is free for more
// ways on from these inputs.
constexpr int kPageWidth = kSchematic.left + kSchematic.width + 600;
constexpr int kPageHeight = InputsRowTop(kButtonTop) + kInputsButtonHeight + 635;

struct FieldDesign {
  const char* name;
  std::string Input::*member;
  bool right;  // column
  int row;
};

// In the order of the calculation's inputs, which report::LayoutInputs
// labels in the same order: the captions are its labels and units.
constexpr FieldDesign kFields[] = {
    {"Refrigerant", &Input::Refrigerant, false, 0},
    {"Capacity", &Input::Capacity, false, 1},
    {"Evaporating", &Input::Evaporating, false, 2},
    {"Condensing", &Input::Condensing, false, 3},
    {"Subcooling", &Input::Subcooling, false, 4},
    {"Superheating", &Input::Superheating, false, 5},
    {"Safety", &Input::Safety, false, 6},
    {"Efficiency", &Input::Efficiency, false, 7},
    {"IhxEffectiveness", &Input::IhxEffectiveness, true, 0},
    {"Intermediate", &Input::Intermediate, true, 1},
    {"InjectionSuperheat", &Input::InjectionSuperheat, true, 2},
    {"Approach", &Input::Approach, true, 3},
    {"Source", &Input::Source, true, 4},
    {"Sink", &Input::Sink, true, 5},
};

// The radio buttons by name, two to a row.
struct ChoiceDesign {
  cycle::Layout layout;
  const char* name;
};
constexpr ChoiceDesign kChoices[] = {
    {cycle::Layout::basic, "LayoutBasic"},
    {cycle::Layout::ihx, "LayoutIhx"},
    {cycle::Layout::economizer, "LayoutEconomizer"},
    {cycle::Layout::flash_tank, "LayoutFlashTank"},
};

QString CaptionOf(const report::LabelledValue& input) {
  QString caption = QString::fromStdString(input.label);
  if (!input.unit.empty())
    caption += QStringLiteral(" (%1)").arg(QString::fromStdString(input.unit));
  return caption;
}

}  // namespace

LayoutsForm::LayoutsForm(Shell& shell)
    : PageWindow(kPageWidth, kPageHeight),
      shell_(shell) {
  AddLabel(*this, "Title", "Cycle Layouts", {kPageWidth / 2 - 4763, 300, 9525, 635},
           Emphasis::Heading);
  AddLabel(*this, "Conditions", "Operating Conditions", {kLeftBox, 1160, 7000, 635},
           Emphasis::Heading)
      .setAlignment(Qt::AlignLeft | Qt::AlignTop);
  AddLabel(*this, "Options", "Layout Options", {kRightBox, 1160, 7000, 635}, Emphasis::Heading)
      .setAlignment(Qt::AlignLeft | Qt::AlignTop);
  AddLabel(*this, "Layout", "Layout", {kLayoutLeft, 1160, 7000, 635}, Emphasis::Heading)
      .setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Under the options, in the rows the right column leaves free.
  AddBlendNote(*this,
               "For a blend the evaporating temperature is its dew point and the condensing "
               "temperature its bubble point.",
               {kRightBox, kFirstRow + 6 * kRowPitch, kRightCaption + kCaptionWidth - kRightBox,
                kRowPitch + kBoxHeight});

  // The defaults are the calculation's own; a blank default (the heat
  // source and sink) shows in grey what it stands for.
  const Input defaults;
  const report::LabelledValues inputs = report::LayoutInputs(defaults);
  for (std::size_t k = 0; k < std::size(kFields); ++k) {
    const FieldDesign& field = kFields[k];
    const int top = kFirstRow + field.row * kRowPitch;
    const QString text = QString::fromStdString(defaults.*field.member);
    QLineEdit& box = AddTextBox(*this, field.name, text,
                                {field.right ? kRightBox : kLeftBox, top, kBoxWidth, kBoxHeight});
    if (inputs.at(k).value != defaults.*field.member)
      box.setPlaceholderText(QString::fromStdString(inputs.at(k).value));
    AddLabel(*this, QStringLiteral("%1Caption").arg(field.name), CaptionOf(inputs.at(k)),
             {field.right ? kRightCaption : kLeftCaption, top, kCaptionWidth, kBoxHeight});
    fields_.Add(field.member, box);
    if (field.member == &Input::Refrigerant) CompleteRefrigerantNames(box);
  }

  auto* group = new QButtonGroup(this);
  for (std::size_t k = 0; k < std::size(kChoices); ++k) {
    auto* button = new QRadioButton(Words(cycle::LayoutTitle(kChoices[k].layout)), this);
    button->setObjectName(kChoices[k].name);
    Place(*button, {kLayoutLeft + int(k % 2) * (kChoiceWidth + 100), kFirstRow + int(k / 2) * 800,
                    kChoiceWidth, kChoiceHeight});
    group->addButton(button);
    choices_.push_back({kChoices[k].layout, button});
  }
  choices_.front().button->setChecked(true);
  schematic_ = new PictureControl(LayoutSchematic(choices_.front().layout), this);
  schematic_->setObjectName(QStringLiteral("Schematic"));
  Place(*schematic_, kSchematic);
  connect(group, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool checked) {
    if (checked) schematic_->SetPicture(LayoutSchematic(ChosenLayout()));
  });

  const FormButtons buttons = AddFormButtons(*this, kButtonTop);
  connect(&buttons.clear, &QPushButton::clicked, this, [this] { fields_.Clear(); });
  connect(&buttons.calculate, &QPushButton::clicked, this, &LayoutsForm::Calculate);
  connect(&buttons.back, &QPushButton::clicked, this, &LayoutsForm::Back);
  // One input varied over a range in the chosen layout, the others as typed.
  auto& study = AddButton(*this, "ParameterStudy", "Parameter Study...",
                          {kLayoutLeft, kButtonTop, 5000, kFormButtonHeight});
  connect(&study, &QPushButton::clicked, this, [this] {
    const Input input = fields_.Read();
    OpenStudy(shell_, cycle::LayoutCalculation{ChosenLayout(), input}, {input.Refrigerant},
              page::LayoutsForm);
  });
  // Made last, so that the page's own buttons keep their letters.
  inputs_.emplace(*this, shell, AddInputsButtons(*this, InputsRowTop(kButtonTop)),
                  InputsRow::Access{inputs::Form::layouts, [this] { return ReadInputs(); },
                                    [this](const inputs::Inputs& in) { ShowInputs(in); }});
}

cycle::Layout LayoutsForm::ChosenLayout() const {
  for (const Choice& choice : choices_)
    if (choice.button->isChecked()) return choice.layout;
  return choices_.front().layout;
}

inputs::Inputs LayoutsForm::ReadInputs() const {
  return {inputs::Form::layouts, inputs::TextsOf(cycle::kLayoutDefaults, fields_.Read()),
          {}, std::string(cycle::LayoutName(ChosenLayout()))};
}

// The fields, and the layout the inputs name (a file's layout is one of them).
void LayoutsForm::ShowInputs(const inputs::Inputs& in) {
  fields_.Show(inputs::FieldsOf(cycle::kLayoutDefaults, in.fields));
  for (const Choice& choice : choices_) {
    if (cycle::LayoutName(choice.layout) == in.layout) choice.button->setChecked(true);
  }
}

void LayoutsForm::Calculate() {
  const Input input = fields_.Read();
  const cycle::LayoutOutcome outcome = cycle::CalcLayout(ChosenLayout(), input);
  if (const auto* refusal = outcome.refusal()) {
    shell_.message(this, QString::fromStdString(refusal->message));
    return;
  }
  inputs_->KeepForRecall();
  shell_.pages.Get<LayoutResults>(page::LayoutResults).ShowResults(input, *outcome.result());
  shell_.pages.Hide(page::LayoutsForm);
  shell_.pages.Show(page::LayoutResults);
}

void LayoutsForm::Back() {
  shell_.pages.Unload(page::LayoutsForm);
  shell_.pages.Show(page::SelectSim);
}

}  // namespace forms
