// The transcritical cycle's form: the menu's button, the defaults, the
// calculation's refusals, Clear Data and Back.
#include <set>

#include "transcritical_fixture.h"

namespace forms_test {
namespace {

using TranscriticalForm = TranscriticalTest;

TEST_F(TranscriticalForm, TheMenuButtonLiesInTheFreeSpaceBelowTheOthers) {
  Start();
  Click(page::FristPage, "CommandButton1");
  QWidget& menu = pages_.Load(page::SelectSim);
  auto& button = On<QPushButton>(page::SelectSim, "Transcritical");
  EXPECT_EQ(button.text(), "Transcritical Cycle");
  EXPECT_TRUE(menu.rect().contains(button.geometry())) << "inside the page";
  const QRect back = On<QPushButton>(page::SelectSim, "CommandButton4").geometry();
  EXPECT_EQ(button.height(), back.height()) << "the menu's button height";
  EXPECT_EQ(button.x(), back.x()) << "in the menu's column";
  EXPECT_GE(button.width(), button.sizeHint().width()) << "its caption whole";
  EXPECT_GT(button.geometry().top(), back.bottom()) << "below the menu's own buttons";
  for (QWidget* other : menu.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (other == &button) continue;
    EXPECT_FALSE(other->geometry().intersects(button.geometry()))
        << "overlaps " << other->objectName().toStdString();
  }
  Click(page::SelectSim, "Transcritical");
  EXPECT_EQ(LoadedPages(), QStringList{kForm});
  EXPECT_EQ(ShownPage(), kForm);
}

TEST_F(TranscriticalForm, TheFormOpensWithTheDefaultsAndUnitsInItsCaptions) {
  OpenForm();
  for (const FieldRow& field : kFields)
    EXPECT_EQ(Text(kForm, field.name), field.default_text()) << field.name;
  EXPECT_EQ(On<QLabel>(kForm, "HeatingCapacityCaption").text(), "Heating capacity (kW)");
  EXPECT_EQ(On<QLabel>(kForm, "SuperheatingCaption").text(), "Superheating (K)");
  EXPECT_EQ(On<QLabel>(kForm, "EfficiencyCaption").text(), "Isentropic efficiency (%)");
  QWidget& form = pages_.Load(kForm);
  EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "a fixed page, as the basic form";
  // Every control within the page, none over another.
  const QList<QWidget*> controls = form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (qsizetype i = 0; i < controls.size(); ++i) {
    EXPECT_TRUE(form.rect().contains(controls[i]->geometry()))
        << controls[i]->objectName().toStdString();
    for (qsizetype j = 0; j < i; ++j) {
      EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
          << controls[i]->objectName().toStdString() << " over "
          << controls[j]->objectName().toStdString();
    }
  }
}

// Each row changes one field to a text the calculation refuses; the form
// must show the calculation's own message for that input, so a field wired
// to the wrong input shows another one.
struct Refusal {
  const char* field;
  const char* text;
};
const Refusal kRefusals[] = {
    {"Refrigerant", "NoSuchFluid"},  {"HeatingCapacity", "kW"},  {"Evaporating", "45"},
    {"Superheating", "warm"},        {"GasCoolerOutlet", "300"}, {"HighPressure", "50"},
    {"Efficiency", "0"},             {"WaterIn", "cold"},       {"WaterOut", "200"},
};

TEST_F(TranscriticalForm, ARefusalShowsTheCalculationsMessageAndKeepsTheTexts) {
  OpenForm();
  for (const Refusal& row : kRefusals) {
    SCOPED_TRACE(std::string(row.field) + " = " + row.text);
    TranscriticalInput input;
    for (const FieldRow& field : kFields) {
      const bool changed = QLatin1String(field.name) == QLatin1String(row.field);
      SetText(kForm, field.name, changed ? QString(row.text) : field.default_text());
      if (changed) input.*field.member = row.text;
    }
    const auto outcome = cycle::CalcTranscriticalCycle(input);
    ASSERT_TRUE(std::holds_alternative<std::string>(outcome)) << "not refused";
    const auto before = Fields();
    Click(kForm, "Calculate");
    EXPECT_EQ(TakeMessages(), QStringList{QString::fromStdString(std::get<std::string>(outcome))});
    EXPECT_EQ(Fields(), before);
    EXPECT_EQ(ShownPage(), kForm);
    EXPECT_EQ(pages_.State(kResults), forms::PageState::NotLoaded);
  }
}

TEST_F(TranscriticalForm, ClearDataEmptiesEveryField) {
  OpenForm();
  Click(kForm, "ClearData");
  for (const FieldRow& field : kFields) EXPECT_EQ(Text(kForm, field.name), "") << field.name;
  EXPECT_EQ(ShownPage(), kForm);
  Click(kForm, "Calculate");
  const QStringList messages = TakeMessages();
  ASSERT_EQ(messages.size(), 1) << "an empty form is refused";
  EXPECT_EQ(ShownPage(), kForm);
}

TEST_F(TranscriticalForm, BackLeadsToTheMenuAndTheFormReopensWithItsDefaults) {
  OpenForm();
  SetText(kForm, "Evaporating", "0");
  Click(kForm, "Back");
  EXPECT_EQ(LoadedPages(), QStringList{page::SelectSim});
  Click(page::SelectSim, "Transcritical");
  EXPECT_EQ(Text(kForm, "Evaporating"), "10");
}

TEST_F(TranscriticalForm, ReturnCalculatesAndEscapeGoesBackToTheMenu) {
  OpenForm();
  SetText(kForm, "Efficiency", "0");
  TranscriticalInput input;
  input.Efficiency = "0";
  const auto outcome = cycle::CalcTranscriticalCycle(input);
  ASSERT_TRUE(std::holds_alternative<std::string>(outcome));
  Press(kForm, Qt::Key_Return);
  EXPECT_EQ(TakeMessages(), QStringList{QString::fromStdString(std::get<std::string>(outcome))});
  Press(kForm, Qt::Key_Escape);
  EXPECT_EQ(ShownPage(), page::SelectSim);
}

}  // namespace
}  // namespace forms_test
