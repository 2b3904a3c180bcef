#include "plots/plot_file.h"

#include <QBuffer>
#include <QFile>
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

// Parts of a plot left out of one drawing: moved onto a layer of their own
// that is not drawn, and back after it. (Hiding them would change the
// layout: a hidden axis takes no room.)
class HiddenParts {
 public:
  explicit HiddenParts(QCustomPlot& plot) : plot_(plot) {
    plot.addLayer(kName);
    layer_ = plot.layer(kName);
    layer_->setVisible(false);
  }
  HiddenParts(const HiddenParts&) = delete;
  HiddenParts& operator=(const HiddenParts&) = delete;
  ~HiddenParts() {
    for (const auto& [part, layer] : moved_) part->setLayer(layer);
    plot_.removeLayer(layer_);
  }
  void Hide(QCPLayerable* part) {
    moved_.emplace_back(part, part->layer());
    part->setLayer(layer_);
  }

 private:
  static constexpr char kName[] = "left out of this drawing";
  QCustomPlot& plot_;
  QCPLayer* layer_;
  std::vector<std::pair<QCPLayerable*, QCPLayer*>> moved_;
};

// What is drawn inside the axes and clipped to them: the curves, bars and
// graphs, and the items (labels, marks).
void HideInside(QCustomPlot& plot, HiddenParts& hidden) {
  for (int i = 0; i < plot.plottableCount(); ++i) hidden.Hide(plot.plottable(i));
  for (int i = 0; i < plot.itemCount(); ++i) hidden.Hide(plot.item(i));
}

// The rest: the axes (and their grids), the legend and the titles. The
// axes' rectangles stay, as what is drawn inside them hangs on them.
void HideOutside(QCustomPlot& plot, HiddenParts& hidden) {
  for (QCPAxisRect* rect : plot.axisRects()) {
    for (QCPAxis* axis : rect->axes()) hidden.Hide(axis);
  }
  for (QCPLayoutElement* element : plot.plotLayout()->elements(true)) {
    if (element != nullptr && qobject_cast<QCPAxisRect*>(element) == nullptr) hidden.Hide(element);
  }
}

// One drawing of the SVG with some parts hidden: the document's text, and the
// axes' rectangle as laid out for it.
struct SvgPass {
  QByteArray text;
  QRect axes;
};

std::optional<SvgPass> PaintSvgPass(QCustomPlot& plot, QSize size,
                                    const std::function<void(HiddenParts&)>& hide,
                                    bool background) {
  HiddenParts hidden(plot);
  hide(hidden);
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
  // The axes as the drawing laid them out, and as the plot clips to them on
  // screen: a line that leaves them is drawn on along their edge, just
  // outside this.
  pass.axes = plot.axisRect()->rect().translated(0, -1);
  plot.setBackground(brush);
  if (!painted) return std::nullopt;
  return pass;
}

// What a generated document draws: from its first group to its end.
QByteArray Body(const QByteArray& svg) {
  const qsizetype from = svg.indexOf("<g ");
  const qsizetype to = svg.lastIndexOf("</svg>");
  return from < 0 || to < from ? QByteArray() : svg.mid(from, to - from);
}

// Qt's SVG generator draws no clip: a line that leaves the axes would be
// drawn on past them. So the plot is drawn twice, first its background,
// axes, legend and titles, then what lies inside the axes, and the second
// drawing goes into a group clipped to the axes.
bool PaintSvg(QCustomPlot& plot, QIODevice& file, QSize size) {
  const auto outside = PaintSvgPass(
      plot, size, [&](HiddenParts& hidden) { HideInside(plot, hidden); }, true);
  const auto inside = PaintSvgPass(
      plot, size, [&](HiddenParts& hidden) { HideOutside(plot, hidden); }, false);
  if (!outside || !inside) return false;
  QByteArray head = outside->text.left(outside->text.indexOf("<g "));
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
  const QByteArray whole =
      head + Body(outside->text) + clip + Body(inside->text) + "</g>\n</svg>\n";
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
