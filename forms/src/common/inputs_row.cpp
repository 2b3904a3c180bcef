#include "common/inputs_row.h"

#include <QFile>

#include <filesystem>
#include <string>
#include <variant>

#include "common/design.h"
#include "common/export_actions.h"
#include "files/file_name.h"

namespace forms {
namespace {

constexpr int kWidth = 4057;
const QString kFilter = QStringLiteral("Inputs (*.hpc)");

std::filesystem::path PathOf(const QString& file) { return QFile::encodeName(file).toStdString(); }

}  // namespace

InputsButtons AddInputsButtons(QWidget& page, int top) {
  return {
      AddButton(page, "SaveInputs", "Save Inputs...", {2328, top, kWidth, kInputsButtonHeight}),
      AddButton(page, "OpenInputs", "Open Inputs...", {7620, top, kWidth, kInputsButtonHeight}),
      AddButton(page, "RecallLastInputs", "Recall Last Inputs",
                {12912, top, kWidth, kInputsButtonHeight})};
}

InputsRow::InputsRow(QWidget& page, Shell& shell, InputsButtons buttons, Access access)
    : page_(page), shell_(shell), access_(std::move(access)), recall_(buttons.recall) {
  recall_.setEnabled(shell_.last_inputs.contains(access_.form));
  recall_.setToolTip(QStringLiteral("The texts of this form's last calculation since the start"));
  QObject::connect(&buttons.save, &QPushButton::clicked, &page, [this] { Save(); });
  QObject::connect(&buttons.open, &QPushButton::clicked, &page, [this] { Open(); });
  QObject::connect(&recall_, &QPushButton::clicked, &page, [this] { Recall(); });
}

void InputsRow::KeepForRecall() {
  shell_.last_inputs.insert_or_assign(access_.form, access_.read());
  recall_.setEnabled(true);
}

void InputsRow::Save() {
  const FileChoice choice{
      QStringLiteral("Save Inputs"),
      {kFilter},
      [](const QString& file) { return files::LowerCaseExtension(file.toStdString()) == "hpc"; },
      QStringLiteral("Please choose a file name ending in .hpc")};
  SaveAs(shell_, &page_, choice, [this](const QString& file) -> std::optional<QString> {
    const auto failure = inputs::SaveInputs(PathOf(file), access_.read());
    if (!failure) return std::nullopt;
    return QString::fromStdString(*failure);
  });
}

void InputsRow::Open() {
  const QString file = shell_.choose_open_file(&page_, QStringLiteral("Open Inputs"),
                                               {kFilter, QStringLiteral("All files (*)")});
  if (file.isEmpty()) return;
  const auto opened = inputs::OpenInputs(PathOf(file), access_.form);
  if (const auto* reason = std::get_if<std::string>(&opened)) {
    shell_.message(&page_, QString::fromStdString(*reason));
    return;
  }
  access_.show(std::get<inputs::Inputs>(opened));
}

void InputsRow::Recall() {
  if (const auto last = shell_.last_inputs.find(access_.form); last != shell_.last_inputs.end()) {
    access_.show(last->second);
  }
}

}  // namespace forms
