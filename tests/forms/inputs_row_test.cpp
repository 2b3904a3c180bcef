// Each form's row of inputs: Save Inputs... and Open Inputs... bring back
// every text as typed, a file that cannot be used is refused with the reason
// and changes nothing, and Recall Last Inputs brings back the texts of the
// form's last Calculate, also after the form was unloaded.
#include <QRadioButton>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "program_under_test.h"

namespace forms_test {
namespace {

namespace fs = std::filesystem;

// What a user sees of a form: each box's text, each list's choice, each
// choice button's state, by control.
using FormState = std::map<QString, QString>;

// One form with inputs a calculation takes that differ from its defaults in
// every kind of control it has.
struct FormCase {
  const char* what;
  QString page;
  QString menu_button;  // on the menu
  QString calculate;
  QString odd_box;  // a box that takes any text
  std::function<void(class InputsRowTest&)> fill;
};

class InputsRowTest : public ProgramTest {
 protected:
  InputsRowTest() { fs::create_directories(dir_); }
  ~InputsRowTest() override { fs::remove_all(dir_); }

  void Reach(const FormCase& form) {
    pages_.UnloadAll();
    ProcessEvents();
    Start();
    Click(page::FristPage, "CommandButton1");
    Click(page::SelectSim, form.menu_button);
    ASSERT_EQ(ShownPage(), form.page);
  }

  FormState State(const QString& page) {
    FormState state;
    QWidget& form = pages_.Load(page);
    for (const auto* box : form.findChildren<QLineEdit*>()) state[box->objectName()] = box->text();
    for (const auto* list : form.findChildren<QComboBox*>())
      state[list->objectName()] = list->currentText();
    for (const auto* choice : form.findChildren<QRadioButton*>())
      state[choice->objectName()] = choice->isChecked() ? "chosen" : "";
    return state;
  }

  // Every visible box, list and choice changed.
  void Scramble(const QString& page) {
    QWidget& form = pages_.Load(page);
    for (auto* list : form.findChildren<QComboBox*>()) list->setCurrentIndex(3);
    for (auto* box : form.findChildren<QLineEdit*>())
      if (box->isVisible()) box->setText("7");
    for (auto* choice : form.findChildren<QRadioButton*>())
      if (!choice->isChecked()) {
        choice->click();
        break;
      }
  }

  bool RecallEnabled(const QString& page) {
    return On<QPushButton>(page, "RecallLastInputs").isEnabled();
  }

  fs::path File(const std::string& name) const { return dir_ / name; }
  void Write(const fs::path& file, const std::string& text) const {
    std::ofstream(file, std::ios::binary) << text;
  }

  std::vector<FormCase> Forms() {
    return {
        {"basic", page::UserForm1, "CommandButton2", "CommandButton2", "Subcooling",
         [](InputsRowTest& t) {
           t.SetText(page::UserForm1, "Refrigerant", "R134a");
           t.SetText(page::UserForm1, "TemperatureCondensing", "85");
           t.SetText(page::UserForm1, "Massflowrate", "0.5");
         }},
        {"comparison", page::UserForm4, "CommandButton1", "Calculate", "HeatCapEvap",
         [](InputsRowTest& t) {
           t.On<QComboBox>(page::UserForm4, "NumberRefrigerant").setCurrentText("2");
           t.SetText(page::UserForm4, "Refrigerant1", "R134a");
           t.SetText(page::UserForm4, "Refrigerant2", "R290");
           t.SetText(page::UserForm4, "TemperatureCondensing", "85");
         }},
        {"transcritical", page::TranscriticalForm, "Transcritical", "Calculate", "Evaporating",
         [](InputsRowTest& t) {
           t.SetText(page::TranscriticalForm, "WaterOut", "60");
           t.SetText(page::TranscriticalForm, "Efficiency", "75");
         }},
        {"layouts", page::LayoutsForm, "CycleLayouts", "Calculate", "Subcooling",
         [](InputsRowTest& t) {
           t.On<QRadioButton>(page::LayoutsForm, "LayoutIhx").click();
           t.SetText(page::LayoutsForm, "Refrigerant", "R290");
           t.SetText(page::LayoutsForm, "Condensing", "85");
         }},
    };
  }

  const fs::path dir_ =
      fs::temp_directory_path() / ("inputs_row_test_" + std::to_string(::getpid()));
};

TEST_F(InputsRowTest, EveryFormOpensWhatItSavedTextForText) {
  for (const FormCase& form : Forms()) {
    SCOPED_TRACE(form.what);
    Reach(form);
    form.fill(*this);
    // Kept as typed, even where no calculation would take it.
    SetText(form.page, form.odd_box, QString::fromUtf8(" 3,5 °C \"\\ "));
    const FormState typed = State(form.page);
    const fs::path file = File(std::string(form.what) + ".hpc");
    save_file_answer_ = QString::fromStdString(file.string());
    Click(form.page, "SaveInputs");
    ASSERT_TRUE(fs::is_regular_file(file));

    Scramble(form.page);
    ASSERT_NE(State(form.page), typed);
    open_file_answer_ = save_file_answer_;
    Click(form.page, "OpenInputs");
    EXPECT_EQ(State(form.page), typed);
    EXPECT_EQ(TakeMessages(), QStringList());
  }
  EXPECT_EQ(open_dialogs_.size(), 4);
  EXPECT_EQ(open_dialogs_.value(0), "Open Inputs: Inputs (*.hpc);;All files (*)");
}

TEST_F(InputsRowTest, AFileTheFormCannotUseIsRefusedAndChangesNothing) {
  const std::vector<FormCase> forms = Forms();
  const FormCase &basic = forms[0], &comparison = forms[1], &transcritical = forms[2],
                 &layouts = forms[3];
  const std::string head = R"({"format": "heatpump-inputs", "version": 1, )";
  const std::string comparison_fields =
      R"("fields": {"capacity": "10", "evaporating": "50", "subcooling": "3.5",
          "superheating": "4", "condensing": "90", "safety": "100", "efficiency": "80"})";
  enum class Kind { text, folder, pipe };
  const struct {
    const FormCase& form;
    Kind kind;
    std::string text;
    std::string reason;
  } cases[] = {
      {basic, Kind::text, head + R"("form": "layouts", "layout": "ihx", "fields": {}})",
       "it holds the inputs of the cycle layouts, not of the basic calculation"},
      {comparison, Kind::text,
       R"({"format": "heatpump-inputs", "version": 2, "form": "comparison"})",
       "a newer version of the program wrote it (inputs version 2; this one reads version 1)"},
      {transcritical, Kind::text, "refrigerant,R744\ncapacity,10\n",
       "it is not an inputs file of this program"},
      {basic, Kind::text, "", "it is not an inputs file of this program"},
      {layouts, Kind::text, "{" + std::string(70000, ' ') + "}",
       "larger than 64 KiB (70002 bytes)"},
      {basic, Kind::folder, "", "a folder, not a regular file"},
      {comparison, Kind::pipe, "", "a named pipe, not a regular file"},
      {layouts, Kind::text, head + R"("form": "layouts", "layout": "ihx", "fields": {}})",
       "the field \"refrigerant\" is missing"},
      {transcritical, Kind::text, head + R"("form": "transcritical", "fields": {"capacity": 10}})",
       "the field \"capacity\" is not a text in quotes"},
      {comparison, Kind::text,
       head + R"("form": "comparison", )" + comparison_fields +
           R"(, "refrigerants": ["R1", "R2", "R3", "R4", "R5", "R6", "R7", "R8", "R9"]})",
       "it lists 9 refrigerants; the form takes at most 8"},
      {comparison, Kind::text, head + R"("form": "comparison", "colour": "red", )" +
                                   comparison_fields + R"(, "refrigerants": []})",
       "\"colour\" is not among the inputs of the comparison of working fluids"},
  };
  int k = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.form.what + (": " + c.reason));
    const fs::path file = File("bad" + std::to_string(++k) + ".hpc");
    switch (c.kind) {
      case Kind::text:
        Write(file, c.text);
        break;
      case Kind::folder:
        fs::create_directory(file);
        break;
      case Kind::pipe:
        ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        break;
    }
    Reach(c.form);
    c.form.fill(*this);
    const FormState before = State(c.form.page);
    open_file_answer_ = QString::fromStdString(file.string());
    Click(c.form.page, "OpenInputs");
    const std::string message = "Cannot open " + file.string() + ": " + c.reason;
    EXPECT_EQ(TakeMessages(), QStringList{QString::fromStdString(message)});
    EXPECT_EQ(State(c.form.page), before);
  }
}

TEST_F(InputsRowTest, RecallBringsBackTheLastCalculatedTextsAfterTheFormWasUnloaded) {
  for (const FormCase& form : Forms()) {
    SCOPED_TRACE(form.what);
    Reach(form);
    const FormState defaults = State(form.page);
    EXPECT_FALSE(RecallEnabled(form.page));
    form.fill(*this);
    const FormState calculated = State(form.page);
    Click(form.page, form.calculate);
    ASSERT_NE(ShownPage(), form.page) << TakeMessages().join(" | ").toStdString();

    // Back with its defaults; a refused Calculate is not kept.
    Reach(form);
    EXPECT_EQ(State(form.page), defaults);
    ASSERT_TRUE(RecallEnabled(form.page));
    SetText(form.page, form.odd_box, "x");
    Click(form.page, form.calculate);
    EXPECT_EQ(TakeMessages().size(), 1);
    Click(form.page, "RecallLastInputs");
    EXPECT_EQ(State(form.page), calculated);
  }
}

}  // namespace
}  // namespace forms_test
