// The cycle layouts' form: the inputs of one refrigerant's calculation as
// typed, with the calculation's defaults, and the layout, whose schematic
// shows its numbered states. Calculate opens the results page, Clear Data
// empties the fields, Back returns to the menu. Under these, the row of the
// form's inputs (save, open, recall), the layout's choice among them.
#pragma once

#include <optional>

#include <QRadioButton>

#include <vector>

#include "common/design.h"
#include "common/inputs_row.h"
#include "cycle/layouts.h"
#include "forms/shell.h"
#include "navigation/cycle_pictures.h"

namespace forms {

class LayoutsForm : public PageWindow {
 public:
  explicit LayoutsForm(Shell& shell);

  cycle::Layout ChosenLayout() const;

 private:
  void Calculate();
  void Back();
  inputs::Inputs ReadInputs() const;
  void ShowInputs(const inputs::Inputs& in);

  Shell& shell_;
  InputBoxes<cycle::LayoutInput> fields_;
  struct Choice {
    cycle::Layout layout;
    QRadioButton* button;
  };
  std::vector<Choice> choices_;
  PictureControl* schematic_;
  std::optional<InputsRow> inputs_;
};

}  // namespace forms
