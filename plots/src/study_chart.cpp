#include "plots/study_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart_readout.h"
#include "cycle/number_text.h"
#include "plots/overlay_colours.h"

namespace plots {

namespace {

// Pixels; smaller where the points lie so close that they would make a band.
constexpr double kPointSize = 6, kDensePointSize = 3;
constexpr std::size_t kDensePoints = 100;
constexpr double kReach = 8;      // pixels from a point's centre
constexpr double kMargin = 0.05;  // of the points' span, on each side

// The part of each axis's range, from a corner, that counts as near it.
constexpr double kCornerShare = 0.35;

// The corner of the frame with the fewest points near it, for the legend, so
// that it hides no curve's end: top right unless points crowd it, then top
// left, bottom right, bottom left.
Qt::Alignment EmptiestCorner(const std::vector<StudyLine>& lines, const QCPRange& x,
                             const QCPRange& y) {
  constexpr Qt::Alignment kCorners[] = {
      Qt::AlignTop | Qt::AlignRight, Qt::AlignTop | Qt::AlignLeft,
      Qt::AlignBottom | Qt::AlignRight, Qt::AlignBottom | Qt::AlignLeft};
  std::size_t crowd[std::size(kCorners)] = {};
  for (const StudyLine& line : lines) {
    for (std::size_t k = 0; k < line.x.size(); ++k) {
      if (!line.y[k]) continue;
      const double across = (line.x[k] - x.lower) / x.size();
      const double up = (*line.y[k] - y.lower) / y.size();
      const bool right = across > 1 - kCornerShare, left = across < kCornerShare;
      const bool top = up > 1 - kCornerShare, bottom = up < kCornerShare;
      crowd[0] += top && right;
      crowd[1] += top && left;
      crowd[2] += bottom && right;
      crowd[3] += bottom && left;
    }
  }
  return kCorners[std::min_element(std::begin(crowd), std::end(crowd)) - std::begin(crowd)];
}

QString AxisLabel(const QString& label, const QString& unit) {
  return unit.isEmpty() || unit == QStringLiteral("-") ? label : label + " (" + unit + ")";
}

}  // namespace

StudyChart::StudyChart(QWidget* parent) : QCustomPlot(parent) {
  setBackground(Qt::white);
  legend->setVisible(true);
  legend->setFont(QFont(font().family(), 8));
  axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
  readout_ = &AddReadout(*this);
  readout_->setTextAlignment(Qt::AlignLeft);
  Draw({}, {});
}

void StudyChart::Draw(std::vector<StudyLine> lines, StudyAxes axes) {
  lines_ = std::move(lines);
  axes_ = std::move(axes);
  clearGraphs();
  readout_->setVisible(false);
  xAxis->setLabel(AxisLabel(axes_.x_label, axes_.x_unit));
  yAxis->setLabel(AxisLabel(axes_.y_label, axes_.y_unit));
  double x_low = std::numeric_limits<double>::infinity(), x_high = -x_low;
  double y_low = x_low, y_high = -x_low;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const StudyLine& line = lines_[i];
    QCPGraph* graph = addGraph();
    graph->setName(line.name);
    graph->setPen(QPen(OverlayColour(i), 2));
    graph->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssDisc, OverlayColour(i),
                        line.x.size() > kDensePoints ? kDensePointSize : kPointSize));
    QVector<double> x, y;
    for (std::size_t k = 0; k < line.x.size(); ++k) {
      x.push_back(line.x[k]);
      x_low = std::min(x_low, line.x[k]);
      x_high = std::max(x_high, line.x[k]);
      // A gap where the point has no figure: the line does not pass over it.
      y.push_back(line.y[k] ? *line.y[k] : std::numeric_limits<double>::quiet_NaN());
      if (line.y[k]) {
        y_low = std::min(y_low, *line.y[k]);
        y_high = std::max(y_high, *line.y[k]);
      }
    }
    graph->setData(x, y, x_low <= x_high && std::is_sorted(x.begin(), x.end()));
  }
  xAxis->setRange(x_low <= x_high ? Framed(x_low, x_high, kMargin) : QCPRange(0, 1));
  yAxis->setRange(y_low <= y_high ? Framed(y_low, y_high, kMargin) : QCPRange(0, 1));
  legend->setVisible(!lines_.empty());
  axisRect()->insetLayout()->setInsetAlignment(
      0, EmptiestCorner(lines_, xAxis->range(), yAxis->range()));
  replot();
}

QPointF StudyChart::PlaceOf(Point point) const {
  const StudyLine& line = lines_[point.line];
  return {xAxis->coordToPixel(line.x[point.index]),
          yAxis->coordToPixel(line.y[point.index].value_or(0))};
}

std::optional<StudyChart::Point> StudyChart::PointNear(QPointF place) const {
  std::optional<Point> nearest;
  double nearest_distance = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    for (std::size_t k = 0; k < lines_[i].x.size(); ++k) {
      if (!lines_[i].y[k]) continue;
      const QPointF offset = PlaceOf({i, k}) - place;
      const double distance = std::hypot(offset.x(), offset.y());
      if (distance <= kReach && distance < nearest_distance) {
        nearest = Point{i, k};
        nearest_distance = distance;
      }
    }
  }
  return nearest;
}

QString StudyChart::Readout(Point point) const {
  const StudyLine& line = lines_[point.line];
  const auto text = [](const std::string& number, const QString& unit) {
    const QString shown = QString::fromStdString(number);
    return unit.isEmpty() || unit == QStringLiteral("-") ? shown : shown + ' ' + unit;
  };
  return QStringLiteral("%1\n%2 %3\n%4 %5")
      .arg(line.name, axes_.x_label, text(cycle::FormatShortest(line.x[point.index]), axes_.x_unit),
           axes_.y_label,
           text(cycle::FormatFixed(line.y[point.index].value_or(0), axes_.y_decimals),
                axes_.y_unit));
}

void StudyChart::mouseMoveEvent(QMouseEvent* event) {
  QCustomPlot::mouseMoveEvent(event);
  ShowReadout(PointNear(event->position()));
}

void StudyChart::leaveEvent(QEvent* event) {
  QCustomPlot::leaveEvent(event);
  ShowReadout(std::nullopt);
}

void StudyChart::ShowReadout(std::optional<Point> point) {
  const bool was_visible = readout_->visible();
  readout_->setVisible(point.has_value());
  if (point) {
    readout_->setText(Readout(*point));
    PlaceBeside(*readout_, PlaceOf(*point), *axisRect(), kReach);
  }
  if (point || was_visible) replot(QCustomPlot::rpQueuedReplot);
}

}  // namespace plots
