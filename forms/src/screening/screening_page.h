// The screening page: every pure fluid and blend under the comparison form's
// conditions, in a table sortable by any column and a chart of COP against
// VHC, the two selecting together; filters on the files' facts and on the
// figures; Export... writes the table as shown; Compare Selected hands up to
// eight fluids to the comparison form.
//
// The fluids the filters let through are screened off the window's thread,
// with a progress bar and Cancel; widening the filters screens the rest.
// While a screening runs it is the property layer's only caller: the page
// shows only the rows it has handed over, and stops it (between two fluids)
// before it hands over to another page.
#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QTableView>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

#include "cycle/screening.h"
#include "forms/shell.h"
#include "plots/screening_chart.h"
#include "screening/screening_filters.h"
#include "screening/screening_run.h"
#include "screening/screening_table_model.h"

namespace forms {

class ScreeningPage : public QWidget {
 public:
  explicit ScreeningPage(Shell& shell);

  // Screens the fluids under these conditions (checked by the caller), from
  // the start.
  void Open(const cycle::ComparisonConditions& conditions);

 private:
  std::vector<cycle::ScreeningCandidate> NotYetScreened() const;
  void ScreenWhatIsMissing();
  void TakeRow(cycle::ScreeningRow row);
  void RunFinished();
  void StopRun();

  void Refresh();
  void ShowProgress();
  QStringList SelectedNames() const;
  void SelectInTable(const QStringList& names);

  void Cancel();
  void ScreenRemaining();
  void Back();
  void Export();
  void CompareSelected();

  Shell& shell_;
  cycle::ComparisonConditions conditions_;
  std::vector<cycle::ScreeningCandidate> candidates_;
  QString skipped_;                            // files that could not be read
  std::vector<cycle::ScreeningRow> screened_;  // in the order screened
  std::size_t run_size_ = 0, run_done_ = 0;
  bool cancelled_ = false;  // no more screening until asked again
  QTimer refresh_soon_;     // the rows of a run shown a few at a time

  // Owned by the page, as Qt children.
  QLabel* conditions_label_;
  ScreeningFilters* filters_;
  ScreeningTableModel* model_;
  QTableView* table_;
  plots::ScreeningChart* chart_;
  QProgressBar* progress_;
  QPushButton* cancel_;
  QPushButton* screen_remaining_;
  QLabel* status_;

  // Last, so that it is stopped before anything it reports to goes.
  std::unique_ptr<ScreeningRun> run_;
};

}  // namespace forms
