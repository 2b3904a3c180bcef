#include "forms/shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QRegularExpression>
#include <QMessageBox>
#include <QUrl>

#include "design.h"
#include "diagram_page.h"
#include "forms/page_names.h"
#include "frist_page.h"
#include "result_pages.h"
#include "screening_page.h"
#include "select_sim.h"
#include "transcritical_form.h"
#include "transcritical_results.h"
#include "user_form1.h"
#include "user_form13.h"
#include "user_form2.h"
#include "user_form4.h"

namespace forms {
namespace {

template <class Page>
PageModel::Factory FactoryOf(Shell& shell) {
  return [&shell]() -> std::unique_ptr<QWidget> { return std::make_unique<Page>(shell); };
}

}  // namespace

void ShowMessageBox(QWidget* page, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kTitle), text, QMessageBox::Ok, page);
  box.exec();
}

bool OpenWithDesktop(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
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
  for (const ResultPageDesign& design : ResultPageSequence())
    pages.Register(design.name, [&shell, &design]() -> std::unique_ptr<QWidget> {
      return std::make_unique<ResultPage>(shell, design);
    });
}

}  // namespace forms
