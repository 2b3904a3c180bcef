// The row of a form's inputs under its own buttons: Save Inputs... writes the
// form's texts as an inputs file (.hpc), Open Inputs... puts a file's texts
// into the form's fields and changes nothing else, Recall Last Inputs puts
// back the texts of the form's last successful Calculate in this run, which
// the shell keeps while the form is unloaded and loaded again.
#pragma once

#include <QPushButton>
#include <QWidget>

#include <functional>

#include "common/design.h"
#include "forms/shell.h"
#include "inputs/inputs_file.h"

namespace forms {

// The row's buttons: as low as fits under the basic form's buttons, in their
// columns.
inline constexpr int kInputsRowGap = 205, kInputsButtonHeight = 700;
constexpr int InputsRowTop(int buttons_top) {
  return buttons_top + kFormButtonHeight + kInputsRowGap;
}

// The row's buttons, wherever the page puts them: made by AddInputsButtons
// on a form placed by position, by AddButton with these names and captions
// at the end of a row on a page built with layouts.
struct InputsButtons {
  QPushButton& save;    // "SaveInputs", "Save Inputs..."
  QPushButton& open;    // "OpenInputs", "Open Inputs..."
  QPushButton& recall;  // "RecallLastInputs", "Recall Last Inputs"
};

// The three buttons at `top` in the columns of Back, Clear Data and
// Calculate.
InputsButtons AddInputsButtons(QWidget& page, int top);

class InputsRow {
 public:
  // How the form's texts are read and shown.
  struct Access {
    inputs::Form form;
    std::function<inputs::Inputs()> read;
    std::function<void(const inputs::Inputs&)> show;
  };

  // Recall Last Inputs enabled only once the form has calculated.
  InputsRow(QWidget& page, Shell& shell, InputsButtons buttons, Access access);

  // The form calculated with its texts as they stand: they are the ones
  // Recall Last Inputs brings back from now on.
  void KeepForRecall();

 private:
  void Save();
  void Open();
  void Recall();

  QWidget& page_;
  Shell& shell_;
  Access access_;
  QPushButton& recall_;
};

}  // namespace forms
