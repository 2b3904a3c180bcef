// The way into the screening page and out of it: Screen All Fluids on the
// comparison form with Calculate's checks, Back, Compare Selected into the
// comparison, Cancel, and leaving or closing while a screening runs.
#include <QComboBox>
#include <QLineEdit>

#include "cycle/comparison.h"
#include "cycle/number_text.h"
#include "cycle/screening.h"
#include "screening_fixture.h"

namespace forms_test {
namespace {

class ScreeningFlow : public ScreeningTest {
 protected:
  QComboBox& Number() { return On<QComboBox>(page::UserForm4, "NumberRefrigerant"); }
  QLineEdit& NameBox(int k) {
    return On<QLineEdit>(page::UserForm4, QStringLiteral("Refrigerant%1").arg(k));
  }
  // A comparison form that is not at its defaults.
  void FillTheForm() {
    SetText(page::UserForm4, "TempEvap", "45");
    SetText(page::UserForm4, "Subcooling", "5");
    Number().setCurrentText("5");
    for (int k = 1; k <= 5; ++k) NameBox(k).setText(QStringLiteral("name %1").arg(k));
  }
  std::vector<QString> FormTexts() {
    std::vector<QString> texts{Number().currentText()};
    for (const char* box : {"HeatCapEvap", "TempEvap", "Subcooling", "Superheating",
                            "TemperatureCondensing", "Safetyfactor", "Isotropicefficiency"})
      texts.push_back(Text(page::UserForm4, box));
    for (int k = 1; k <= 8; ++k)
      texts.push_back(NameBox(k).isVisible() ? NameBox(k).text() : "hidden");
    return texts;
  }
};

TEST_F(ScreeningFlow, TheButtonSitsInFreeSpaceAtTheButtonSizeAboveCalculate) {
  OpenComparisonForm();
  Number().setCurrentText("8");  // every name box on screen
  QWidget& form = pages_.Load(page::UserForm4);
  const QRect button = On<QPushButton>(page::UserForm4, "ScreenAllFluids").geometry();
  const QRect calculate = On<QPushButton>(page::UserForm4, "Calculate").geometry();
  EXPECT_EQ(On<QPushButton>(page::UserForm4, "ScreenAllFluids").text(), "Screen All Fluids");
  EXPECT_EQ(button.size(), calculate.size());
  EXPECT_EQ(button.left(), calculate.left());
  EXPECT_LT(button.bottom(), calculate.top());
  EXPECT_TRUE(form.rect().contains(button));
  for (QWidget* control : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (control->objectName() == "ScreenAllFluids") continue;
    EXPECT_FALSE(control->geometry().intersects(button)) << control->objectName().toStdString();
  }
}

TEST_F(ScreeningFlow, TheButtonChecksTheConditionsWithCalculatesMessages) {
  OpenComparisonForm();
  const struct {
    const char* field;
    const char* text;
  } cases[] = {{"HeatCapEvap", "0"},
               {"TempEvap", "abc"},
               {"TempEvap", "80.1"},
               {"Subcooling", "10.5"},
               {"Superheating", ""},
               {"Superheating", "16"},
               {"TemperatureCondensing", "45"},  // below evaporating
               {"Safetyfactor", "101"},
               {"Isotropicefficiency", "0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " = \"" + c.text + "\"");
    const QString before = Text(page::UserForm4, c.field);
    SetText(page::UserForm4, c.field, c.text);
    Click(page::UserForm4, "Calculate");
    const QStringList calculate = TakeMessages();
    ASSERT_EQ(calculate.size(), 1);
    EXPECT_NE(calculate[0], "Please select Refrigerant");
    Click(page::UserForm4, "ScreenAllFluids");
    EXPECT_EQ(TakeMessages(), calculate);
    EXPECT_EQ(ShownPage(), page::UserForm4);
    EXPECT_EQ(Text(page::UserForm4, c.field), c.text);
    SetText(page::UserForm4, c.field, before);
  }
  // The number of refrigerants and their names are not the screening's
  // business.
  Click(page::UserForm4, "Calculate");
  EXPECT_EQ(TakeMessages(), QStringList{"Please select Refrigerant"});
  Click(page::UserForm4, "ScreenAllFluids");
  EXPECT_TRUE(TakeMessages().isEmpty());
  EXPECT_EQ(ShownPage(), page::Screening);
  WaitForScreening();
}

TEST_F(ScreeningFlow, BackShowsTheComparisonFormAsItWas) {
  OpenComparisonForm();
  FillTheForm();
  const auto texts = FormTexts();
  Click(page::UserForm4, "ScreenAllFluids");
  EXPECT_EQ(pages_.State(page::UserForm4), forms::PageState::Hidden);
  EXPECT_TRUE(On<QLabel>(page::Screening, "Conditions").text().contains("evaporating 45 'C"))
      << "its conditions";
  WaitForScreening();
  Click(page::Screening, "Back");
  EXPECT_EQ(ShownPage(), page::UserForm4);
  EXPECT_EQ(FormTexts(), texts);
  EXPECT_EQ(pages_.State(page::Screening), forms::PageState::NotLoaded);
}

TEST_F(ScreeningFlow, CompareSelectedFillsTheFormAndCalculateCompletes) {
  OpenComparisonForm();
  FillTheForm();
  Click(page::UserForm4, "ScreenAllFluids");
  WaitForScreening();
  ClickRow(RowOf("R134a"));
  ClickRow(RowOf("n-Propane"), Qt::ControlModifier);
  ClickRow(RowOf("R406A"), Qt::ControlModifier);
  QStringList chosen;  // in the table's order
  std::map<QString, QString> cop;
  for (int row = 0; row < RowCount(); ++row) {
    const QString name = Cell(row, "refrigerant");
    if (name == "R134a" || name == "n-Propane" || name == "R406A") {
      chosen << name;
      cop[name] = Cell(row, "COP");
    }
  }
  Click(page::Screening, "CompareSelected");
  EXPECT_TRUE(TakeMessages().isEmpty());
  EXPECT_EQ(ShownPage(), page::UserForm4);
  EXPECT_EQ(pages_.State(page::Screening), forms::PageState::NotLoaded);
  EXPECT_EQ(Number().currentText(), "3");
  for (int k = 1; k <= 3; ++k) {
    EXPECT_TRUE(NameBox(k).isVisible());
    EXPECT_EQ(NameBox(k).text(), chosen[k - 1]);
  }
  EXPECT_FALSE(NameBox(4).isVisible());
  EXPECT_EQ(NameBox(4).text(), "") << "choosing the number emptied the boxes";
  EXPECT_EQ(Text(page::UserForm4, "TempEvap"), "45") << "the conditions as they were";

  Click(page::UserForm4, "Calculate");
  EXPECT_TRUE(TakeMessages().isEmpty());
  EXPECT_EQ(ShownPage(), page::UserForm5_G);
  ASSERT_EQ(results_.RefCount, 3);
  for (int k = 0; k < 3; ++k) {
    const QString name = QString::fromStdString(results_.RefName[k]);
    EXPECT_EQ(name, chosen[k]);
    EXPECT_EQ(QString::fromStdString(cycle::FormatFixed(results_.COP[k], 2)), cop[name])
        << "the screening's COP is the comparison's";
  }
}

TEST_F(ScreeningFlow, CompareSelectedTakesOneToEightFluidsThatRunTheCycle) {
  OpenScreening();
  ShowEveryFluid();
  Click(page::Screening, "CompareSelected");
  EXPECT_EQ(TakeMessages(), QStringList{"Please select the fluids to compare, up to eight, in the "
                                        "table or the chart."});
  ClickRow(0);
  ClickRow(8, Qt::ShiftModifier);
  ASSERT_EQ(SelectedInTable().size(), 9);
  Click(page::Screening, "CompareSelected");
  EXPECT_EQ(TakeMessages(),
            QStringList{"Please select at most eight fluids to compare; 9 are selected."});
  ClickRow(RowOf("R134a"));
  ClickRow(RowOf("R410A"), Qt::ControlModifier);  // critical point below 90 'C
  Click(page::Screening, "CompareSelected");
  EXPECT_EQ(TakeMessages(), QStringList{"R410A cannot run the cycle under these conditions; "
                                        "please select fluids that can."});
  EXPECT_EQ(ShownPage(), page::Screening);
  EXPECT_EQ(pages_.State(page::UserForm4), forms::PageState::Hidden);

  // Eight is the most, and enough.
  ClickRow(0);
  ClickRow(7, Qt::ShiftModifier);
  Click(page::Screening, "CompareSelected");
  EXPECT_TRUE(TakeMessages().isEmpty());
  EXPECT_EQ(Number().currentText(), "8");
  EXPECT_FALSE(NameBox(8).text().isEmpty());
}

TEST_F(ScreeningFlow, CancelLeavesThePageUsableAndTheLibrarySound) {
  OpenComparisonForm();
  const std::size_t all = cycle::FindScreeningCandidates().fluids.size();
  // Cancelled at once, before the window's thread has taken a row.
  QTest::mouseClick(&On<QPushButton>(page::UserForm4, "ScreenAllFluids"), Qt::LeftButton);
  QTest::mouseClick(&On<QPushButton>(page::Screening, "Cancel"), Qt::LeftButton);
  WaitForScreening();
  ShowEveryFluid();
  const int done = RowCount();
  EXPECT_LT(static_cast<std::size_t>(done), all) << "stopped between two fluids";
  EXPECT_TRUE(Status().contains(QStringLiteral("%1 fluids screened").arg(done)))
      << Status().toStdString();
  EXPECT_TRUE(Status().contains("not screened yet")) << Status().toStdString();
  EXPECT_FALSE(On<QPushButton>(page::Screening, "Cancel").isEnabled());
  EXPECT_TRUE(On<QPushButton>(page::Screening, "ScreenRemaining").isEnabled());
  // A changed filter does not start it again behind the user's back.
  On<QComboBox>(page::Screening, "Kind").setCurrentText("Pure fluids");
  On<QComboBox>(page::Screening, "Kind").setCurrentText("All");
  EXPECT_TRUE(On<QProgressBar>(page::Screening, "Progress").isHidden());

  Click(page::Screening, "ScreenRemaining");
  WaitForScreening();
  EXPECT_EQ(static_cast<std::size_t>(RowCount()), all) << "the rest, each fluid once";
  EXPECT_FALSE(On<QPushButton>(page::Screening, "ScreenRemaining").isEnabled());

  // The comparison afterwards loads its own fluids and gets their figures.
  Click(page::Screening, "Back");
  Number().setCurrentText("2");
  NameBox(1).setText("R134a");
  NameBox(2).setText("R407C");
  SetText(page::UserForm4, "TemperatureCondensing", "70");
  const cycle::ComparisonConditions conditions{10, 50, 3.5, 4, 70, 100, 80};
  Click(page::UserForm4, "Calculate");
  EXPECT_TRUE(TakeMessages().isEmpty());
  ASSERT_EQ(ShownPage(), page::UserForm5_G);
  for (int k = 0; k < 2; ++k) {
    const auto figures = cycle::Cal(results_.RefName[k], conditions);
    ASSERT_TRUE(std::holds_alternative<cycle::CycleFigures>(figures));
    EXPECT_EQ(results_.COP[k], std::get<cycle::CycleFigures>(figures).COP) << results_.RefName[k];
  }
}

TEST_F(ScreeningFlow, LeavingWhileTheScreeningRunsStopsItFirst) {
  OpenComparisonForm();
  QTest::mouseClick(&On<QPushButton>(page::UserForm4, "ScreenAllFluids"), Qt::LeftButton);
  ASSERT_FALSE(On<QProgressBar>(page::Screening, "Progress").isHidden());
  Click(page::Screening, "Back");
  EXPECT_EQ(ShownPage(), page::UserForm4);
  EXPECT_EQ(pages_.State(page::Screening), forms::PageState::NotLoaded);
  // The comparison runs at once, the screening's thread gone.
  Number().setCurrentText("1");
  NameBox(1).setText("R290");
  Click(page::UserForm4, "Calculate");
  EXPECT_TRUE(TakeMessages().isEmpty());
  EXPECT_EQ(ShownPage(), page::UserForm5_G);
}

TEST_F(ScreeningFlow, ClosingTheWindowWhileTheScreeningRunsEndsTheProgram) {
  OpenComparisonForm();
  QTest::mouseClick(&On<QPushButton>(page::UserForm4, "ScreenAllFluids"), Qt::LeftButton);
  QWidget& screening = pages_.Load(page::Screening);
  ASSERT_FALSE(On<QProgressBar>(page::Screening, "Progress").isHidden());
  screening.close();
  ProcessEvents();
  EXPECT_TRUE(program_ended_);
  EXPECT_TRUE(LoadedPages().isEmpty());
}

}  // namespace
}  // namespace forms_test
