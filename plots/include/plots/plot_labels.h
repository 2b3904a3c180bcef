// The words on a plot: its labels, placed anew at every layout of the plot
// (a resize, a zoom, a file drawn at its own size) by PlaceLabels, each at
// the first of its spots, given in the coordinates of the axes, where it
// stays inside the axes, clear of the plot's lines and of the labels placed
// before it, hidden where no spot is clear; and its title.
#pragma once

#include <QPointF>
#include <QRectF>

#include <vector>

#include "plots/label_placement.h"
#include "qcustomplot.h"

namespace plots {

class PlotLabels {
 public:
  // Lines of the cycle and the dome are kept clear by every label; faint
  // ones (lines of constant temperature or pressure, marks) only by labels
  // that keep clear of them too.
  enum class Line { Strong, Faint };

  // Forgets every label and line (the plot owns the items).
  void Clear();
  // A label: the text item, its spots in the axes' coordinates, preferred
  // first (where it stands until it is placed), and whether it keeps clear
  // of faint lines.
  void Add(QCPItemText* item, std::vector<LabelSpot> spots, bool clear_of_faint_lines = true);
  // A line in the axes' coordinates.
  void AddLine(std::vector<QPointF> coords, Line line = Line::Strong);
  // Places the labels for the axes as they are laid out now; `boxes`
  // (pixels: a legend inside the axes) are kept clear too.
  void Place(QCPAxisRect& axes, const std::vector<QRectF>& boxes = {});
  // The boxes of the labels shown since the last Place, in pixels.
  const std::vector<QRectF>& Shown() const { return shown_; }

 private:
  struct Label {
    QCPItemText* item;
    std::vector<LabelSpot> spots;
    bool clear_of_faint_lines;
  };
  std::vector<Label> labels_;
  std::vector<std::vector<QPointF>> strong_, faint_;
  std::vector<QRectF> shown_;
};

// The size of a text item's box: its text in its font, with its padding.
QSizeF TextBoxSize(const QCPItemText& item);

// A title above the axes: the heading in bold, the conditions under it in
// ordinary type, each ("a, b, c") broken after a comma where a line would be
// wider than the plot. Each in a row of the plot's layout of its own,
// drawn with the axes (outside their clip); hidden while empty.
class PlotTitle {
 public:
  explicit PlotTitle(QCustomPlot& plot);

  void Set(const QString& heading, const QString& conditions);
  // Breaks both to the width (pixels), before the plot is laid out.
  void Fit(double width);
  // The lines of the heading, then those of the conditions, as broken last.
  QString Text() const;

 private:
  QCPTextElement* heading_;
  QCPTextElement* conditions_;
  QString heading_text_, conditions_text_;
};

}  // namespace plots
