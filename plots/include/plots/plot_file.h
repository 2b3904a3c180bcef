// Writing a plot to a file: PNG, SVG or PDF, chosen by the file's extension.
#pragma once

#include <QSize>
#include <QString>

#include <optional>

class QCustomPlot;

namespace plots {

enum class PlotFormat { Png, Svg, Pdf };

// The format named by the extension (".png", ".svg", ".pdf" in any case);
// nothing for any other.
std::optional<PlotFormat> PlotFormatOf(const QString& path);

// The size a plot is written at unless the caller chooses: pixels for PNG,
// points for SVG and PDF.
inline constexpr QSize kPlotFileSize{1000, 700};

// Writes the plot through a temporary file beside the target that is renamed
// into place, so that a failed write leaves no half file and an existing
// file as it was. Returns why it could not be written, or nothing.
std::optional<QString> WritePlot(QCustomPlot& plot, const QString& path,
                                 QSize size = kPlotFileSize);

}  // namespace plots
