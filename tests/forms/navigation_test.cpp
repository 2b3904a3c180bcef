// The start page, the menu, the document, and what every page shares: title,
// fixed size, Tahoma, and the window's own close control.
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>

#include <functional>

#include "program_under_test.h"

namespace forms_test {
namespace {

class Navigation : public ProgramTest {
 protected:
  // An (empty) document file at the path the Document button opens.
  void PutDocumentInPlace() {
    ASSERT_TRUE(document_dir_.isValid());
    shell_.document_path = document_dir_.filePath("Selection working fluid of the Ondu.PDF");
    QFile document(shell_.document_path);
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
  }

  // Document pressed: one message, saying the document could not be opened
  // and where it is.
  void ExpectTheDocumentReportedUnopened() {
    Click(page::FristPage, "CommandButton2");
    const QStringList messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("could not be opened")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(shell_.document_path)) << messages[0].toStdString();
  }

  QTemporaryDir document_dir_;
};

TEST_F(Navigation, StartShowsTheStartPageAlone) {
  Start();
  EXPECT_EQ(LoadedPages(), QStringList{page::FristPage});
  EXPECT_EQ(ShownPage(), page::FristPage);
  EXPECT_EQ(On<QPushButton>(page::FristPage, "CommandButton1").text(), "Simulation");
  EXPECT_EQ(On<QPushButton>(page::FristPage, "CommandButton2").text(), "Document");
  EXPECT_EQ(On<QPushButton>(page::FristPage, "CommandButton3").text(), "Close");
  EXPECT_EQ(On<QLabel>(page::FristPage, "Label1").text(), "Simulation of Vapor Compression Heat Pump");
  EXPECT_EQ(On<QLabel>(page::FristPage, "Label2").text().count('\n'), 3);  // four credit lines
}

TEST_F(Navigation, CloseOnTheStartPageEndsTheProgram) {
  Start();
  Click(page::FristPage, "CommandButton3");
  EXPECT_TRUE(LoadedPages().isEmpty());
  EXPECT_TRUE(program_ended_);
}

TEST_F(Navigation, TheMenuLeadsToBothFormsAndBack) {
  Start();
  Click(page::FristPage, "CommandButton1");
  EXPECT_EQ(LoadedPages(), QStringList{page::SelectSim});
  EXPECT_EQ(ShownPage(), page::SelectSim);
  EXPECT_EQ(On<QLabel>(page::SelectSim, "Label1").text(), "System Simulation ");
  EXPECT_EQ(On<QPushButton>(page::SelectSim, "CommandButton4").text(), "Back ");

  Click(page::SelectSim, "CommandButton2");  // Basic Calculation
  EXPECT_EQ(LoadedPages(), QStringList{page::UserForm1});
  Click(page::UserForm1, "CommandButton3");  // Back
  EXPECT_EQ(LoadedPages(), QStringList{page::SelectSim});

  Click(page::SelectSim, "CommandButton1");  // Choose Type Working Fluids
  EXPECT_EQ(LoadedPages(), QStringList{page::UserForm4});
  Click(page::UserForm4, "CommandButton1");  // Back
  EXPECT_EQ(LoadedPages(), QStringList{page::SelectSim});

  Click(page::SelectSim, "CommandButton4");  // Back
  EXPECT_EQ(LoadedPages(), QStringList{page::FristPage});
  EXPECT_FALSE(program_ended_);
}

TEST_F(Navigation, TheWindowsCloseControlOnAnyPageEndsTheProgram) {
  Start();
  Click(page::FristPage, "CommandButton1");
  Click(page::SelectSim, "CommandButton2");
  pages_.Load(page::UserForm2);  // a hidden page must not keep the program alive
  pages_.Load(page::UserForm1).close();
  ProcessEvents();
  EXPECT_TRUE(LoadedPages().isEmpty());
  EXPECT_TRUE(program_ended_);
}

TEST_F(Navigation, DocumentOpensTheDocumentPathWithoutAMessage) {
  PutDocumentInPlace();
  Start();
  Click(page::FristPage, "CommandButton2");
  EXPECT_EQ(opened_documents_, QStringList{shell_.document_path});
  EXPECT_EQ(ShownPage(), page::FristPage);
}

TEST_F(Navigation, DocumentThatIsMissingIsReportedWithItsPath) {
  Start();
  Click(page::FristPage, "CommandButton2");
  EXPECT_TRUE(opened_documents_.isEmpty());
  const QStringList messages = TakeMessages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains("not found")) << messages[0].toStdString();
  EXPECT_TRUE(messages[0].contains(shell_.document_path)) << messages[0].toStdString();
  EXPECT_EQ(ShownPage(), page::FristPage);
}

TEST_F(Navigation, DocumentWithoutAViewerIsReportedWithItsPath) {
  PutDocumentInPlace();
  open_succeeds_ = false;
  Start();
  ExpectTheDocumentReportedUnopened();
  EXPECT_EQ(ShownPage(), page::FristPage);
}

// The desktop answers from the event loop, after the button's handler.
TEST_F(Navigation, DocumentWhoseViewerFailsLaterIsReportedWithItsPath) {
  PutDocumentInPlace();
  shell_.open_document = [](const QString&, std::function<void()> failed) {
    QTimer::singleShot(0, failed);
  };
  Start();
  ExpectTheDocumentReportedUnopened();
}

TEST_F(Navigation, ALateFailureAfterTheStartPageIsGoneShowsNothing) {
  PutDocumentInPlace();
  std::function<void()> report;
  shell_.open_document = [&report](const QString&, std::function<void()> failed) {
    report = std::move(failed);
  };
  Start();
  Click(page::FristPage, "CommandButton2");
  Click(page::FristPage, "CommandButton1");  // on to the menu before the desktop answers
  ASSERT_TRUE(report);
  report();
  EXPECT_TRUE(TakeMessages().isEmpty());
  EXPECT_EQ(ShownPage(), page::SelectSim);
}

// The real desktop through a stand-in xdg-open that records its argument and
// exits with the status it is given.
class DesktopOpener : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bin_.isValid());
    saved_path_ = qgetenv("PATH");
    qputenv("PATH", bin_.path().toLocal8Bit() + ":" + saved_path_);
  }
  void TearDown() override { qputenv("PATH", saved_path_); }

  void InstallOpener(int exit_status) {
    QFile script(bin_.filePath("xdg-open"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit %2\n")
                     .arg(Record())
                     .arg(exit_status)
                     .toLocal8Bit());
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
  }
  QString Record() const { return bin_.filePath("opened"); }

  // Opens the file and lets the event loop run until the stand-in has ended
  // (its record is written) and a little longer for its exit to arrive.
  bool OpensWithoutFailure(const QString& file) {
    bool failed = false;
    forms::OpenWithDesktop(file, [&failed] { failed = true; });
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(Record()) && !deadline.hasExpired()) QTest::qWait(20);
    EXPECT_TRUE(QFile::exists(Record())) << "xdg-open was not run";
    QDeadlineTimer settle(500);
    while (!failed && !settle.hasExpired()) QTest::qWait(20);
    return !failed;
  }

  QTemporaryDir bin_;
  QByteArray saved_path_;
};

TEST_F(DesktopOpener, XdgOpenFindingNoApplicationIsAFailure) {
  InstallOpener(3);  // xdg-open's "no method available"
  EXPECT_FALSE(OpensWithoutFailure("/some where/document.PDF"));
}

TEST_F(DesktopOpener, XdgOpenGetsThePathAndItsSuccessIsNoFailure) {
  InstallOpener(0);
  EXPECT_TRUE(OpensWithoutFailure("/some where/document.PDF"));
  QFile record(Record());
  ASSERT_TRUE(record.open(QIODevice::ReadOnly));
  EXPECT_EQ(record.readAll(), "/some where/document.PDF");
}

TEST_F(Navigation, TheDocumentLiesInDocBesideTheExecutable) {
  EXPECT_EQ(forms::DocumentPath(), QCoreApplication::applicationDirPath() +
                                       "/doc/Selection working fluid of the Ondu.PDF");
}

TEST_F(Navigation, EveryPageHasTheTitleAFixedSizeAndTahoma) {
  for (const QString& name : {page::FristPage, page::SelectSim, page::UserForm1, page::UserForm2,
                              page::UserForm13, page::UserForm4, page::UserForm5_G,
                              page::UserForm8_G, page::UserForm6_G, page::UserForm7_G,
                              page::UserForm9_G, page::UserForm10_G, page::UserForm3_G,
                              page::TotalResults}) {
    SCOPED_TRACE(name.toStdString());
    QWidget& window = pages_.Load(name);
    EXPECT_EQ(window.windowTitle(), "Vapor compression heat pump");
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_GT(window.width(), 0);
    EXPECT_EQ(window.font().family(), "Tahoma");
    EXPECT_EQ(QFontInfo(window.font()).family(), "Tahoma") << "fonts-wine not installed?";
  }
}

// Positions come from the design's 0.01 mm through the screen's logical DPI:
// at 96 DPI the start page is 527 x 507 pixels.
TEST_F(Navigation, DesignSizesAreConvertedFromHundredthsOfAMillimetre) {
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
  const auto px = [dpi](int design) { return qRound(design * dpi / 2540.0); };
  QWidget& start = pages_.Load(page::FristPage);
  EXPECT_EQ(start.size(), QSize(px(13944), px(13414)));
  EXPECT_EQ(On<QPushButton>(page::FristPage, "CommandButton3").geometry(),
            QRect(px(3387), px(8043), px(6985), px(1270)));
  EXPECT_EQ(On<QLineEdit>(page::UserForm1, "Temperaturehotspring").geometry(),
            QRect(px(9737), px(2118), px(2469), px(900)));
  EXPECT_EQ(pages_.Load(page::UserForm2).size(), QSize(px(15584), px(15637)));
}

}  // namespace
}  // namespace forms_test
