// An A4 document of text and plots, laid out top to bottom: each piece goes
// below the one before it, or to the top of a new page where it does not fit.
// Text is laid out as rich text; plots are drawn as vectors.
#pragma once

#include <QPdfWriter>
#include <QString>
#include <QTextDocument>

#include "qcustomplot.h"
#include "report/pdf_frame.h"

namespace report {

class PdfPages {
 public:
  // Pages of the writer, each with the title in its head and its number at
  // its foot. ok() is false when the writer cannot be painted on.
  PdfPages(QPdfWriter& writer, const QString& title);
  ~PdfPages();
  PdfPages(const PdfPages&) = delete;
  PdfPages& operator=(const PdfPages&) = delete;

  bool ok() const { return ok_; }
  // Starts a new page unless this much room is left on the current one, so
  // that a heading stays with the plot below it.
  void KeepTogether(double height_mm);
  // Rich text below the last piece, or on a new page where it does not fit
  // there; a text taller than a page runs on over as many pages as it needs.
  void AddHtml(const QString& html);
  // The plots side by side across the width of the page, height_mm high.
  void AddPlots(std::initializer_list<QCustomPlot*> plots, double height_mm);
  // Ends the document; false when it could not be finished.
  bool Finish();

 private:
  void MakeRoom(int height);
  void AddAcrossPages(QTextDocument& text);
  void NewPage();
  void PaintFrame();

  QPdfWriter& writer_;
  PdfFrame frame_;
  QCPPainter painter_;
  int y_ = 0;  // where the next piece starts, from the top of the body
  int page_ = 1;
  bool ok_ = false;
};

}  // namespace report
