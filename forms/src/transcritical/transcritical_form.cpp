#include "transcritical/transcritical_form.h"

#include <variant>

#include "forms/page_names.h"
#include "study/study_page.h"
#include "transcritical/transcritical_results.h"

namespace forms {
namespace {

using Input = cycle::TranscriticalInput;

// The two columns of text boxes and their captions, as on the basic form.
constexpr int kLeftBox = 1482, kLeftCaption = 4410, kRightBox = 9737, kRightCaption = 12665;
constexpr int kLeftCaptionWidth = 5080, kRightCaptionWidth = 5900;
constexpr int kBoxWidth = 2469, kBoxHeight = 900;

struct FieldDesign {
  const char* name;
  const char* caption;
  std::string Input::*member;
  bool right;  // column
  int top;
};

// In reading order, which is also the tab order.
constexpr FieldDesign kFields[] = {
    {"WaterIn", "Water inlet temperature ('C)", &Input::WaterIn, false, 2117},
    {"WaterOut", "Water outlet temperature ('C)", &Input::WaterOut, true, 2117},
    {"HeatingCapacity", "Heating capacity (kW)", &Input::HeatingCapacity, false, 3598},
    {"MinApproach", "Minimum approach (K)", &Input::MinApproach, true, 3598},
    {"Refrigerant", "Refrigerant", &Input::Refrigerant, false, 6138},
    {"HighPressure", "High-side pressure (bar or optimal)", &Input::HighPressure, true, 6138},
    {"Evaporating", "Evaporating temperature ('C)", &Input::Evaporating, false, 7620},
    {"Superheating", "Superheating (K)", &Input::Superheating, true, 7620},
    {"GasCoolerOutlet", "Gas cooler outlet temperature ('C)", &Input::GasCoolerOutlet, false, 9102},
    {"Efficiency", "Isentropic efficiency (%)", &Input::Efficiency, true, 9102},
};

constexpr int kButtonTop = 10795;

}  // namespace

TranscriticalForm::TranscriticalForm(Shell& shell)
    : PageWindow(18891, InputsRowTop(kButtonTop) + kInputsButtonHeight + 635),
      shell_(shell) {
  AddLabel(*this, "Title", "Transcritical Cycle", {4683, 423, 9525, 635}, Emphasis::Heading);
  AddLabel(*this, "HotWater", "Hot Water", {kLeftBox, 1058, 4656, 635}, Emphasis::Heading)
      .setAlignment(Qt::AlignLeft | Qt::AlignTop);
  AddLabel(*this, "Cycle", "Refrigerant Cycle", {kLeftBox, 5080, 5715, 635}, Emphasis::Heading)
      .setAlignment(Qt::AlignLeft | Qt::AlignTop);
  AddBlendNote(*this, "For a blend the evaporating temperature is its dew point.",
               {kRightBox, 5080, 18891 - kRightBox - 635, 900});
  // One input varied over a range, the others as typed; in the free place
  // right of the water's heading, above its fields (the minimum approach
  // stands right of the heating capacity).
  auto& study = AddButton(*this, "ParameterStudy", "Parameter Study...",
                          {kRightBox, 1150, kBoxWidth + kRightCaptionWidth - 1500, kBoxHeight});
  connect(&study, &QPushButton::clicked, this, [this] {
    const Input input = fields_.Read();
    OpenStudy(shell_, input, {input.Refrigerant}, page::TranscriticalForm);
  });

  const Input defaults;
  for (const FieldDesign& field : kFields) {
    const int box_left = field.right ? kRightBox : kLeftBox;
    QLineEdit& box =
        AddTextBox(*this, field.name, QString::fromStdString(defaults.*field.member),
                   {box_left, field.top, kBoxWidth, kBoxHeight});
    AddLabel(*this, QStringLiteral("%1Caption").arg(field.name), field.caption,
             {field.right ? kRightCaption : kLeftCaption, field.top,
              field.right ? kRightCaptionWidth : kLeftCaptionWidth, kBoxHeight});
    fields_.Add(field.member, box);
  }

  const FormButtons buttons = AddFormButtons(*this, kButtonTop);
  connect(&buttons.clear, &QPushButton::clicked, this, [this] { fields_.Clear(); });
  connect(&buttons.calculate, &QPushButton::clicked, this, &TranscriticalForm::Calculate);
  connect(&buttons.back, &QPushButton::clicked, this, &TranscriticalForm::Back);
  // Made last, so that the page's own buttons keep their letters.
  inputs_.emplace(
      *this, shell, AddInputsButtons(*this, InputsRowTop(kButtonTop)),
      InputsRow::Access{
          inputs::Form::transcritical,
          [this] {
            return inputs::Inputs{inputs::Form::transcritical,
                                  inputs::TextsOf(cycle::kTranscriticalDefaults, fields_.Read())};
          },
          [this](const inputs::Inputs& in) {
            fields_.Show(inputs::FieldsOf(cycle::kTranscriticalDefaults, in.fields));
          }});
}

void TranscriticalForm::Calculate() {
  const Input input = fields_.Read();
  const cycle::TranscriticalOutcome outcome = cycle::CalcTranscriticalCycle(input);
  if (const auto* message = std::get_if<std::string>(&outcome)) {
    shell_.message(this, QString::fromStdString(*message));
    return;
  }
  inputs_->KeepForRecall();
  shell_.pages.Get<TranscriticalResults>(page::TranscriticalResults)
      .ShowResults(input, std::get<cycle::TranscriticalResult>(outcome));
  shell_.pages.Hide(page::TranscriticalForm);
  shell_.pages.Show(page::TranscriticalResults);
}

void TranscriticalForm::Back() {
  shell_.pages.Unload(page::TranscriticalForm);
  shell_.pages.Show(page::SelectSim);
}

}  // namespace forms
