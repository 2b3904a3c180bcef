#include "plots/plot_file.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <string_view>

#include "files/whole_file.h"
#include "qcustomplot.h"

namespace plots {

namespace {

// Vector output: every line and text as itself, nothing cached as pixels.
bool PaintVectors(QCustomPlot& plot, QPaintDevice& device, QSize size) {
  QCPPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setMode(QCPPainter::pmVectorized);
  painter.setMode(QCPPainter::pmNoCaching);
  plot.toPainter(&painter, size.width(), size.height());
  return painter.end();
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
      return PaintVectors(plot, svg, size);
    }
    case PlotFormat::Pdf: {
      QPdfWriter pdf(&file);
      pdf.setResolution(72);  // one point per pixel of the plot
      pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      return PaintVectors(plot, pdf, size);
    }
  }
  return false;
}

}  // namespace

std::optional<QString> WritePlot(QCustomPlot& plot, const QString& path, QSize size) {
  const auto format = PlotFormatOf(path.toStdString());
  if (!format) return QStringLiteral("%1: the file name must end in .png, .svg or .pdf").arg(path);
  return WriteRendered(path, QStringLiteral("the picture"),
                       [&](QIODevice& file) { return Paint(plot, *format, file, size); });
}

std::optional<QString> WriteRendered(const QString& path, const QString& what,
                                     const std::function<bool(QIODevice&)>& render) {
  QByteArray bytes;
  QBuffer memory(&bytes);
  memory.open(QIODevice::WriteOnly);
  if (!render(memory)) return QStringLiteral("Cannot write %1: %2 could not be drawn").arg(path, what);
  memory.close();
  const auto failure = files::WriteWholeFile(
      QFile::encodeName(path).toStdString(),
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!failure) return std::nullopt;
  return QString::fromStdString(*failure);
}

}  // namespace plots
