// The picture page: what the four points of the results page are.
#pragma once

#include "common/design.h"
#include "forms/shell.h"

namespace forms {

class UserForm13 : public PageWindow {
 public:
  explicit UserForm13(Shell& shell);

 private:
  void CommandButton2_Click();  // Back

  Shell& shell_;
};

}  // namespace forms
