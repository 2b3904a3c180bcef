// The desktop program: shows the start page and runs until the last page is
// unloaded. Nothing is computed or read before the first property request,
// so the start page appears at once.
#include <QApplication>
#include <QIcon>

#include <clocale>
#include <cstdio>
#include <string_view>

#include "cycle/comparison.h"
#include "forms/page_model.h"
#include "forms/page_names.h"
#include "forms/shell.h"

int main(int argc, char* argv[]) {
  // Answered before Qt starts, so that it needs no display.
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::puts("heatpump " HEATPUMP_VERSION);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationVersion(HEATPUMP_VERSION);
  // The desktop's menu entry (share/applications/heatpump.desktop) and its
  // icon, where they are installed.
  QApplication::setDesktopFileName(QStringLiteral("heatpump"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("heatpump")));
  // Qt adopts the user's locale; the C library's number conversions, used by
  // the property library too, stay with "." as the decimal separator.
  std::setlocale(LC_NUMERIC, "C");
  // The page model decides when the program ends, not the number of windows
  // on screen (a hidden page has none).
  QApplication::setQuitOnLastWindowClosed(false);
  forms::UseTahoma();

  forms::PageModel pages;
  forms::Shell shell{pages,
                     cycle::SharedComparisonResults(),
                     forms::ShowMessageBox,
                     forms::OpenWithDesktop,
                     forms::DocumentPath(),
                     forms::ChooseSaveFile,
                     forms::ChooseOpenFile};
  forms::RegisterPages(shell);
  QObject::connect(&pages, &forms::PageModel::LastPageUnloaded, &app, &QCoreApplication::quit);

  pages.Show(forms::page::FristPage);
  return QApplication::exec();
}
