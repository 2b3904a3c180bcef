// The diagram page: the computed cycle on a log p-h or a T-s chart, for the
// basic calculation, for the refrigerants of a comparison (one, or several
// overlaid), a transcritical cycle or a cycle layout. The pointer reads the state under it; the wheel or a dragged
// rectangle zooms; the picture goes to a file or the clipboard. Back returns
// to the page it came from, whose results are kept.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "cycle/diagram.h"
#include "cycle/layouts.h"
#include "cycle/transcritical.h"
#include "forms/shell.h"
#include "plots/cycle_diagram_plot.h"

namespace forms {

// A computed diagram on a results page's plot, or the plot empty with the
// reason there is none.
void DrawDiagram(plots::CycleDiagramPlot& plot,
                 const std::variant<cycle::CycleDiagram, std::string>& diagram,
                 cycle::DiagramKind kind);

class DiagramPage : public QWidget {
 public:
  explicit DiagramPage(Shell& shell);

  // The cycle of the basic calculation the results page shows.
  void ShowBasicCycle(const cycle::BasicCycleInput& input, const QString& from);
  // The refrigerants of the comparison the record holds, the first chosen.
  void ShowComparison(const cycle::ComparisonResults& results, const QString& from);
  // The transcritical cycle of these inputs.
  void ShowTranscriticalCycle(const cycle::TranscriticalInput& input, const QString& from);
  // A computed cycle layout, every state numbered.
  void ShowLayout(const cycle::LayoutResult& result, const QString& from);

 private:
  using Outcome = std::variant<cycle::CycleDiagram, std::string>;
  using Source = std::variant<cycle::BasicCycleInput, cycle::ComparisonConditions,
                              cycle::TranscriticalInput, cycle::LayoutResult>;

  void Open(Source source, std::vector<std::string> refrigerants, const QString& from);
  cycle::DiagramKind Kind() const;
  // The places of the refrigerants shown: all of one, the ticked of several.
  std::vector<std::size_t> Chosen() const;
  // The diagram of a refrigerant, computed once per kind.
  const Outcome& DiagramOf(const std::string& refrigerant, cycle::DiagramKind kind);
  void Redraw();
  void ShowReading(double x, double y);
  void ShowHint();
  void Back();
  void Export();
  void CopyPicture();

  Shell& shell_;
  QString from_;
  Source source_;
  std::vector<std::string> refrigerants_;
  std::map<std::pair<std::string, cycle::DiagramKind>, Outcome> diagrams_;

  // Owned by the page, as Qt children.
  QRadioButton* pressure_enthalpy_;
  QRadioButton* temperature_entropy_;
  std::vector<QCheckBox*> choices_;  // one per refrigerant of a comparison
  QLabel* choices_label_;
  plots::CycleDiagramPlot* plot_;
  QLabel* reading_;
};

}  // namespace forms
