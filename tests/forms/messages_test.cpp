// The real message box, and the watchdog that keeps a stray dialog from
// hanging the tests.
#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest-spi.h>

#include "program_under_test.h"

namespace forms_test {
namespace {

using Messages = ProgramTest;

TEST_F(Messages, TheMessageBoxIsModalWithTheTitleTheTextAndOneOkButton) {
  Start();
  QWidget& start = pages_.Load(page::FristPage);
  bool inspected = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    inspected = true;
    EXPECT_EQ(box->windowTitle(), "Vapor compression heat pump");
    EXPECT_EQ(box->text(), "Please Input Subcooling");
    ASSERT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->standardButton(box->buttons()[0]), QMessageBox::Ok);
    EXPECT_EQ(box->parentWidget(), &start);
    box->buttons()[0]->click();
  });
  forms::ShowMessageBox(&start, "Please Input Subcooling");
  EXPECT_TRUE(inspected);
  EXPECT_EQ(ShownPage(), page::FristPage);
}

// Under a window manager the title shares its bar with the window menu and
// three buttons, each about a line high; a short message must not cut it.
TEST_F(Messages, TheMessageBoxIsWideEnoughForItsTitle) {
  Start();
  int width = 0;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    width = box->width();
    box->buttons()[0]->click();
  });
  forms::ShowMessageBox(&pages_.Load(page::FristPage), "OK");
  QFont bold = QApplication::font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  EXPECT_GE(width, metrics.horizontalAdvance("Vapor compression heat pump") + 4 * metrics.height());
}

TEST_F(Messages, AnUnexpectedModalDialogFailsTheTestInsteadOfHanging) {
  Start();
  EXPECT_NONFATAL_FAILURE(forms::ShowMessageBox(&pages_.Load(page::FristPage), "stray"),
                          "unexpected modal dialog");
}

}  // namespace
}  // namespace forms_test
