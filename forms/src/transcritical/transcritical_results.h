// The transcritical cycle's results: the states 1, 2s, 2, 3 and 4, the
// duties and figures, the high-side pressure and whether it is the searched
// optimum, the gas cooler's pinch (and a warning where a given pressure's
// pinch is short of the minimum approach); the p-h diagram of the cycle and
// the gas cooler's two temperature profiles. Back returns to the form,
// which keeps its texts; Diagram... opens the diagram page on the same
// cycle; Copy and Save Report... hand the inputs and figures on.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <map>
#include <optional>

#include "cycle/transcritical.h"
#include "forms/shell.h"
#include "plots/cycle_diagram_plot.h"
#include "plots/gas_cooler_chart.h"

namespace forms {

class TranscriticalResults : public QWidget {
 public:
  explicit TranscriticalResults(Shell& shell);

  void ShowResults(const cycle::TranscriticalInput& input, const cycle::TranscriticalResult& result);

 private:
  void Back();
  void OpenDiagramPage();
  void ShowDiagram(const cycle::TranscriticalInput& input);

  Shell& shell_;
  struct Shown {
    cycle::TranscriticalInput input;
    cycle::TranscriticalResult result;
  };
  std::optional<Shown> shown_;
  // Owned by the page, as Qt children; the result boxes by their names.
  std::map<QString, QLineEdit*> boxes_;
  QLabel* title_;
  QLabel* pressure_note_;
  QLabel* approach_warning_;
  plots::CycleDiagramPlot* diagram_;
  plots::GasCoolerChart* profiles_;
};

}  // namespace forms
