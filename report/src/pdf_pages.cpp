#include "pdf_pages.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace report {

namespace {

// One device unit per point: the plots' pens and fonts, given in pixels and
// points, then have the sizes they have on screen.
constexpr int kResolution = 72;
constexpr double kGapMm = 4;  // between two pieces
// The width that the reports' tables are laid out for.
constexpr report::PdfMargins kMargins{18, 20, 18};

}  // namespace

PdfPages::PdfPages(QPdfWriter& writer, const QString& title)
    : writer_(writer), frame_(writer, title, kResolution, kMargins) {
  ok_ = painter_.begin(&writer);
  if (ok_) PaintFrame();
}

PdfPages::~PdfPages() {
  if (painter_.isActive()) painter_.end();
}

void PdfPages::PaintFrame() { frame_.Paint(painter_, QStringLiteral("Page %1").arg(page_)); }

void PdfPages::NewPage() {
  ok_ = ok_ && writer_.newPage();
  ++page_;
  y_ = 0;
  if (ok_) PaintFrame();
}

void PdfPages::MakeRoom(int height) {
  if (y_ > 0 && y_ + height > frame_.Body().height()) NewPage();
}

void PdfPages::KeepTogether(double height_mm) {
  if (ok_) MakeRoom(frame_.Dots(height_mm));
}

void PdfPages::AddHtml(const QString& html) {
  if (!ok_) return;
  QTextDocument text;
  text.documentLayout()->setPaintDevice(&writer_);
  text.setDefaultFont(PdfFont(9));
  text.setDocumentMargin(0);
  text.setHtml(html);
  text.setTextWidth(frame_.Body().width());
  const int height = static_cast<int>(text.size().height() + 0.5);
  if (height > frame_.Body().height()) {
    AddAcrossPages(text);
    return;
  }
  MakeRoom(height);
  painter_.save();
  painter_.translate(frame_.Body().left(), frame_.Body().top() + y_);
  text.drawContents(&painter_);
  painter_.restore();
  y_ += height + frame_.Dots(kGapMm);
}

// Laid out in pages of the body's height, the text breaks between lines and
// between the rows of a table; its first page starts where the free space
// of this one does.
void PdfPages::AddAcrossPages(QTextDocument& text) {
  const double page = frame_.Body().height();
  QTextCursor start(&text);
  QTextBlockFormat first = start.blockFormat();
  first.setTopMargin(first.topMargin() + y_);
  start.setBlockFormat(first);
  text.setPageSize(QSizeF(frame_.Body().width(), page));
  const int pages = text.pageCount();
  for (int i = 0; i < pages; ++i) {
    if (i > 0) NewPage();
    if (!ok_) return;
    const QRectF shown(0, i * page, frame_.Body().width(), page);
    painter_.save();
    painter_.translate(frame_.Body().left(), frame_.Body().top() - shown.top());
    // A hair inside the page: the first line of the next page starts
    // exactly at its edge and would be drawn here too (clipped from sight,
    // but still in the text of the file).
    text.drawContents(&painter_, shown.adjusted(0, 0.5, 0, -0.5));
    painter_.restore();
  }
  const double end = text.documentLayout()->blockBoundingRect(text.lastBlock()).bottom();
  y_ = static_cast<int>(end - (pages - 1) * page + 0.5) + frame_.Dots(kGapMm);
}

void PdfPages::AddPlots(std::initializer_list<QCustomPlot*> plots, double height_mm) {
  if (!ok_ || plots.size() == 0) return;
  const int height = frame_.Dots(height_mm);
  MakeRoom(height);
  const int gap = frame_.Dots(kGapMm);
  const int width = (frame_.Body().width() - gap * static_cast<int>(plots.size() - 1)) /
                    static_cast<int>(plots.size());
  int left = frame_.Body().left();
  for (QCustomPlot* plot : plots) {
    painter_.save();
    painter_.translate(left, frame_.Body().top() + y_);
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
