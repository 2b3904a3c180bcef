#include "pdf_pages.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace report {

namespace {

// One device unit per point: the plots' pens and fonts, given in pixels and
// points, then have the sizes they have on screen.
constexpr int kResolution = 72;
constexpr double kSideMarginMm = 18, kTopMarginMm = 20, kBottomMarginMm = 18;
constexpr double kGapMm = 4;  // between two pieces

int Dots(double mm) { return static_cast<int>(mm / 25.4 * kResolution + 0.5); }

}  // namespace

QFont ReportFont(double points) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(points);
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

PdfPages::PdfPages(QPdfWriter& writer, const QString& title) : writer_(writer), title_(title) {
  writer.setResolution(kResolution);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Vapor compression heat pump"));
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  const QRect paper = writer.pageLayout().fullRectPixels(kResolution);
  body_ = paper.adjusted(Dots(kSideMarginMm), Dots(kTopMarginMm), -Dots(kSideMarginMm),
                         -Dots(kBottomMarginMm));
  ok_ = painter_.begin(&writer);
  if (ok_) PaintFrame();
}

PdfPages::~PdfPages() {
  if (painter_.isActive()) painter_.end();
}

void PdfPages::PaintFrame() {
  painter_.save();
  painter_.setFont(ReportFont(7.5));
  painter_.setPen(QColor(0x3c, 0x5a, 0x78));
  const int line = Dots(4);
  painter_.drawText(QRect(body_.left(), body_.top() - Dots(8), body_.width(), line),
                    Qt::AlignLeft | Qt::AlignBottom, title_);
  painter_.drawText(QRect(body_.left(), body_.bottom() + Dots(6), body_.width(), line),
                    Qt::AlignRight | Qt::AlignTop, QStringLiteral("Page %1").arg(page_));
  painter_.restore();
}

void PdfPages::NewPage() {
  ok_ = ok_ && writer_.newPage();
  ++page_;
  y_ = 0;
  if (ok_) PaintFrame();
}

void PdfPages::MakeRoom(int height) {
  if (y_ > 0 && y_ + height > body_.height()) NewPage();
}

void PdfPages::KeepTogether(double height_mm) {
  if (ok_) MakeRoom(Dots(height_mm));
}

void PdfPages::AddHtml(const QString& html) {
  if (!ok_) return;
  QTextDocument text;
  text.documentLayout()->setPaintDevice(&writer_);
  text.setDefaultFont(ReportFont(9));
  text.setDocumentMargin(0);
  text.setHtml(html);
  text.setTextWidth(body_.width());
  const int height = static_cast<int>(text.size().height() + 0.5);
  if (height > body_.height()) {
    AddAcrossPages(text);
    return;
  }
  MakeRoom(height);
  painter_.save();
  painter_.translate(body_.left(), body_.top() + y_);
  text.drawContents(&painter_);
  painter_.restore();
  y_ += height + Dots(kGapMm);
}

// Laid out in pages of the body's height, the text breaks between lines and
// between the rows of a table; its first page starts where the free space
// of this one does.
void PdfPages::AddAcrossPages(QTextDocument& text) {
  const double page = body_.height();
  QTextCursor start(&text);
  QTextBlockFormat first = start.blockFormat();
  first.setTopMargin(first.topMargin() + y_);
  start.setBlockFormat(first);
  text.setPageSize(QSizeF(body_.width(), page));
  const int pages = text.pageCount();
  for (int i = 0; i < pages; ++i) {
    if (i > 0) NewPage();
    if (!ok_) return;
    const QRectF shown(0, i * page, body_.width(), page);
    painter_.save();
    painter_.translate(body_.left(), body_.top() - shown.top());
    // A hair inside the page: the first line of the next page starts
    // exactly at its edge and would be drawn here too (clipped from sight,
    // but still in the text of the file).
    text.drawContents(&painter_, shown.adjusted(0, 0.5, 0, -0.5));
    painter_.restore();
  }
  const double end = text.documentLayout()->blockBoundingRect(text.lastBlock()).bottom();
  y_ = static_cast<int>(end - (pages - 1) * page + 0.5) + Dots(kGapMm);
}

void PdfPages::AddPlots(std::initializer_list<QCustomPlot*> plots, double height_mm) {
  if (!ok_ || plots.size() == 0) return;
  const int height = Dots(height_mm);
  MakeRoom(height);
  const int gap = Dots(kGapMm);
  const int width = (body_.width() - gap * static_cast<int>(plots.size() - 1)) /
                    static_cast<int>(plots.size());
  int left = body_.left();
  for (QCustomPlot* plot : plots) {
    painter_.save();
    painter_.translate(left, body_.top() + y_);
    painter_.setMode(QCPPainter::pmVectorized);
    plot->toPainter(&painter_, width, height);
    painter_.restore();
    left += width + gap;
  }
  y_ += height + gap;
}

bool PdfPages::Finish() {
  if (painter_.isActive()) painter_.end();
  return ok_;
}

}  // namespace report
