// The component results page of the basic calculation: sixteen figures,
// Back to the input form, and the point button to the picture page.
#pragma once

#include <QLineEdit>

#include <optional>

#include "cycle/basic_cycle.h"
#include "common/design.h"
#include "forms/shell.h"

namespace forms {

class UserForm2 : public PageWindow {
 public:
  explicit UserForm2(Shell& shell);

  // Writes the sixteen figures, two decimals each, in the designed order,
  // then the figures beyond them (COP, VHC, the actual h2, and point 4's
  // own temperature under T4 where it differs), and keeps the input they
  // were computed from for the diagrams.
  void ShowResults(const cycle::BasicCycleInput& input, const cycle::BasicCycleResult& result);
  // The input of the results shown; nothing before the first.
  std::optional<cycle::BasicCycleInput> ShownInput() const;

 private:
  void CommandButton1_Click();  // Back
  void CommandButton3_Click();  // Point 1 ... Point 4
  void Diagram_Click();
  void Copy_Click();
  void SaveReport_Click();

  Shell& shell_;
  struct Shown {
    cycle::BasicCycleInput input;
    cycle::BasicCycleResult result;
  };
  std::optional<Shown> shown_;
  QLineEdit& Evap;
  QLineEdit& Conden;
  QLineEdit& Compress;
  QLineEdit& EV;
  QLineEdit &P1, &T1, &H1;
  QLineEdit &P2, &T2, &H2;
  QLineEdit &P3, &T3, &H3;
  QLineEdit &P4, &T4, &H4;
  // Beyond the design, in its free space.
  QLineEdit& COP;
  QLineEdit& VHC;
  QLineEdit& H2actual;
  QLabel& T4actual;
};

}  // namespace forms
