// A bar chart of one figure: a bar per named item (a refrigerant), its value
// written above it.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QCustomPlot;

namespace plots {

// Replaces what the plot shows. values holds one value per name, each
// written above its bar with `decimals` as the pages write figures
// (cycle::FormatFixed).
void DrawBars(QCustomPlot& plot, const QStringList& names, const std::vector<double>& values,
              const QString& value_label, int decimals);

}  // namespace plots
