#include "plots/plot_file.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "qcustomplot.h"

namespace plots {

namespace {

// Vector output: every line and text as itself, nothing cached as pixels.
void PaintVectors(QCustomPlot& plot, QPaintDevice& device, QSize size) {
  QCPPainter painter;
  painter.begin(&device);
  painter.setMode(QCPPainter::pmVectorized);
  painter.setMode(QCPPainter::pmNoCaching);
  plot.toPainter(&painter, size.width(), size.height());
  painter.end();
}

bool Paint(QCustomPlot& plot, PlotFormat format, QIODevice& file, QSize size) {
  switch (format) {
    case PlotFormat::Png:
      return plot.toPixmap(size.width(), size.height()).save(&file, "PNG");
    case PlotFormat::Svg: {
      QSvgGenerator svg;
      svg.setOutputDevice(&file);
      svg.setSize(size);
      svg.setViewBox(QRect(QPoint(0, 0), size));
      PaintVectors(plot, svg, size);
      return true;
    }
    case PlotFormat::Pdf: {
      QPdfWriter pdf(&file);
      pdf.setResolution(72);  // one point per pixel of the plot
      pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      PaintVectors(plot, pdf, size);
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<PlotFormat> PlotFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("png")) return PlotFormat::Png;
  if (suffix == QLatin1String("svg")) return PlotFormat::Svg;
  if (suffix == QLatin1String("pdf")) return PlotFormat::Pdf;
  return std::nullopt;
}

std::optional<QString> WritePlot(QCustomPlot& plot, const QString& path, QSize size) {
  const auto format = PlotFormatOf(path);
  if (!format) return QStringLiteral("%1: the file name must end in .png, .svg or .pdf").arg(path);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
  }
  if (!Paint(plot, *format, file, size)) {
    file.cancelWriting();
    return QStringLiteral("Cannot write %1: the picture could not be drawn").arg(path);
  }
  if (!file.commit()) return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
  return std::nullopt;
}

}  // namespace plots
