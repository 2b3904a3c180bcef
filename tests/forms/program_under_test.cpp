#include "program_under_test.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QTest>

#include <algorithm>

#include "qcustomplot.h"

namespace forms_test {

ProgramTest::ProgramTest()
    : shell_{pages_, results_,
             [this](QWidget* over, const QString& text) {
               // A message belongs to the page on screen, which stays as it was.
               EXPECT_TRUE(over != nullptr && over->isVisible())
                   << "message not shown over the visible page: " << text.toStdString();
               messages_ << text;
             },
             [this](const QString& path, const std::function<void()>& failed) {
               opened_documents_ << path;
               if (!open_succeeds_) failed();
             },
             QStringLiteral("/nonexistent/doc/Selection working fluid of the Ondu.PDF"),
             [this](QWidget*, const QString& caption, const QStringList& filters) {
               save_dialogs_ << caption + QStringLiteral(": ") + filters.join(QStringLiteral(";;"));
               return save_file_answer_;
             },
             [this](QWidget*, const QString& caption, const QStringList& filters) {
               open_dialogs_ << caption + QStringLiteral(": ") + filters.join(QStringLiteral(";;"));
               return open_file_answer_;
             }} {
  forms::RegisterPages(shell_);
  QObject::connect(&pages_, &forms::PageModel::LastPageUnloaded, [this] { program_ended_ = true; });
  watchdog_.setInterval(50);
  QObject::connect(&watchdog_, &QTimer::timeout, [this] { CatchModalDialog(); });
  watchdog_.start();
}

ProgramTest::~ProgramTest() {
  watchdog_.stop();
  // What a test copied goes with it (the clipboard would keep it to the end).
  QGuiApplication::clipboard()->clear();
  pages_.UnloadAll();
  ProcessEvents();
  EXPECT_TRUE(messages_.isEmpty()) << "unchecked messages: " << messages_.join(" | ").toStdString();
}

// A dialog the program opened on its own (not through the message function)
// would block the test: fail and close it.
void ProgramTest::CatchModalDialog() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return;
  ADD_FAILURE() << "unexpected modal dialog: " << modal->windowTitle().toStdString();
  if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  else modal->close();
}

void ProgramTest::Start() {
  pages_.Show(page::FristPage);
  ProcessEvents();
}

void ProgramTest::OpenBasicForm() {
  Start();
  Click(page::FristPage, "CommandButton1");
  Click(page::SelectSim, "CommandButton2");
  EXPECT_EQ(ShownPage(), page::UserForm1);
}

void ProgramTest::OpenComparisonForm() {
  Start();
  Click(page::FristPage, "CommandButton1");
  Click(page::SelectSim, "CommandButton1");
  EXPECT_EQ(ShownPage(), page::UserForm4);
}

void ProgramTest::CalculateBasicDefaults() {
  OpenBasicForm();
  Click(page::UserForm1, "CommandButton2");
  EXPECT_EQ(ShownPage(), page::UserForm2);
}

void ProgramTest::CompareToTotalPage(const QStringList& refrigerants, const QString& evaporating,
                                     const QString& condensing) {
  OpenComparisonForm();
  On<QComboBox>(page::UserForm4, "NumberRefrigerant").setCurrentText(QString::number(refrigerants.size()));
  SetText(page::UserForm4, "TempEvap", evaporating);
  SetText(page::UserForm4, "TemperatureCondensing", condensing);
  for (int k = 0; k < refrigerants.size(); ++k) {
    SetText(page::UserForm4, QStringLiteral("Refrigerant%1").arg(k + 1), refrigerants[k]);
  }
  Click(page::UserForm4, "Calculate");
  for (const QString& name : {page::UserForm5_G, page::UserForm8_G, page::UserForm6_G,
                              page::UserForm7_G, page::UserForm9_G, page::UserForm10_G,
                              page::UserForm3_G}) {
    Click(name, "CommandButton2");
  }
  EXPECT_EQ(ShownPage(), page::TotalResults);
}

void ProgramTest::Click(const QString& page, const QString& button) {
  QPushButton& target = On<QPushButton>(page, button);
  EXPECT_TRUE(target.isVisible()) << page.toStdString() << "." << button.toStdString()
                                  << " clicked while not on screen";
  QTest::mouseClick(&target, Qt::LeftButton);
  ProcessEvents();
}

void ProgramTest::Press(const QString& page, Qt::Key key) {
  QWidget& window = pages_.Load(page);
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, key);
  ProcessEvents();
}

QStringList ProgramTest::PlotTexts(QCustomPlot& plot) {
  QStringList texts;
  for (int i = 0; i < plot.itemCount(); ++i)
    if (auto* text = qobject_cast<QCPItemText*>(plot.item(i))) texts << text->text();
  return texts;
}

void ProgramTest::ProcessEvents() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

QStringList ProgramTest::LoadedPages() const {
  QStringList names = pages_.LoadedPages();
  names.sort();
  return names;
}

QStringList ProgramTest::ShownPages() const {
  QStringList shown;
  for (const QString& name : LoadedPages())
    if (pages_.State(name) == forms::PageState::Shown) shown << name;
  return shown;
}

QString ProgramTest::ShownPage() const {
  const QStringList shown = ShownPages();
  EXPECT_EQ(shown.size(), 1) << "pages on screen: " << shown.join(", ").toStdString();
  return shown.value(0);
}

QStringList ProgramTest::TakeMessages() {
  QStringList taken;
  std::swap(taken, messages_);
  return taken;
}

}  // namespace forms_test
