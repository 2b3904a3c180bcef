// The screening's chart: coefficient of performance against volumetric
// heating capacity, one point per fluid. The pointer names the fluid under
// it; a click selects a point (Ctrl adds one), a dragged rectangle the
// points inside it.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "qcustomplot.h"

namespace plots {

struct ScreeningPoint {
  QString name;
  double vhc = 0;  // kJ/m^3
  double cop = 0;
};

class ScreeningChart : public QCustomPlot {
  Q_OBJECT

 public:
  explicit ScreeningChart(QWidget* parent = nullptr);

  // Replaces the points, framed so that all of them show; none is selected.
  void Draw(std::vector<ScreeningPoint> points);
  // Selects the points of these names and no others. Unlike a selection by
  // the user, it does not emit SelectedByUser.
  void Select(const QStringList& names);
  QStringList SelectedNames() const;

  // The point nearest to a place on the widget (pixels), if the pointer
  // reaches it there.
  std::optional<std::size_t> PointNear(QPointF place) const;
  // Where a point is drawn, in pixels of the widget.
  QPointF PlaceOf(const ScreeningPoint& point) const;

 signals:
  void SelectedByUser();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void ShowName(std::optional<std::size_t> point);

  std::vector<ScreeningPoint> points_;
  QCPCurve* curve_;
  QCPItemText* name_;
};

}  // namespace plots
