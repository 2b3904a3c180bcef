// The comparison form: one set of conditions and up to eight refrigerant
// names; Calculate evaluates them all and opens the first result page.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <array>

#include "cycle/comparison.h"
#include "design.h"
#include "forms/shell.h"

namespace forms {

class UserForm4 : public PageWindow {
 public:
  explicit UserForm4(Shell& shell);

 private:
  void UserForm_initialize();
  void NumberRefrigerant_Change();
  void Calculate_Click();
  void Cleardata_Click();
  void CommandButton1_Click();  // Back
  cycle::ComparisonFields ReadFields() const;

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
};

}  // namespace forms
