// The cycle layouts' pages in a test: the form opened from the menu as a user
// opens it, its fields and layout choice, and what the results and the
// comparison show in their tables.
#pragma once

#include <QRadioButton>
#include <QTableWidget>

#include <map>
#include <string>
#include <vector>

#include "cycle/layouts.h"
#include "program_under_test.h"
#include "qcustomplot.h"

namespace forms_test {

using cycle::Layout;
using cycle::LayoutInput;
using cycle::LayoutResult;

inline const QString kLayoutsForm = page::LayoutsForm;
inline const QString kLayoutResults = page::LayoutResults;
inline const QString kLayoutComparison = page::LayoutComparison;

// The form's fields and the input each one fills.
struct LayoutField {
  const char* name;
  std::string LayoutInput::*member;
};
inline const LayoutField kLayoutFields[] = {
    {"Refrigerant", &LayoutInput::Refrigerant},
    {"Capacity", &LayoutInput::Capacity},
    {"Evaporating", &LayoutInput::Evaporating},
    {"Condensing", &LayoutInput::Condensing},
    {"Subcooling", &LayoutInput::Subcooling},
    {"Superheating", &LayoutInput::Superheating},
    {"Safety", &LayoutInput::Safety},
    {"Efficiency", &LayoutInput::Efficiency},
    {"IhxEffectiveness", &LayoutInput::IhxEffectiveness},
    {"Intermediate", &LayoutInput::Intermediate},
    {"InjectionSuperheat", &LayoutInput::InjectionSuperheat},
    {"Approach", &LayoutInput::Approach},
    {"Source", &LayoutInput::Source},
    {"Sink", &LayoutInput::Sink},
};

// The radio button of each layout.
inline QString ChoiceOf(Layout layout) {
  switch (layout) {
    case Layout::basic:
      return QStringLiteral("LayoutBasic");
    case Layout::ihx:
      return QStringLiteral("LayoutIhx");
    case Layout::economizer:
      return QStringLiteral("LayoutEconomizer");
    case Layout::flash_tank:
      return QStringLiteral("LayoutFlashTank");
  }
  return {};
}

class LayoutsTest : public ProgramTest {
 protected:
  void OpenLayoutsForm() {
    Start();
    Click(page::FristPage, "CommandButton1");
    Click(page::SelectSim, "CycleLayouts");
    ASSERT_EQ(ShownPage(), kLayoutsForm);
  }
  void Choose(Layout layout) { On<QRadioButton>(kLayoutsForm, ChoiceOf(layout)).click(); }
  // Fills the form with the input, chooses the layout and calculates.
  void Calculate(Layout layout, const LayoutInput& input) {
    for (const LayoutField& field : kLayoutFields)
      SetText(kLayoutsForm, field.name, QString::fromStdString(input.*field.member));
    Choose(layout);
    Click(kLayoutsForm, "Calculate");
    ASSERT_EQ(ShownPage(), kLayoutResults) << TakeMessages().join(" | ").toStdString();
  }
  std::map<QString, QString> Fields() {
    std::map<QString, QString> texts;
    for (const LayoutField& field : kLayoutFields)
      texts[field.name] = Text(kLayoutsForm, field.name);
    return texts;
  }
  static LayoutResult ResultOf(Layout layout, const LayoutInput& input) {
    const cycle::LayoutOutcome outcome = cycle::CalcLayout(layout, input);
    if (const auto* refusal = outcome.refusal()) {
      ADD_FAILURE() << "refused: " << refusal->message;
      return {};
    }
    return *outcome.result();
  }

  QTableWidget& Table(const QString& page, const QString& name) {
    return On<QTableWidget>(page, name);
  }
  static QString Cell(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item != nullptr ? item->text() : QString();
  }
  // The number a cell shows.
  static double Number(const QTableWidget& table, int row, int column) {
    bool number = false;
    const double value = Cell(table, row, column).toDouble(&number);
    EXPECT_TRUE(number) << table.objectName().toStdString() << " row " << row << " column "
                        << column << " shows " << Cell(table, row, column).toStdString();
    return value;
  }
  // The figure in the results' row of that label.
  double FigureShown(const QString& label) {
    const QTableWidget& figures = Table(kLayoutResults, "Figures");
    for (int row = 0; row < figures.rowCount(); ++row)
      if (Cell(figures, row, 0) == label) return Number(figures, row, 1);
    ADD_FAILURE() << "no figure " << label.toStdString();
    return 0;
  }
};

}  // namespace forms_test
