#include "report/pdf_frame.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace report {

PdfFrame::PdfFrame(QPdfWriter& writer, const QString& title, int resolution,
                   const PdfMargins& margins)
    : resolution_(resolution), title_(title) {
  writer.setResolution(resolution);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Vapor compression heat pump"));
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  const QRect paper = writer.pageLayout().fullRectPixels(resolution);
  body_ = paper.adjusted(Dots(margins.side_mm), Dots(margins.top_mm), -Dots(margins.side_mm),
                         -Dots(margins.bottom_mm));
}

int PdfFrame::Dots(double mm) const { return static_cast<int>(mm / 25.4 * resolution_ + 0.5); }

void PdfFrame::Paint(QPainter& painter, const QString& page) const {
  painter.save();
  painter.setFont(PdfFont(7.5));
  const QColor ink(0x3c, 0x5a, 0x78);
  painter.setPen(ink);
  const int line = Dots(4);
  const QRect head(body_.left(), body_.top() - Dots(6) - line, body_.width(), line);
  painter.drawText(head, Qt::AlignLeft | Qt::AlignBottom, title_);
  painter.setPen(QPen(QColor(0x9f, 0xb4, 0xc8), Dots(0.2)));
  const int rule = head.bottom() + Dots(1.5);
  painter.drawLine(body_.left(), rule, body_.right(), rule);
  painter.setPen(ink);
  const QRect foot(body_.left(), body_.bottom() + Dots(6), body_.width(), line);
  painter.drawText(foot, Qt::AlignRight | Qt::AlignTop, page);
  painter.restore();
}

QFont PdfFont(double points) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(points);
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

}  // namespace report
