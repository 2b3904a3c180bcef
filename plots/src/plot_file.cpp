#include "plots/plot_file.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <string_view>
#include <vector>

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

// The layers of a plot drawn inside its axes, which clip what they draw.
bool InsideAxes(const QCPLayer& layer) {
  return layer.name() == QLatin1String("grid") || layer.name() == QLatin1String("main");
}

// One pass of the SVG: the layers `shown` picks, the background only where
// asked; the document's text, and the axes' rectangle as laid out for it.
struct SvgPass {
  QByteArray text;
  QRect axes;
};

std::optional<SvgPass> PaintSvgPass(QCustomPlot& plot, QSize size,
                                    const std::function<bool(const QCPLayer&)>& shown,
                                    bool background) {
  std::vector<bool> visible;
  for (int i = 0; i < plot.layerCount(); ++i) {
    visible.push_back(plot.layer(i)->visible());
    plot.layer(i)->setVisible(shown(*plot.layer(i)));
  }
  const QBrush brush = plot.background();
  if (!background) plot.setBackground(Qt::NoBrush);
  SvgPass pass;
  QBuffer buffer(&pass.text);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  const bool painted = PaintVectors(plot, svg, size);
  pass.axes = plot.axisRect()->rect();  // as the drawing laid it out
  plot.setBackground(brush);
  for (int i = 0; i < plot.layerCount(); ++i) plot.layer(i)->setVisible(visible[static_cast<std::size_t>(i)]);
  if (!painted) return std::nullopt;
  return pass;
}

// What a generated document draws: from its first group to its end.
QByteArray Body(const QByteArray& svg) {
  const qsizetype from = svg.indexOf("<g ");
  const qsizetype to = svg.lastIndexOf("</svg>");
  return from < 0 || to < from ? QByteArray() : svg.mid(from, to - from);
}

bool Background(const QCPLayer& layer) { return layer.name() == QLatin1String("background"); }

// Qt's SVG generator draws no clip: a line that leaves the axes would be
// drawn on past them. So the plot is drawn in three passes, the background,
// what lies inside the axes, and the axes with the legend and the title, and
// the second goes into a group clipped to the axes. The background layer
// stays shown in each (the axes, on it, are the parent of what is drawn
// inside them); only the first paints the plot's background.
bool PaintSvg(QCustomPlot& plot, QIODevice& file, QSize size) {
  const auto background = PaintSvgPass(plot, size, Background, true);
  const auto inside = PaintSvgPass(
      plot, size, [](const QCPLayer& layer) { return Background(layer) || InsideAxes(layer); }, false);
  const auto outside =
      PaintSvgPass(plot, size, [](const QCPLayer& layer) { return !InsideAxes(layer); }, false);
  if (!background || !inside || !outside) return false;
  QByteArray head = background->text.left(background->text.indexOf("<g "));
  // Clipping is no part of SVG Tiny, which the generator declares.
  head.replace(R"(version="1.2" baseProfile="tiny")", R"(version="1.1")");
  const QRect& axes = inside->axes;
  const QByteArray clip = QStringLiteral(
                              "<defs><clipPath id=\"axes\"><rect x=\"%1\" y=\"%2\" width=\"%3\" "
                              "height=\"%4\"/></clipPath></defs>\n<g clip-path=\"url(#axes)\">\n")
                              .arg(axes.x())
                              .arg(axes.y())
                              .arg(axes.width())
                              .arg(axes.height())
                              .toUtf8();
  const QByteArray whole = head + Body(background->text) + clip + Body(inside->text) + "</g>\n" +
                           Body(outside->text) + "</svg>\n";
  return file.write(whole) == whole.size();
}

bool Paint(QCustomPlot& plot, PlotFormat format, QIODevice& file, QSize size) {
  switch (format) {
    case PlotFormat::Png:
      return plot.toPixmap(size.width(), size.height()).save(&file, "PNG");
    case PlotFormat::Svg:
      return PaintSvg(plot, file, size);
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
