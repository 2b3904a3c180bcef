// The screening page in a test: opened from the comparison form as a user
// opens it, waited for while its rows come in from the screening's thread,
// and read through its table, chart and status like a user reads them.
#pragma once

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHeaderView>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTableView>
#include <QTest>

#include <cmath>
#include <map>
#include <set>

#include "cycle/screening.h"
#include "plots/screening_chart.h"
#include "program_under_test.h"

namespace forms_test {

class ScreeningTest : public ProgramTest {
 protected:
  // The comparison form (conditions changed from its defaults as given), its
  // Screen All Fluids button, and the screening to its end.
  void OpenScreening(const std::map<QString, QString>& conditions = {}) {
    OpenComparisonForm();
    for (const auto& [field, text] : conditions) SetText(page::UserForm4, field, text);
    Click(page::UserForm4, "ScreenAllFluids");
    ASSERT_EQ(ShownPage(), page::Screening);
    WaitForScreening();
  }

  // Lets the window's thread take the rows until no screening runs.
  void WaitForScreening() {
    QProgressBar& progress = On<QProgressBar>(page::Screening, "Progress");
    const QDeadlineTimer deadline(std::chrono::minutes(2));
    // The watchdog's timer wakes the loop at least every 50 ms.
    while (!progress.isHidden() && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    ASSERT_TRUE(progress.isHidden()) << "the screening did not end";
    ProcessEvents();
  }

  QTableView& Table() { return On<QTableView>(page::Screening, "Table"); }
  plots::ScreeningChart& Chart() { return On<plots::ScreeningChart>(page::Screening, "Chart"); }
  QString Status() { return On<QLabel>(page::Screening, "Status").text(); }
  int RowCount() { return Table().model()->rowCount(); }

  // The table column of a column the CSV names so ("safety_class"), found
  // by its heading in words ("Safety class").
  int Column(const QString& name) {
    const auto column = cycle::ColumnNamed(name.toStdString());
    if (!column) {
      ADD_FAILURE() << "no column is named " << name.toStdString();
      return 0;
    }
    const QString wanted = QString::fromStdString(cycle::ColumnHeading(*column));
    QAbstractItemModel& model = *Table().model();
    for (int section = 0; section < model.columnCount(); ++section) {
      if (model.headerData(section, Qt::Horizontal).toString() == wanted) return section;
    }
    ADD_FAILURE() << "no column headed " << wanted.toStdString();
    return 0;
  }
  QString Cell(int row, const QString& column, int role = Qt::DisplayRole) {
    QAbstractItemModel& model = *Table().model();
    return model.data(model.index(row, Column(column)), role).toString();
  }
  // A cell as a number: NaN where it shows no number ("unknown", empty).
  double Number(int row, const QString& column) {
    bool ok = false;
    const double value = Cell(row, column).toDouble(&ok);
    return ok ? value : NAN;
  }
  // The fluids' names from top to bottom.
  QStringList Names() {
    QStringList names;
    for (int row = 0; row < RowCount(); ++row) names << Cell(row, "refrigerant");
    return names;
  }
  int RowOf(const QString& name) {
    const int row = static_cast<int>(Names().indexOf(name));
    if (row < 0) ADD_FAILURE() << name.toStdString() << " is not in the table";
    return row;
  }
  // Every row as the table shows it: the name, then each cell by the name
  // the CSV gives its column.
  std::map<QString, std::map<QString, QString>> Shown() {
    std::map<QString, std::map<QString, QString>> rows;
    for (int row = 0; row < RowCount(); ++row) {
      auto& cells = rows[Cell(row, "refrigerant")];
      for (const cycle::ScreeningColumn column : cycle::kScreeningColumns) {
        const QString name = QString::fromUtf8(cycle::ColumnName(column).data(),
                                               static_cast<qsizetype>(cycle::ColumnName(column).size()));
        cells[name] = Cell(row, name);
      }
    }
    return rows;
  }

  // No filter: every fluid screened shows, the lowest evaporating pressure
  // cleared too.
  void ShowEveryFluid() {
    SetText(page::Screening, "MinEvaporatingPressure", "");
    ProcessEvents();
  }

  // A click on a column's heading, as a user sorts.
  void ClickHeading(const QString& column) {
    QTableView& table = Table();
    const int section = Column(column);
    table.scrollTo(table.model()->index(0, section));
    QHeaderView& heading = *table.horizontalHeader();
    const QPoint at(heading.sectionViewportPosition(section) + heading.sectionSize(section) / 2,
                    heading.height() / 2);
    QTest::mouseClick(heading.viewport(), Qt::LeftButton, {}, at);
    ProcessEvents();
  }
  // A click on a row of the table, with Ctrl to add it or Shift for a range.
  void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
    QTableView& table = Table();
    const QModelIndex index = table.model()->index(row, 0);
    table.scrollTo(index);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, modifiers,
                      table.visualRect(index).center());
    ProcessEvents();
  }
  QStringList SelectedInTable() {
    QStringList names;
    for (const QModelIndex& index : Table().selectionModel()->selectedRows())
      names << Cell(index.row(), "refrigerant");
    names.sort();
    return names;
  }
  QStringList SelectedInChart() {
    QStringList names = Chart().SelectedNames();
    names.sort();
    return names;
  }

  // Where the chart draws a row's point, from the table's VHC and COP.
  QPointF PlaceOfRow(int row) {
    Chart().replot();
    return Chart().PlaceOf({Cell(row, "refrigerant"), Number(row, "VHC"), Number(row, "COP")});
  }
  void SendMouse(QEvent::Type type, QPointF at, Qt::MouseButtons held,
                 Qt::KeyboardModifiers modifiers = {}) {
    plots::ScreeningChart& chart = Chart();
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, chart.mapToGlobal(at), button, held, modifiers);
    QCoreApplication::sendEvent(&chart, &event);
    ProcessEvents();
  }
  void ClickChart(QPointF at, Qt::KeyboardModifiers modifiers = {}) {
    SendMouse(QEvent::MouseButtonPress, at, Qt::LeftButton, modifiers);
    SendMouse(QEvent::MouseButtonRelease, at, Qt::NoButton, modifiers);
  }
  // The texts the chart shows over its points (the hovered fluid's name).
  QStringList ChartTexts() {
    QStringList texts;
    for (int i = 0; i < Chart().itemCount(); ++i) {
      if (auto* text = qobject_cast<QCPItemText*>(Chart().item(i)); text && text->visible())
        texts << text->text();
    }
    return texts;
  }
  int ChartPoints() { return Chart().plottable(0)->interface1D()->dataCount(); }
};

}  // namespace forms_test
