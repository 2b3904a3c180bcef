// The simulation menu: the comparison form, the basic calculation, the
// transcritical cycle, the cycle layouts, or back.
#pragma once

#include "common/design.h"
#include "forms/shell.h"

namespace forms {

class SelectSim : public PageWindow {
 public:
  explicit SelectSim(Shell& shell);

 private:
  void MoveTo(const QString& next);

  Shell& shell_;
};

}  // namespace forms
