// The start page's Document button, wired as the desktop program wires it,
// opens the document this build wrote (the opening is recorded, not done).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "cycle/comparison.h"
#include "forms/page_model.h"
#include "forms/page_names.h"
#include "forms/shell.h"

namespace {

TEST(DocumentButton, OpensTheDocumentTheBuildWroteBesideTheProgram) {
  QStringList opened;
  QStringList messages;
  forms::PageModel pages;
  cycle::ComparisonResults results;
  forms::Shell shell{pages, results, [&](QWidget*, const QString& text) { messages << text; },
                     [&](const QString& path, const std::function<void()>&) { opened << path; },
                     forms::DocumentPath(),
                     [](QWidget*, const QString&, const QStringList&) { return QString(); }};
  forms::RegisterPages(shell);
  // A dialog the program opened on its own would block the test: fail instead.
  QTimer watchdog;
  QObject::connect(&watchdog, &QTimer::timeout, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      ADD_FAILURE() << "unexpected dialog: " << modal->windowTitle().toStdString();
      modal->close();
    }
  });
  watchdog.start(50);

  pages.Show(forms::page::FristPage);
  auto* button = pages.Load(forms::page::FristPage).findChild<QPushButton*>("CommandButton2");
  ASSERT_NE(button, nullptr);
  ASSERT_EQ(button->text(), "Document");
  QTest::mouseClick(button, Qt::LeftButton);
  QCoreApplication::processEvents();

  EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(opened[0].toStdString(), QCoreApplication::applicationDirPath().toStdString() +
                                         "/doc/Selection working fluid of the Ondu.PDF");
  QFile document(opened[0]);
  ASSERT_TRUE(document.open(QIODevice::ReadOnly));
  EXPECT_EQ(document.read(8), "%PDF-1.4");
  pages.UnloadAll();
}

}  // namespace
