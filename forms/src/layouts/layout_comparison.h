// The four cycle layouts side by side for the same inputs: heating COP,
// volumetric heating capacity, discharge temperature, injection ratio and
// exergy efficiency, with what each needs said (wet compression, a
// two-phase discharge, why a layout was refused); the COP and the exergy
// efficiency as bar charts. Back returns to the results it came from; Copy
// puts the table on the clipboard.
#pragma once

#include <QLabel>
#include <QTableWidget>
#include <QWidget>

#include <vector>

#include "cycle/layouts.h"
#include "forms/shell.h"
#include "qcustomplot.h"

namespace forms {

class LayoutComparison : public QWidget {
 public:
  explicit LayoutComparison(Shell& shell);

  void ShowComparison(const cycle::LayoutInput& input);

 private:
  void Back();
  void ShowCharts(const std::vector<cycle::LayoutOutcome>& outcomes);

  Shell& shell_;
  std::vector<cycle::LayoutOutcome> outcomes_;
  // Owned by the page, as Qt children.
  QLabel* title_;
  QTableWidget* table_;
  QCustomPlot* cop_;
  QCustomPlot* efficiency_;
};

}  // namespace forms
