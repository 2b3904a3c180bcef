// The chart of a parameter study: a figure against the varied input, one
// line per refrigerant in its own colour, the points that were refused left
// out (the line breaks there). The pointer reads the point under it.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "qcustomplot.h"

namespace plots {

// One refrigerant's points, by rising or falling input; a point without a
// figure (refused, or none of this figure) holds nothing.
struct StudyLine {
  QString name;
  std::vector<double> x;
  std::vector<std::optional<double>> y;
};

// What the axes show, and how the readout writes the figure.
struct StudyAxes {
  QString x_label, x_unit;  // "Condensing temperature", "°C"
  QString y_label, y_unit;  // "Heating COP", "-"
  int y_decimals = 2;       // as the pages write the figure (cycle::FormatFixed)
};

class StudyChart : public QCustomPlot {
  Q_OBJECT

 public:
  explicit StudyChart(QWidget* parent = nullptr);

  // Replaces what the chart shows, framed so that every point shows.
  void Draw(std::vector<StudyLine> lines, StudyAxes axes);

  // The point (line, index) drawn nearest to a place on the widget (pixels),
  // if the pointer reaches it there; and where a point is drawn.
  struct Point {
    std::size_t line, index;
  };
  std::optional<Point> PointNear(QPointF place) const;
  QPointF PlaceOf(Point point) const;
  // The readout of a point: the refrigerant, the input and the figure.
  QString Readout(Point point) const;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void ShowReadout(std::optional<Point> point);

  std::vector<StudyLine> lines_;
  StudyAxes axes_;
  QCPItemText* readout_;
};

}  // namespace plots
