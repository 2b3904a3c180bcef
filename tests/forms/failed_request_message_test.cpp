// A property request that fails inside a calculation, as the user meets it:
// the message names the refrigerant, the state of the cycle and the limit in
// the form's units, and the form stays as it was.
#include "program_under_test.h"

namespace forms_test {
namespace {

class FailedRequestMessage : public ProgramTest {};

TEST_F(FailedRequestMessage, TheBasicFormShowsItInTheFormsTerms) {
  OpenBasicForm();
  SetText(page::UserForm1, "TemperatureCondensing", "120");
  Click(page::UserForm1, "CommandButton2");
  EXPECT_EQ(TakeMessages(),
            QStringList{"R22: the pressure of the condensing state cannot be computed: "
                        "temperature 120.00 'C is above the critical temperature 96.15 'C of R22"});
  EXPECT_EQ(ShownPage(), page::UserForm1);
  EXPECT_EQ(Text(page::UserForm1, "TemperatureCondensing"), "120");
  EXPECT_EQ(pages_.State(page::UserForm2), forms::PageState::NotLoaded);
}

// A name as long as the box takes is shortened in the message, which stays
// a line or two.
TEST_F(FailedRequestMessage, AHugeNameIsShortenedInTheMessage) {
  OpenBasicForm();
  SetText(page::UserForm1, "Refrigerant", QString(30'000, QLatin1Char('y')));
  Click(page::UserForm1, "CommandButton2");
  const QStringList messages = TakeMessages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_LT(messages[0].size(), 300) << messages[0].left(400).toStdString();
  EXPECT_TRUE(messages[0].startsWith(QString(60, QLatin1Char('y')) + "..." +
                                     QString(17, QLatin1Char('y')) + ": "))
      << messages[0].toStdString();
}

}  // namespace
}  // namespace forms_test
