// The cycle diagram as a plot: the saturation dome, the critical point, the
// computed cycle with its corners (a layout's numbered states, its stages
// and its injection line), and lines of constant temperature or pressure,
// on a logarithmic pressure-enthalpy or a temperature-entropy chart. The
// same plot serves the pages and the files.
#pragma once

#include <QString>

#include <span>
#include <vector>

#include "cycle/diagram.h"
#include "plots/plot_labels.h"
#include "qcustomplot.h"

namespace plots {

enum class DiagramLook {
  // The diagram page and files: a legend, corners 1 2s 2 3 4, labelled
  // isotherms or isobars; several refrigerants may be overlaid.
  Chart,
  // The picture page: one cycle with its corners 1 2' 2 3 4, the pressures
  // Pc and Pe, and the spans of subcooling, superheat and isentropic
  // efficiency marked.
  Picture,
};

class CycleDiagramPlot : public QCustomPlot {
  Q_OBJECT

 public:
  explicit CycleDiagramPlot(DiagramLook look, QWidget* parent = nullptr);

  // Replaces what the plot shows with the diagrams, overlaid in their order
  // (all of one kind), framed so that the cycles and the dome around them
  // fill the plot, under the title of their refrigerants and conditions.
  // Overlaid, each is in the colour of its number in `colours` (its place
  // among all that could be shown, so that it keeps its colour whichever
  // others are shown with it), or of its place here. The labels stand where
  // they can be read (PlotLabels); a label that finds no clear place is
  // left out.
  void Draw(std::span<const cycle::CycleDiagram> diagrams,
            std::span<const std::size_t> colours = {});
  // An empty chart of the kind, saying why there is nothing in it.
  void DrawNothing(cycle::DiagramKind kind, const QString& reason);
  // Back to the frame Draw chose, after zooming.
  void ResetView();

  // The title as laid out last: the refrigerants, then the conditions on
  // as many lines as the width needs.
  QString Title() const;
  // The boxes of the labels shown, as laid out last (pixels).
  const std::vector<QRectF>& LabelBoxes() const { return labels_.Shown(); }

  // Wheel zoom and zoom to a dragged rectangle.
  void AllowZoom();

 signals:
  // Where the pointer is, in the units of the axes, while it is over the
  // diagram; PointerLeft when it leaves.
  void PointerMoved(double x, double y);
  void PointerLeft();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  // At every layout (a resize, a zoom, a picture drawn at its own size):
  // the title broken to the width, the labels placed anew.
  void updateLayout() override;

 private:
  void SetAxes(cycle::DiagramKind kind);

  DiagramLook look_;
  QCPRange frame_x_, frame_y_;
  PlotTitle title_;
  PlotLabels labels_;
};

// The axes' texts of a diagram kind ("h (kJ/kg)", "p (bar)" ...).
QString HorizontalAxisLabel(cycle::DiagramKind kind);
QString VerticalAxisLabel(cycle::DiagramKind kind);

}  // namespace plots
