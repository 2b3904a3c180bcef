// The comparison form: one set of conditions and up to eight refrigerant
// names; Calculate evaluates them all and opens the first result page.
// Screen All Fluids opens the screening of every fluid under the conditions.
// Under the form's buttons, the row of its inputs (save, open, recall).
#pragma once

#include <optional>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <array>
#include <string>
#include <vector>

#include "cycle/comparison.h"
#include "common/design.h"
#include "common/inputs_row.h"
#include "forms/shell.h"

namespace forms {

class UserForm4 : public PageWindow {
 public:
  explicit UserForm4(Shell& shell);

  // Fills the number of refrigerants, then the name boxes, as a user would:
  // choosing the number empties the boxes; no names: no number. At most
  // eight names.
  void FillRefrigerants(const std::vector<std::string>& names);

 private:
  void UserForm_initialize();
  void NumberRefrigerant_Change();
  void Calculate_Click();
  void Cleardata_Click();
  void CommandButton1_Click();  // Back
  void ScreenAllFluids_Click();
  cycle::ComparisonFields ReadFields() const;
  inputs::Inputs ReadInputs() const;
  void ShowInputs(const inputs::Inputs& in);

  Shell& shell_;
  QLineEdit& HeatCapEvap;
  QLineEdit& TempEvap;
  QLineEdit& Subcooling;
  QLineEdit& TemperatureCondensing;
  QLineEdit& Safetyfactor;
  QLineEdit& Superheating;
  QComboBox& NumberRefrigerant;
  QLineEdit& Isotropicefficiency;
  std::array<QLineEdit*, cycle::kMaxRefrigerants> Refrigerant{};
  std::array<QLabel*, cycle::kMaxRefrigerants> retext{};
  InputBoxes<cycle::ComparisonFields> conditions_;
  std::optional<InputsRow> inputs_;
};

}  // namespace forms
