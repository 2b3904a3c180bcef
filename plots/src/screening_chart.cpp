#include "plots/screening_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart_readout.h"
#include "cycle/screening.h"

namespace plots {

namespace {

const QColor kPointColour(0x1f, 0x4e, 0x9c);
const QColor kSelectedColour(0xc0, 0x39, 0x2b);
constexpr double kPointSize = 7, kSelectedSize = 10;  // pixels
constexpr double kReach = 8;                          // pixels from a point's centre
constexpr double kMargin = 0.06;                      // of the points' span, on each side

}  // namespace

ScreeningChart::ScreeningChart(QWidget* parent) : QCustomPlot(parent) {
  setBackground(Qt::white);
  xAxis->setLabel(QStringLiteral("VHC (kJ/m3)"));
  yAxis->setLabel(QStringLiteral("COP (-)"));

  curve_ = new QCPCurve(xAxis, yAxis);
  curve_->setLineStyle(QCPCurve::lsNone);
  curve_->setScatterStyle(QCPScatterStyle(
      QCPScatterStyle::ssCircle, kPointColour,
      QColor(kPointColour.red(), kPointColour.green(), kPointColour.blue(), 90), kPointSize));
  curve_->setSelectable(QCP::stMultipleDataRanges);
  curve_->selectionDecorator()->setScatterStyle(
      QCPScatterStyle(QCPScatterStyle::ssDisc, kSelectedColour, kSelectedColour, kSelectedSize),
      QCPScatterStyle::spAll);
  setInteractions(QCP::iSelectPlottables | QCP::iMultiSelect);
  setSelectionRectMode(QCP::srmSelect);
  setSelectionTolerance(static_cast<int>(kReach));
  connect(this, &QCustomPlot::selectionChangedByUser, this, &ScreeningChart::SelectedByUser);

  name_ = &AddReadout(*this);
  Draw({});
}

void ScreeningChart::Draw(std::vector<ScreeningPoint> points) {
  points_ = std::move(points);
  QVector<double> t, x, y;
  for (const ScreeningPoint& point : points_) {
    t.push_back(t.size());  // the data keep the points' order: index = point
    x.push_back(point.vhc);
    y.push_back(point.cop);
  }
  curve_->setData(t, x, y, true);
  curve_->setSelection(QCPDataSelection());
  name_->setVisible(false);
  if (points_.empty()) {
    xAxis->setRange(0, 1);
    yAxis->setRange(0, 1);
  } else {
    const auto [x_low, x_high] = std::minmax_element(x.begin(), x.end());
    const auto [y_low, y_high] = std::minmax_element(y.begin(), y.end());
    xAxis->setRange(Framed(*x_low, *x_high, kMargin));
    yAxis->setRange(Framed(*y_low, *y_high, kMargin));
  }
  replot();
}

void ScreeningChart::Select(const QStringList& names) {
  QCPDataSelection selection;
  for (std::size_t i = 0; i < points_.size(); ++i) {
    if (names.contains(points_[i].name)) {
      selection.addDataRange(QCPDataRange(static_cast<int>(i), static_cast<int>(i) + 1));
    }
  }
  if (selection == curve_->selection()) return;
  curve_->setSelection(selection);
  replot(QCustomPlot::rpQueuedReplot);
}

QStringList ScreeningChart::SelectedNames() const {
  QStringList names;
  for (const QCPDataRange& range : curve_->selection().dataRanges()) {
    for (int i = range.begin(); i < range.end() && i < static_cast<int>(points_.size()); ++i) {
      names << points_[static_cast<std::size_t>(i)].name;
    }
  }
  return names;
}

QPointF ScreeningChart::PlaceOf(const ScreeningPoint& point) const {
  return {xAxis->coordToPixel(point.vhc), yAxis->coordToPixel(point.cop)};
}

std::optional<std::size_t> ScreeningChart::PointNear(QPointF place) const {
  std::optional<std::size_t> nearest;
  double nearest_distance = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < points_.size(); ++i) {
    const QPointF offset = PlaceOf(points_[i]) - place;
    const double distance = std::hypot(offset.x(), offset.y());
    if (distance <= kReach && distance < nearest_distance) {
      nearest = i;
      nearest_distance = distance;
    }
  }
  return nearest;
}

void ScreeningChart::mouseMoveEvent(QMouseEvent* event) {
  QCustomPlot::mouseMoveEvent(event);
  ShowName(PointNear(event->position()));
}

void ScreeningChart::leaveEvent(QEvent* event) {
  QCustomPlot::leaveEvent(event);
  ShowName(std::nullopt);
}

// The fluid's name and figures beside the point, on the side towards the
// middle of the chart so that the text stays inside it.
void ScreeningChart::ShowName(std::optional<std::size_t> point) {
  const bool was_visible = name_->visible();
  name_->setVisible(point.has_value());
  if (point) {
    const ScreeningPoint& shown = points_[*point];
    const auto text = [](cycle::ScreeningColumn column, double value) {
      return QString::fromStdString(cycle::ColumnText(column, value));
    };
    name_->setText(QStringLiteral("%1\nCOP %2   VHC %3 kJ/m3")
                       .arg(shown.name, text(cycle::ScreeningColumn::COP, shown.cop),
                            text(cycle::ScreeningColumn::VHC, shown.vhc)));
    PlaceBeside(*name_, PlaceOf(shown), *axisRect(), kReach);
  }
  if (point || was_visible) replot(QCustomPlot::rpQueuedReplot);
}

}  // namespace plots
