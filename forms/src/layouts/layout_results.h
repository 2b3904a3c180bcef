// A cycle layout's results: the figures, the verdict on wet compression, the
// states, the exergy destroyed in each component and the p-h diagram with
// every state and the injection line. Back returns to the form, which keeps
// its texts; Compare Layouts shows the four layouts for the same inputs;
// Diagram... opens the diagram page on this cycle; Copy and Save Report...
// hand the figures on.
#pragma once

#include <QLabel>
#include <QTableWidget>
#include <QWidget>

#include <optional>

#include "cycle/layouts.h"
#include "forms/shell.h"
#include "plots/cycle_diagram_plot.h"
#include "qcustomplot.h"

namespace forms {

class LayoutResults : public QWidget {
 public:
  explicit LayoutResults(Shell& shell);

  void ShowResults(const cycle::LayoutInput& input, const cycle::LayoutResult& result);

 private:
  void Back();
  void CompareLayouts();
  void OpenDiagramPage();
  void Copy();
  void SaveReport();
  void ShowDiagram(const cycle::LayoutResult& result);
  void ShowLosses(const cycle::LayoutResult& result);

  Shell& shell_;
  struct Shown {
    cycle::LayoutInput input;
    cycle::LayoutResult result;
  };
  std::optional<Shown> shown_;
  // Owned by the page, as Qt children.
  QLabel* title_;
  QLabel* verdict_;
  QTableWidget* figures_;
  QTableWidget* states_;
  plots::CycleDiagramPlot* diagram_;
  QCustomPlot* losses_;
};

}  // namespace forms
