// A bar chart of one figure: a bar per named item (a refrigerant), its value
// written above it.
#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

#include "qcustomplot.h"

namespace plots {

// Replaces what the plot shows. values holds one value per name, each
// written above its bar with `decimals` as the pages write figures
// (cycle::FormatFixed).
void DrawBars(QCustomPlot& plot, const QStringList& names, const std::vector<double>& values,
              const QString& value_label, int decimals);

// The same as a chart of its own that keeps its words apart at any width:
// where the names or the values are wider than the room of a bar, they
// turn upright, and the axis reaches just high enough above the tallest bar
// for its value.
class BarChart : public QCustomPlot {
  Q_OBJECT

 public:
  explicit BarChart(QWidget* parent = nullptr);

  void Draw(const QStringList& names, const std::vector<double>& values, const QString& value_label,
            int decimals);

  // As laid out last (pixels): the boxes of the values above the bars, and
  // of the names under them.
  std::vector<QRectF> ValueBoxes() const;
  std::vector<QRectF> NameBoxes() const;

 protected:
  void updateLayout() override;

 private:
  QStringList names_;
  std::vector<double> values_;
};

}  // namespace plots
