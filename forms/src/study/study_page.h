// The parameter study page: one input of a form's calculation varied over a
// range for up to eight refrigerants, the other inputs as the form holds
// them. Run computes the points off the window's thread on every core, with
// a progress bar and Cancel; a chart of the chosen figure against the input,
// one line per refrigerant, and a table of every point show the result;
// Export... writes the points (CSV) or the chart (PNG, SVG, PDF), Copy puts
// the table on the clipboard. Back returns to the form.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "cycle/study.h"
#include "forms/shell.h"
#include "plots/study_chart.h"
#include "study/study_run.h"
#include "study/study_table_model.h"

namespace forms {

// Opens the study page for the calculation with a form's inputs as typed
// and its refrigerants (the first eight), hiding the form `from`, to which
// Back returns.
void OpenStudy(Shell& shell, const cycle::StudyCalculation& calculation,
               const std::vector<std::string>& refrigerants, const QString& from);

class StudyPage : public QWidget {
 public:
  explicit StudyPage(Shell& shell);

  // The calculation to study, as OpenStudy describes; no points yet.
  void Open(const cycle::StudyCalculation& calculation,
            const std::vector<std::string>& refrigerants, const QString& from);

 private:
  cycle::StudyVariable ChosenVariable() const;
  void FillRange();
  void Run();
  void TakeProgress(std::size_t done);
  void RunFinished(std::vector<cycle::StudyPoint> points);
  void Cancel();
  void StopRun();
  void Redraw();
  void ShowState();
  void Back();
  void Export();
  void Copy();

  Shell& shell_;
  QString from_;
  cycle::StudyCalculation calculation_;
  std::vector<cycle::StudyFigure> figures_;
  cycle::Study study_;                     // the last one run
  std::vector<cycle::StudyPoint> points_;  // its points, in their order
  std::size_t done_ = 0;
  bool cancelled_ = false;

  // Owned by the page, as Qt children.
  QLabel* heading_;
  QLabel* inputs_;
  QComboBox* variable_;
  QLineEdit* from_box_;
  QLineEdit* to_box_;
  QRadioButton* by_step_;
  QRadioButton* by_points_;
  QLineEdit* by_box_;
  QComboBox* figure_;
  std::vector<QLineEdit*> refrigerants_;
  QPushButton* run_button_;
  QProgressBar* progress_;
  QPushButton* cancel_;
  plots::StudyChart* chart_;
  StudyTableModel* model_;
  QTableView* table_;
  QLabel* status_;

  // Last, so that it is stopped before anything it reports to goes.
  std::unique_ptr<StudyRun> run_;
};

}  // namespace forms
