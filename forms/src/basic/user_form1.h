// The basic calculation form: eight inputs with working defaults; Calculate
// opens the results page, Clear Data zeroes the fields, Back returns to the
// menu. Under these, the row of the form's inputs (save, open, recall).
#pragma once

#include <optional>

#include <QLineEdit>

#include "cycle/basic_cycle.h"
#include "common/design.h"
#include "common/inputs_row.h"
#include "forms/shell.h"

namespace forms {

class UserForm1 : public PageWindow {
 public:
  explicit UserForm1(Shell& shell);

 private:
  void CommandButton1_Click();  // Clear Data
  void CommandButton2_Click();  // Calculate
  void CommandButton3_Click();  // Back
  cycle::BasicCycleFields ReadFields() const { return boxes_.Read(); }

  Shell& shell_;
  QLineEdit& Massflowrate;
  QLineEdit& Temperaturehotspring;
  QLineEdit& Refrigerant;
  QLineEdit& TemperatureCondensing;
  QLineEdit& Subcooling;
  QLineEdit& Superheating;
  QLineEdit& Safetyfactor;
  QLineEdit& Isotropicefficiency;
  InputBoxes<cycle::BasicCycleFields> boxes_;
  std::optional<InputsRow> inputs_;
};

}  // namespace forms
