// The transcritical cycle's form: the nine inputs as typed, with the
// calculation's defaults; Calculate opens the results page, Clear Data
// empties the fields, Back returns to the menu.
#pragma once

#include <QLineEdit>

#include <vector>

#include "cycle/transcritical.h"
#include "common/design.h"
#include "forms/shell.h"

namespace forms {

class TranscriticalForm : public PageWindow {
 public:
  explicit TranscriticalForm(Shell& shell);

 private:
  void ClearData();
  void Calculate();
  void Back();
  cycle::TranscriticalInput ReadFields() const;

  Shell& shell_;
  struct Field {
    std::string cycle::TranscriticalInput::*member;
    QLineEdit* box;
  };
  std::vector<Field> fields_;
};

}  // namespace forms
