#include "forms/shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QRegularExpression>
#include <QMessageBox>
#include <QProcess>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

#include "common/design.h"
#include "diagram/diagram_page.h"
#include "forms/page_names.h"
#include "layouts/layout_comparison.h"
#include "layouts/layout_results.h"
#include "layouts/layouts_form.h"
#include "navigation/frist_page.h"
#include "comparison/result_pages.h"
#include "screening/screening_page.h"
#include "study/study_page.h"
#include "navigation/select_sim.h"
#include "transcritical/transcritical_form.h"
#include "transcritical/transcritical_results.h"
#include "basic/user_form1.h"
#include "navigation/user_form13.h"
#include "basic/user_form2.h"
#include "comparison/user_form4.h"

namespace forms {
namespace {

template <class Page>
PageModel::Factory FactoryOf(Shell& shell) {
  return [&shell]() -> std::unique_ptr<QWidget> { return std::make_unique<Page>(shell); };
}

// A window manager's title bar holds the title beside a window menu and the
// buttons to minimise, maximise and close. Qt sizes a message box for its
// text and leaves little room for these, so a short message would cut its title.
constexpr int kTitleBarButtons = 4;

// The title bar's width, in the wider of the program's face and the desktop's
// title face, both bold as title bars mostly show them.
int TitleBarWidth(const QString& title, const QFont& program_font) {
  int width = 0;
  for (QFont font : {program_font, QFontDatabase::systemFont(QFontDatabase::TitleFont)}) {
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int buttons = kTitleBarButtons * metrics.height() * 3 / 2;
    const int spare = 2 * metrics.height();
    width = std::max(width, metrics.horizontalAdvance(title) + buttons + spare);
  }
  return width;
}

void WidenForTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  const QMargins margins = grid->contentsMargins();
  const int width =
      TitleBarWidth(box.windowTitle(), box.font()) - margins.left() - margins.right();
  // The box fixes its own size from its layout, so the width goes in as a
  // row of the layout.
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

void ShowMessageBox(QWidget* page, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kTitle), text, QMessageBox::Ok, page);
  WidenForTitle(box);
  box.exec();
}

// QDesktopServices::openUrl reports only whether xdg-open started, not
// whether it found an application for the file: its exit status says that.
void OpenWithDesktop(const QString& path, std::function<void()> failed) {
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) {
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) failed();
    return;
  }
  // Lives until xdg-open ends, which may be when the viewer is closed.
  auto* process = new QProcess;
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  QObject::connect(process, &QProcess::finished, process,
                   [process, failed](int code, QProcess::ExitStatus status) {
                     if (status != QProcess::NormalExit || code != 0) failed();
                     process->deleteLater();
                   });
  QObject::connect(process, &QProcess::errorOccurred, process,
                   [process, failed](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;
                     failed();
                     process->deleteLater();
                   });
  process->start(opener, {path});
}

QString ChooseSaveFile(QWidget* page, const QString& caption, const QStringList& filters) {
  QFileDialog dialog(page, caption);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(filters);
  // A name typed without an extension takes that of the kind chosen below it.
  const auto extension_of = [](const QString& filter) {
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("\\(\\*\\.(\\w+)\\)")).match(filter);
    return match.captured(1);
  };
  dialog.setDefaultSuffix(extension_of(filters.value(0)));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&](const QString& filter) { dialog.setDefaultSuffix(extension_of(filter)); });
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles().value(0);
}

QString ChooseOpenFile(QWidget* page, const QString& caption, const QStringList& filters) {
  QFileDialog dialog(page, caption);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(filters);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles().value(0);
}

QString DocumentPath() {
  return QDir(QCoreApplication::applicationDirPath())
      .filePath(QStringLiteral("doc/Selection working fluid of the Ondu.PDF"));
}

void UseTahoma() {
  // Where Debian's fonts-wine puts the face; when it is missing, Qt falls back
  // to the default sans face.
  for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
    if (QFileInfo::exists(QString::fromLatin1(file)))
      QFontDatabase::addApplicationFont(QString::fromLatin1(file));
  QApplication::setFont(CaptionFont(Emphasis::Normal));
}

void RegisterPages(Shell& shell) {
  PageModel& pages = shell.pages;
  pages.Register(page::FristPage, FactoryOf<FristPage>(shell));
  pages.Register(page::SelectSim, FactoryOf<SelectSim>(shell));
  pages.Register(page::UserForm1, FactoryOf<UserForm1>(shell));
  pages.Register(page::UserForm2, FactoryOf<UserForm2>(shell));
  pages.Register(page::UserForm13, FactoryOf<UserForm13>(shell));
  pages.Register(page::UserForm4, FactoryOf<UserForm4>(shell));
  pages.Register(page::Diagram, FactoryOf<DiagramPage>(shell));
  pages.Register(page::Screening, FactoryOf<ScreeningPage>(shell));
  pages.Register(page::TranscriticalForm, FactoryOf<TranscriticalForm>(shell));
  pages.Register(page::TranscriticalResults, FactoryOf<TranscriticalResults>(shell));
  pages.Register(page::LayoutsForm, FactoryOf<LayoutsForm>(shell));
  pages.Register(page::LayoutResults, FactoryOf<LayoutResults>(shell));
  pages.Register(page::LayoutComparison, FactoryOf<LayoutComparison>(shell));
  pages.Register(page::Study, FactoryOf<StudyPage>(shell));
  for (const ResultPageDesign& design : ResultPageSequence())
    pages.Register(design.name, [&shell, &design]() -> std::unique_ptr<QWidget> {
      return std::make_unique<ResultPage>(shell, design);
    });
}

}  // namespace forms
