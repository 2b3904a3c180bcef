// The start page: Simulation, Document, Close.
#pragma once

#include "common/design.h"
#include "forms/shell.h"

namespace forms {

class FristPage : public PageWindow {
 public:
  explicit FristPage(Shell& shell);

 private:
  void CommandButton1_Click();  // Simulation
  void CommandButton2_Click();  // Document
  void CommandButton3_Click();  // Close

  Shell& shell_;
};

}  // namespace forms
