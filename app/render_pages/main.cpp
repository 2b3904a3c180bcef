// Renders every page of the desktop program into DIR/<page>.png, offscreen.
// The results pages are filled by running the real calculations from the
// forms' defaults (and three refrigerants for the comparison); a calculation
// that fails is reported and its pages are rendered empty.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>

#include <cstdio>

#include "cycle/comparison.h"
#include "forms/page_model.h"
#include "forms/page_names.h"
#include "forms/shell.h"
#include "plots/plot_file.h"

namespace {

QTextStream& Err() {
  static QTextStream stream(stderr);
  return stream;
}

template <class Control>
Control& ControlOn(forms::PageModel& pages, const QString& page, const QString& control) {
  auto* found = pages.Load(page).findChild<Control*>(control);
  if (found == nullptr) throw std::runtime_error((page + "." + control).toStdString() + " missing");
  return *found;
}

void Click(forms::PageModel& pages, const QString& page, const QString& button) {
  ControlOn<QPushButton>(pages, page, button).click();
}

bool Render(forms::PageModel& pages, const QString& page, const QDir& dir, const QString& file) {
  const QString path = dir.filePath(file + ".png");
  const auto failure = plots::WriteRendered(path, QStringLiteral("the page"), [&](QIODevice& png) {
    return pages.Load(page).grab().save(&png, "PNG");
  });
  Err() << failure.value_or("wrote " + path) << Qt::endl;
  return !failure;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  forms::UseTahoma();
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(dir.path())) {
    Err() << "cannot create " << dir.path() << Qt::endl;
    return 1;
  }

  forms::PageModel pages;
  forms::Shell shell{pages, cycle::SharedComparisonResults(),
                     [](QWidget* page, const QString& text) {
                       Err() << page->objectName() << " says: " << text << Qt::endl;
                     },
                     [](const QString&, const std::function<void()>& failed) { failed(); },
                     forms::DocumentPath(),
                     [](QWidget*, const QString&, const QStringList&) { return QString(); }};
  forms::RegisterPages(shell);
  namespace page = forms::page;

  bool ok = true;
  for (const QString& name : {page::FristPage, page::SelectSim, page::UserForm1})
    ok &= Render(pages, name, dir, name);
  Click(pages, page::UserForm1, "CommandButton2");  // Calculate with the defaults
  ok &= Render(pages, page::UserForm2, dir, page::UserForm2);
  Click(pages, page::UserForm2, "CommandButton3");  // the picture page of that calculation
  ok &= Render(pages, page::UserForm13, dir, page::UserForm13);
  Click(pages, page::UserForm13, "CommandButton2");
  Click(pages, page::UserForm2, "Diagram");
  ok &= Render(pages, page::Diagram, dir, page::Diagram + "_basic_ph");
  ControlOn<QRadioButton>(pages, page::Diagram, "TemperatureEntropy").click();
  ok &= Render(pages, page::Diagram, dir, page::Diagram + "_basic_ts");
  Click(pages, page::Diagram, "Back");

  ok &= Render(pages, page::UserForm4, dir, page::UserForm4);
  ControlOn<QComboBox>(pages, page::UserForm4, "NumberRefrigerant").setCurrentText("3");
  const char* const names[] = {"R22", "R134a", "R717"};
  for (int k = 1; k <= 3; ++k)
    ControlOn<QLineEdit>(pages, page::UserForm4, QStringLiteral("Refrigerant%1").arg(k))
        .setText(names[k - 1]);
  ok &= Render(pages, page::UserForm4, dir, page::UserForm4 + "_three_refrigerants");
  Click(pages, page::UserForm4, "Calculate");
  for (const QString& name : {page::UserForm5_G, page::UserForm8_G, page::UserForm6_G,
                              page::UserForm7_G, page::UserForm9_G, page::UserForm10_G,
                              page::UserForm3_G, page::TotalResults})
    ok &= Render(pages, name, dir, name);
  Click(pages, page::TotalResults, "Diagrams");
  ok &= Render(pages, page::Diagram, dir, page::Diagram + "_comparison");
  for (const char* more : {"Refrigerant2", "Refrigerant3"})
    ControlOn<QCheckBox>(pages, page::Diagram, more).click();
  ok &= Render(pages, page::Diagram, dir, page::Diagram + "_comparison_overlaid");

  // The transcritical cycle from its form's defaults.
  Click(pages, page::SelectSim, "Transcritical");
  ok &= Render(pages, page::TranscriticalForm, dir, page::TranscriticalForm);
  Click(pages, page::TranscriticalForm, "Calculate");
  ok &= Render(pages, page::TranscriticalResults, dir, page::TranscriticalResults);

  // The cycle layouts from their form's defaults: the basic layout, then the
  // economizer with its diagram page and the four layouts side by side.
  Click(pages, page::TranscriticalResults, "Back");
  Click(pages, page::TranscriticalForm, "Back");
  Click(pages, page::SelectSim, "CycleLayouts");
  ok &= Render(pages, page::LayoutsForm, dir, page::LayoutsForm);
  Click(pages, page::LayoutsForm, "Calculate");
  ok &= Render(pages, page::LayoutResults, dir, page::LayoutResults);
  Click(pages, page::LayoutResults, "Back");
  ControlOn<QRadioButton>(pages, page::LayoutsForm, "LayoutEconomizer").click();
  ok &= Render(pages, page::LayoutsForm, dir, page::LayoutsForm + "_economizer");
  Click(pages, page::LayoutsForm, "Calculate");
  ok &= Render(pages, page::LayoutResults, dir, page::LayoutResults + "_economizer");
  Click(pages, page::LayoutResults, "DiagramPage");
  ok &= Render(pages, page::Diagram, dir, page::Diagram + "_layout");
  Click(pages, page::Diagram, "Back");
  Click(pages, page::LayoutResults, "CompareLayouts");
  ok &= Render(pages, page::LayoutComparison, dir, page::LayoutComparison);

  // The screening under the comparison form's defaults, rendered once every
  // fluid is screened (its rows come in from another thread).
  Click(pages, page::UserForm4, "ScreenAllFluids");
  const auto& cancel = ControlOn<QPushButton>(pages, page::Screening, "Cancel");
  while (cancel.isEnabled()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  ok &= Render(pages, page::Screening, dir, page::Screening);

  // The parameter study of the transcritical form's defaults (its points
  // come in from other threads).
  Click(pages, page::TranscriticalForm, "ParameterStudy");
  Click(pages, page::Study, "Run");
  const auto& stop = ControlOn<QPushButton>(pages, page::Study, "Cancel");
  while (stop.isEnabled()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  ok &= Render(pages, page::Study, dir, page::Study);
  return ok ? 0 : 1;
}
