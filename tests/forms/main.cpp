// The forms tests run offscreen inside one QApplication.
#include <QApplication>

#include <gtest/gtest.h>

#include "forms/shell.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  forms::UseTahoma();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
