// The keyboard on every page: Return and Escape, the Alt mnemonics, and the
// tab order.
#include <QApplication>
#include <QShortcut>
#include <QTest>

#include <algorithm>
#include <set>

#include "program_under_test.h"

namespace forms_test {
namespace {

const QString kEveryPage[] = {page::FristPage,   page::SelectSim,   page::UserForm1,
                              page::UserForm2,   page::UserForm13,  page::UserForm4,
                              page::UserForm5_G, page::UserForm8_G, page::UserForm6_G,
                              page::UserForm7_G, page::UserForm9_G, page::UserForm10_G,
                              page::UserForm3_G, page::TotalResults, page::Diagram,
                              page::Screening,   page::TranscriticalForm,
                              page::TranscriticalResults, page::Study};

class Keys : public ProgramTest {
 protected:
  // Leads to the page as a user goes there; the result pages are shown
  // straight from a comparison record of one refrigerant.
  void Reach(const QString& name) {
    if (name == page::FristPage) return Start();
    if (name == page::SelectSim) {
      Start();
      return Click(page::FristPage, "CommandButton1");
    }
    if (name == page::UserForm1) return OpenBasicForm();
    if (name == page::UserForm4) return OpenComparisonForm();
    if (name == page::UserForm2) return CalculateBasicDefaults();
    if (name == page::UserForm13 || name == page::Diagram) {
      CalculateBasicDefaults();
      return Click(page::UserForm2, name == page::Diagram ? "Diagram" : "CommandButton3");
    }
    if (name == page::Screening) {
      OpenComparisonForm();
      return Click(page::UserForm4, "ScreenAllFluids");
    }
    if (name == page::Study) {
      Start();
      Click(page::FristPage, "CommandButton1");
      Click(page::SelectSim, "Transcritical");
      return Click(page::TranscriticalForm, "ParameterStudy");
    }
    results_.RefCount = 1;
    results_.RefName[0] = "R134a";
    pages_.Show(name);
    ProcessEvents();
  }

  // A key as the user types it: to the control that has the focus.
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget& shown = pages_.Load(ShownPage());
    QWidget* focus = shown.focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &shown, Qt::Key(key), modifiers);
    ProcessEvents();
  }

  // The letter of the button's Alt shortcut; none when it has no shortcut.
  static QChar Mnemonic(const QPushButton& button) {
    const QList<QShortcut*> shortcuts = button.findChildren<QShortcut*>();
    if (shortcuts.size() != 1) return {};
    const QKeyCombination key = shortcuts[0]->key()[0];
    if (key.keyboardModifiers() != Qt::AltModifier) return {};
    return QChar(key.key());
  }

  // The controls the Tab key reaches, in order, from the given one (Tab goes
  // round: after the last control comes the first).
  static QStringList TabOrder(QWidget& page, const QString& first = {}) {
    QStringList order;
    for (QWidget* w = page.nextInFocusChain(); w != &page; w = w->nextInFocusChain()) {
      if (w->isVisible() && (w->focusPolicy() & Qt::TabFocus) && w->window() == &page)
        order << w->objectName();
    }
    const qsizetype start = std::max<qsizetype>(order.indexOf(first), 0);
    return order.mid(start) + order.first(start);
  }
};

struct KeyCase {
  QString page;
  int key;
  QString shows;
  QString message;  // empty: none
};

// Return presses the main button, Escape Back.
const KeyCase kKeyCases[] = {
    {page::FristPage, Qt::Key_Return, page::SelectSim, ""},
    {page::FristPage, Qt::Key_Escape, page::FristPage, ""},
    {page::SelectSim, Qt::Key_Return, page::UserForm4, ""},  // the focused first button
    {page::SelectSim, Qt::Key_Escape, page::FristPage, ""},
    {page::UserForm1, Qt::Key_Return, page::UserForm2, ""},
    {page::UserForm1, Qt::Key_Enter, page::UserForm2, ""},
    {page::UserForm1, Qt::Key_Escape, page::SelectSim, ""},
    {page::UserForm2, Qt::Key_Return, page::UserForm1, ""},
    {page::UserForm2, Qt::Key_Escape, page::UserForm1, ""},
    {page::UserForm13, Qt::Key_Return, page::UserForm2, ""},
    {page::UserForm13, Qt::Key_Escape, page::UserForm2, ""},
    {page::UserForm4, Qt::Key_Return, page::UserForm4, "Please select Refrigerant"},
    {page::UserForm4, Qt::Key_Escape, page::SelectSim, ""},
    {page::UserForm5_G, Qt::Key_Return, page::UserForm8_G, ""},
    {page::UserForm5_G, Qt::Key_Escape, page::UserForm4, ""},
    {page::UserForm8_G, Qt::Key_Return, page::UserForm6_G, ""},
    {page::UserForm8_G, Qt::Key_Escape, page::UserForm5_G, ""},
    {page::UserForm6_G, Qt::Key_Return, page::UserForm7_G, ""},
    {page::UserForm6_G, Qt::Key_Escape, page::UserForm8_G, ""},
    {page::UserForm7_G, Qt::Key_Return, page::UserForm9_G, ""},
    {page::UserForm7_G, Qt::Key_Escape, page::UserForm6_G, ""},
    {page::UserForm9_G, Qt::Key_Return, page::UserForm10_G, ""},
    {page::UserForm9_G, Qt::Key_Escape, page::UserForm7_G, ""},
    {page::UserForm10_G, Qt::Key_Return, page::UserForm3_G, ""},
    {page::UserForm10_G, Qt::Key_Escape, page::UserForm9_G, ""},
    {page::UserForm3_G, Qt::Key_Return, page::TotalResults, ""},
    {page::UserForm3_G, Qt::Key_Escape, page::UserForm10_G, ""},
    {page::TotalResults, Qt::Key_Return, page::UserForm4, ""},
    {page::TotalResults, Qt::Key_Escape, page::UserForm3_G, ""},
    {page::Diagram, Qt::Key_Return, page::UserForm2, ""},
    {page::Diagram, Qt::Key_Escape, page::UserForm2, ""},
    {page::Screening, Qt::Key_Escape, page::UserForm4, ""},
    {page::Study, Qt::Key_Escape, page::TranscriticalForm, ""},
};

TEST_F(Keys, ReturnPressesThePagesMainButtonAndEscapeBack) {
  for (const KeyCase& c : kKeyCases) {
    SCOPED_TRACE((c.page + (c.key == Qt::Key_Escape ? " Escape" : " Return")).toStdString());
    pages_.UnloadAll();
    ProcessEvents();
    Reach(c.page);
    ASSERT_EQ(ShownPage(), c.page);
    Press(c.key);
    EXPECT_EQ(ShownPage(), c.shows);
    EXPECT_EQ(TakeMessages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
  }
}

// Where Back is the only way on, Return presses it too; elsewhere it presses
// the main button whichever control has the focus, a button included.
TEST_F(Keys, ReturnCalculatesFromEveryControlOfTheBasicForm) {
  OpenBasicForm();
  QWidget& form = pages_.Load(page::UserForm1);
  for (const QString& control : TabOrder(form)) {
    SCOPED_TRACE(control.toStdString());
    form.findChild<QWidget*>(control)->setFocus();
    Press(Qt::Key_Return);
    ASSERT_EQ(ShownPage(), page::UserForm2);
    Click(page::UserForm2, "CommandButton1");  // Back
    ASSERT_EQ(ShownPage(), page::UserForm1);
  }
}

TEST_F(Keys, ReturnInATextBoxCalculatesWithWhatWasTyped) {
  OpenBasicForm();
  QLineEdit& subcooling = On<QLineEdit>(page::UserForm1, "Subcooling");
  subcooling.setFocus();
  subcooling.selectAll();
  QTest::keyClicks(&subcooling, "none");
  Press(Qt::Key_Return);
  // The typed text reached the calculation: the form stays with its message.
  EXPECT_EQ(ShownPage(), page::UserForm1);
  EXPECT_EQ(TakeMessages(), QStringList{"Please Input Subcooling"});
  EXPECT_EQ(subcooling.text(), "none");
}

TEST_F(Keys, OnTheScreeningPageReturnBelongsToTheFilters) {
  Reach(page::Screening);
  Press(Qt::Key_Return);
  EXPECT_EQ(ShownPage(), page::Screening);
  Press(Qt::Key_Escape);
  EXPECT_EQ(ShownPage(), page::UserForm4);
}

TEST_F(Keys, EveryButtonHasAnAltMnemonicFromItsCaptionUniqueOnItsPage) {
  results_.RefCount = 1;
  results_.RefName[0] = "R134a";
  for (const QString& name : kEveryPage) {
    SCOPED_TRACE(name.toStdString());
    std::set<QChar> used;
    const QList<QPushButton*> buttons = pages_.Load(name).findChildren<QPushButton*>();
    ASSERT_FALSE(buttons.isEmpty());
    for (const QPushButton* button : buttons) {
      SCOPED_TRACE(button->objectName().toStdString());
      const QChar letter = Mnemonic(*button);
      ASSERT_FALSE(letter.isNull()) << "no Alt shortcut";
      EXPECT_TRUE(button->text().contains(letter, Qt::CaseInsensitive)) << QString(letter).toStdString();
      EXPECT_TRUE(used.insert(letter).second) << "used twice: " << QString(letter).toStdString();
      EXPECT_FALSE(button->text().contains('&')) << "the caption is the design's";
    }
  }
}

// The main and back buttons choose first: the initial of their caption.
TEST_F(Keys, MainAndBackButtonsHaveTheirInitials) {
  const struct {
    QString page, button;
    QChar letter;
  } cases[] = {
      {page::FristPage, "CommandButton1", 'S'},   {page::UserForm1, "CommandButton2", 'C'},
      {page::UserForm1, "CommandButton3", 'B'},   {page::UserForm1, "CommandButton1", 'D'},
      {page::UserForm4, "Calculate", 'C'},        {page::UserForm4, "CommandButton1", 'B'},
      // The row of the form's inputs, made last, takes no page button's letter.
      {page::UserForm4, "ScreenAllFluids", 'S'},  {page::UserForm4, "SaveInputs", 'I'},
      {page::UserForm5_G, "CommandButton2", 'N'}, {page::UserForm5_G, "CommandButton3", 'B'},
      {page::SelectSim, "CommandButton4", 'B'},   {page::Diagram, "Back", 'B'},
  };
  results_.RefCount = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE((c.page + "." + c.button).toStdString());
    EXPECT_EQ(Mnemonic(On<QPushButton>(c.page, c.button)), c.letter);
  }
}

TEST_F(Keys, AnAltMnemonicPressesItsButton) {
  OpenBasicForm();
  const QChar clear = Mnemonic(On<QPushButton>(page::UserForm1, "CommandButton1"));
  Press(clear.unicode(), Qt::AltModifier);
  EXPECT_EQ(Text(page::UserForm1, "Massflowrate"), "0");
  EXPECT_EQ(Text(page::UserForm1, "Refrigerant"), "");
  const QChar back = Mnemonic(On<QPushButton>(page::UserForm1, "CommandButton3"));
  Press(back.unicode(), Qt::AltModifier);
  EXPECT_EQ(ShownPage(), page::SelectSim);
}

// Top to bottom, and left to right within a row.
TEST_F(Keys, TheTabOrderFollowsTheReadingOrder) {
  const struct {
    QString page;
    QStringList order;
  } cases[] = {
      {page::FristPage, {"CommandButton1", "CommandButton2", "CommandButton3"}},
      {page::UserForm2,
       {"Evap", "COP", "VHC", "Conden", "H2actual", "CommandButton1", "Compress", "Diagram", "EV",
        "Copy", "SaveReport", "CommandButton3", "P1", "T1", "H1", "P2", "T2", "H2", "P3", "T3",
        "H3", "P4", "T4", "H4"}},
      {page::UserForm4,
       {"ScreenAllFluids", "HeatCapEvap", "TempEvap", "Subcooling", "TemperatureCondensing",
        "Safetyfactor", "Superheating", "NumberRefrigerant", "Isotropicefficiency", "Refrigerant1",
        "Refrigerant2", "Refrigerant3", "CommandButton1", "Cleardata", "Calculate", "SaveInputs",
        "OpenInputs", "RecallLastInputs"}},
      {page::TotalResults,
       {"CommandButton3", "CommandButton2", "TextBox2", "Diagrams", "Copy", "SaveReport"}},
      // Built with layouts: the order the controls were made in.
      {page::Diagram, {"PressureEnthalpy", "Back", "ResetZoom", "CopyPicture", "Export"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page.toStdString());
    pages_.UnloadAll();
    ProcessEvents();
    Reach(c.page);
    if (c.page == page::UserForm4)
      On<QComboBox>(page::UserForm4, "NumberRefrigerant").setCurrentText("3");
    EXPECT_EQ(TabOrder(pages_.Load(c.page), c.order.value(0)), c.order);
  }
}

// The forms open ready for typing into their first box.
TEST_F(Keys, TheFormsOpenWithTheFocusInTheirFirstBox) {
  OpenBasicForm();
  EXPECT_EQ(pages_.Load(page::UserForm1).focusWidget(), &On<QLineEdit>(page::UserForm1, "Massflowrate"));
  pages_.UnloadAll();
  OpenComparisonForm();
  EXPECT_EQ(pages_.Load(page::UserForm4).focusWidget(), &On<QLineEdit>(page::UserForm4, "HeatCapEvap"));
}

}  // namespace
}  // namespace forms_test
