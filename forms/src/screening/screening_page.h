// The screening page: every pure fluid and blend under the comparison form's
// conditions, in a table sortable by any column and a chart of COP against
// VHC, the two selecting together; filters on the files' facts and on the
// figures; Export... writes the table as shown; Compare Selected hands up to
// eight fluids to the comparison form.
//
// The fluids the filters let through are screened off the window's thread,
// on every core, with a progress bar and Cancel; widening the filters
// screens the rest. The rows are kept in the order of the fluid files
// whatever order they come in, so that the table shows the same whichever
// thread was first; the counts follow each row, the table a few rows at a
// time. The page stops a run (once the fluids in hand are done) before it
// hands over to another page.
#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QTableView>
#include <QTimer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
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
  std::map<std::string, std::size_t> position_;  // of each candidate's name
  std::vector<cycle::ScreeningRow> screened_;    // in the order of candidates_
  std::size_t run_size_ = 0, run_done_ = 0;
  bool cancelled_ = false;  // no more screening until asked again
  // The rows of a run shown a few at a time: at once when the last showing
  // is older than the interval (rows may come faster than a timer fires),
  // else when the timer fires.
  QElapsedTimer since_refresh_;
  QTimer refresh_soon_;

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
