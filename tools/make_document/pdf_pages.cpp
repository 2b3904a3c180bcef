#include "pdf_pages.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace document {

namespace {

constexpr int kResolution = 600;  // dots per inch of the layout
constexpr double kSideMarginMm = 16;
constexpr double kTopMarginMm = 22;     // the running head sits in it
constexpr double kBottomMarginMm = 20;  // the page number sits in it

int Dots(double mm) { return static_cast<int>(mm / 25.4 * kResolution + 0.5); }

// Without ligatures: a reader who searches the document for "fluid" finds
// it, and copied text stays plain letters.
QFont Font(double points) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(points);
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

// The running head above the body and the page number below it.
void PaintFrame(QPainter& painter, const QRect& body, const QString& title, int page, int pages) {
  painter.save();
  painter.setFont(Font(7.5));
  painter.setPen(QColor(0x3c, 0x5a, 0x78));
  const int line = Dots(4);
  const QRect head(body.left(), body.top() - Dots(6) - line, body.width(), line);
  painter.drawText(head, Qt::AlignLeft | Qt::AlignBottom, title);
  painter.setPen(QPen(QColor(0x9f, 0xb4, 0xc8), Dots(0.2)));
  painter.drawLine(body.left(), head.bottom() + Dots(1.5), body.right(), head.bottom() + Dots(1.5));
  painter.setPen(QColor(0x3c, 0x5a, 0x78));
  const QRect foot(body.left(), body.bottom() + Dots(6), body.width(), line);
  painter.drawText(foot, Qt::AlignRight | Qt::AlignTop,
                   QStringLiteral("Page %1 of %2").arg(page).arg(pages));
  painter.restore();
}

}  // namespace

int WritePdf(const QString& html, const QString& title, QIODevice& device) {
  QPdfWriter writer(&device);
  writer.setResolution(kResolution);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Vapor compression heat pump"));
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  QPainter painter;
  if (!painter.begin(&writer)) return 0;

  const QRect paper = writer.pageLayout().fullRectPixels(kResolution);
  const QRect body = paper.adjusted(Dots(kSideMarginMm), Dots(kTopMarginMm), -Dots(kSideMarginMm),
                                    -Dots(kBottomMarginMm));
  QTextDocument text;
  text.documentLayout()->setPaintDevice(&writer);
  text.setDefaultFont(Font(9));
  text.setDocumentMargin(0);
  text.setHtml(html);
  text.setPageSize(body.size());
  const int pages = text.pageCount();

  for (int page = 0; page < pages; ++page) {
    if (page > 0 && !writer.newPage()) return 0;
    const QRectF slice(0, page * body.height(), body.width(), body.height());
    painter.save();
    painter.translate(body.left(), body.top() - slice.top());
    painter.setClipRect(slice);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = slice;
    text.documentLayout()->draw(&painter, context);
    painter.restore();
    PaintFrame(painter, body, title, page + 1, pages);
  }
  return painter.end() ? pages : 0;
}

}  // namespace document
