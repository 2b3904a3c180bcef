// The transcritical cycle's form: the nine inputs as typed, with the
// calculation's defaults; Calculate opens the results page, Clear Data
// empties the fields, Back returns to the menu. Under these, the row of the
// form's inputs (save, open, recall).
#pragma once

#include <optional>

#include "cycle/transcritical.h"
#include "common/design.h"
#include "common/inputs_row.h"
#include "forms/shell.h"

namespace forms {

class TranscriticalForm : public PageWindow {
 public:
  explicit TranscriticalForm(Shell& shell);

 private:
  void Calculate();
  void Back();

  Shell& shell_;
  InputBoxes<cycle::TranscriticalInput> fields_;
  std::optional<InputsRow> inputs_;
};

}  // namespace forms
