// The desktop program's pages in a test: a page model with every page
// registered, a comparison record of its own, messages and opened documents
// recorded instead of shown, and a watchdog that fails the test on any modal
// dialog that appears instead of hanging.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <span>
#include <string>
#include <type_traits>
#include <utility>

#include "cycle/comparison.h"
#include "cycle/field_defaults.h"
#include "forms/page_model.h"
#include "forms/page_names.h"
#include "forms/shell.h"

class QCustomPlot;

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace forms_test {

namespace page = forms::page;

class ProgramTest : public testing::Test {
 protected:
  ProgramTest();
  ~ProgramTest() override;

  // Starts the program as the desktop program does: the start page alone.
  void Start();
  // Start page -> menu -> the basic calculation form / the comparison form.
  void OpenBasicForm();
  void OpenComparisonForm();
  // The basic calculation with the form's defaults, on its results page.
  void CalculateBasicDefaults();
  // A completed comparison of the refrigerants at the form's defaults but for
  // the two temperatures, stepped through to the total results page.
  void CompareToTotalPage(const QStringList& refrigerants, const QString& evaporating = "50",
                          const QString& condensing = "90");

  // The control of a page, which must exist (reading it loads the page).
  template <class Control>
  Control& On(const QString& page, const QString& control) {
    auto* found = pages_.Load(page).findChild<Control*>(control);
    if (found == nullptr) {
      ADD_FAILURE() << page.toStdString() << " has no control " << control.toStdString();
      throw std::runtime_error("missing control");
    }
    return *found;
  }
  QString Text(const QString& page, const QString& box) { return On<QLineEdit>(page, box).text(); }
  // Each field of a calculation's table (cycle/field_defaults.h) shows the
  // table's text in the page's box that `boxes` names for the field.
  template <typename Fields, std::size_t N>
  void ExpectTheTableInItsBoxes(
      const QString& page, const cycle::FieldDefaults<Fields, N>& table,
      std::type_identity_t<std::span<const std::pair<const char*, std::string Fields::*>>> boxes) {
    for (const auto& entry : table) {
      const auto box = std::find_if(boxes.begin(), boxes.end(),
                                    [&](const auto& b) { return b.second == entry.field; });
      ASSERT_NE(box, boxes.end()) << entry.option;
      EXPECT_EQ(Text(page, box->first).toStdString(), entry.text) << entry.option;
    }
  }
  void SetText(const QString& page, const QString& box, const QString& text) {
    On<QLineEdit>(page, box).setText(text);
  }
  QString ResultText(const QString& page) { return On<QPlainTextEdit>(page, "TextBox2").toPlainText(); }

  // Clicks a button with the mouse, as a user does, then lets queued work
  // (deferred deletion, the end-of-program check) run.
  void Click(const QString& page, const QString& button);
  // A key pressed on the page, as a user presses it (to its focused control).
  void Press(const QString& page, Qt::Key key);
  void ProcessEvents();

  // The texts written on a plot.
  static QStringList PlotTexts(QCustomPlot& plot);

  // The pages that are on screen / loaded, sorted by name.
  QStringList ShownPages() const;
  QStringList LoadedPages() const;
  // The one page on screen; fails when there is not exactly one.
  QString ShownPage() const;

  // The messages shown since the last call, and forget them.
  QStringList TakeMessages();

  forms::PageModel pages_;
  cycle::ComparisonResults results_;
  QStringList messages_;
  QStringList opened_documents_;
  bool open_succeeds_ = true;
  // What the save dialog answers (empty: cancelled), and each dialog asked.
  QString save_file_answer_;
  QStringList save_dialogs_;
  // The same for the open dialog.
  QString open_file_answer_;
  QStringList open_dialogs_;
  forms::Shell shell_;
  bool program_ended_ = false;

 private:
  void CatchModalDialog();
  QTimer watchdog_;
};

}  // namespace forms_test
