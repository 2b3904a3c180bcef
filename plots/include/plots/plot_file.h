// Writing a plot to a file: PNG, SVG or PDF, chosen by the file's extension.
#pragma once

#include <QSize>
#include <QString>

#include <functional>
#include <optional>

#include "plots/plot_format.h"

class QCustomPlot;
class QIODevice;

namespace plots {

// The size a plot is written at unless the caller chooses: pixels for PNG,
// points for SVG and PDF.
inline constexpr QSize kPlotFileSize{1000, 700};

// Writes the plot as files::WriteWholeFile does: whole, or not at all with
// the file that was there unchanged. Returns why it could not be written, or
// nothing.
std::optional<QString> WritePlot(QCustomPlot& plot, const QString& path,
                                 QSize size = kPlotFileSize);

// Every picture and document the program writes: `render` draws it into
// memory (false when it could not), then the bytes are written whole by
// files::WriteWholeFile. `what` names the output in the message of a failed
// drawing ("the picture").
std::optional<QString> WriteRendered(const QString& path, const QString& what,
                                     const std::function<bool(QIODevice&)>& render);

}  // namespace plots
