// The comparison result pages: one figure of merit per page, then the page
// of total results. Each page builds its text from the comparison record when
// it is created; Back and Next discard it and show the neighbour.
#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "cycle/result_text.h"
#include "common/design.h"
#include "forms/shell.h"

namespace forms {

struct ResultPageDesign {
  QString name;
  QString title;                       // caption of Label17
  std::optional<cycle::Figure> figure;  // none: the total page
  QString back;
  QString next;
};

// The pages in the order of their Next buttons.
const std::vector<ResultPageDesign>& ResultPageSequence();

class ResultPage : public PageWindow {
 public:
  ResultPage(Shell& shell, const ResultPageDesign& design);

 private:
  void MoveTo(const QString& target);
  void ShowDiagrams();

  Shell& shell_;
  const ResultPageDesign& design_;
};

}  // namespace forms
