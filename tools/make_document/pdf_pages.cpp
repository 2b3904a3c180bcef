#include "pdf_pages.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include "report/pdf_frame.h"

namespace document {

namespace {

constexpr int kResolution = 600;  // dots per inch of the layout

}  // namespace

int WritePdf(const QString& html, const QString& title, QIODevice& device) {
  QPdfWriter writer(&device);
  const report::PdfFrame frame(writer, title, kResolution, report::PdfMargins{});
  QPainter painter;
  if (!painter.begin(&writer)) return 0;

  const QRect& body = frame.Body();
  QTextDocument text;
  text.documentLayout()->setPaintDevice(&writer);
  text.setDefaultFont(report::PdfFont(9));
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
    frame.Paint(painter, QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
  }
  return painter.end() ? pages : 0;
}

}  // namespace document
