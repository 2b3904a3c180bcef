// The frame of every PDF the program writes, reports and the working-fluid
// document alike: A4 upright, the document's title in a running head above a
// rule, the page's number at its foot.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class QPdfWriter;

namespace report {

// Around the body: the head sits in the top margin, the page number in the
// bottom one.
struct PdfMargins {
  double side_mm = 16, top_mm = 22, bottom_mm = 20;
};

class PdfFrame {
 public:
  // Sets the writer up: A4 upright without printer margins, `resolution`
  // dots per inch, the title and the creator.
  PdfFrame(QPdfWriter& writer, const QString& title, int resolution, const PdfMargins& margins);

  // The page inside the margins, in dots: what a page's content fills.
  const QRect& Body() const { return body_; }
  int Dots(double mm) const;
  // The head and the foot around the body; `page` as the foot reads it
  // ("Page 3", "Page 3 of 9").
  void Paint(QPainter& painter, const QString& page) const;

 private:
  int resolution_;
  QString title_;
  QRect body_;
};

// The body text's face, without ligatures: text read back from the PDF or
// searched in a viewer stays plain letters.
QFont PdfFont(double points);

}  // namespace report
