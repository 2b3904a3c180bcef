// The transcritical cycle's pages in a test: its form opened from the menu
// as a user opens it, its fields, and the figures its results page shows.
#pragma once

#include <QApplication>
#include <QTest>

#include <map>
#include <string>

#include "cycle/transcritical.h"
#include "program_under_test.h"
#include "qcustomplot.h"

namespace forms_test {

using cycle::TranscriticalInput;
using cycle::TranscriticalResult;

inline const QString kForm = page::TranscriticalForm;
inline const QString kResults = page::TranscriticalResults;

// The form's fields and the input each one fills; each opens at its
// calculation's default (kTranscriticalDefaults).
struct FieldRow {
  const char* name;
  std::string TranscriticalInput::*member;

  QString default_text() const {
    return QString::fromUtf8(cycle::DefaultText(cycle::kTranscriticalDefaults, member));
  }
};
inline const FieldRow kFields[] = {
    {"Refrigerant", &TranscriticalInput::Refrigerant},
    {"HeatingCapacity", &TranscriticalInput::HeatingCapacity},
    {"Evaporating", &TranscriticalInput::Evaporating},
    {"Superheating", &TranscriticalInput::Superheating},
    {"GasCoolerOutlet", &TranscriticalInput::GasCoolerOutlet},
    {"HighPressure", &TranscriticalInput::HighPressure},
    {"Efficiency", &TranscriticalInput::Efficiency},
    {"WaterIn", &TranscriticalInput::WaterIn},
    {"WaterOut", &TranscriticalInput::WaterOut},
    {"MinApproach", &TranscriticalInput::MinApproach},
};

class TranscriticalTest : public ProgramTest {
 protected:
  void OpenForm() {
    Start();
    Click(page::FristPage, "CommandButton1");
    Click(page::SelectSim, "Transcritical");
    ASSERT_EQ(ShownPage(), kForm);
  }
  // The form's defaults but for the water's outlet temperature: 60 'C, which
  // the cycle at its best pressure reaches.
  static TranscriticalInput Reachable() {
    TranscriticalInput input;
    input.WaterOut = "60";
    return input;
  }
  void CalculateReachable() {
    OpenForm();
    SetText(kForm, "WaterOut", "60");
    Click(kForm, "Calculate");
    ASSERT_EQ(ShownPage(), kResults) << TakeMessages().join(" | ").toStdString();
  }
  std::map<QString, QString> Fields() {
    std::map<QString, QString> texts;
    for (const FieldRow& field : kFields) texts[field.name] = Text(kForm, field.name);
    return texts;
  }
  static TranscriticalResult ResultOf(const TranscriticalInput& input) {
    const cycle::TranscriticalOutcome outcome = cycle::CalcTranscriticalCycle(input);
    if (const auto* message = std::get_if<std::string>(&outcome)) {
      ADD_FAILURE() << "refused: " << *message;
      return {};
    }
    return std::get<TranscriticalResult>(outcome);
  }
  // The number a result box shows.
  double Shown(const QString& box) {
    bool number = false;
    const double value = Text(kResults, box).toDouble(&number);
    EXPECT_TRUE(number) << box.toStdString() << " shows " << Text(kResults, box).toStdString();
    return value;
  }
};

}  // namespace forms_test
