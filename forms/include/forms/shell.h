// What every page needs from outside itself: the page model that moves
// between pages, the comparison record the result pages read, the forms'
// last inputs, and the ways out to the desktop (message box, document
// viewer, file dialogs), which tests replace with recorders.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <map>

#include "cycle/comparison.h"
#include "forms/page_model.h"
#include "inputs/inputs_file.h"

namespace forms {

// The application's title: every window and every message box carries it.
inline constexpr char kTitle[] = "Vapor compression heat pump";

struct Shell {
  PageModel& pages;
  cycle::ComparisonResults& results;
  // Shows a message modally over the given page and returns when it is closed.
  std::function<void(QWidget* page, const QString& text)> message;
  // Hands a local file to the desktop's viewer and returns without waiting
  // for it; calls `failed` when the desktop reports that nothing could open
  // the file, at once or later from the event loop.
  std::function<void(const QString& path, std::function<void()> failed)> open_document;
  // The working-fluid selection document opened by the start page.
  QString document_path;
  // Asks where to save a file, offering the filters ("PNG picture (*.png)"
  // ...); an empty text when the user cancels.
  std::function<QString(QWidget* page, const QString& caption, const QStringList& filters)>
      choose_save_file;
  // Asks which file to open, as choose_save_file asks.
  std::function<QString(QWidget* page, const QString& caption, const QStringList& filters)>
      choose_open_file = {};
  // Each form's texts at its last successful Calculate in this run, for its
  // Recall Last Inputs: kept here, since a form may be unloaded and come
  // back with its defaults.
  std::map<inputs::Form, inputs::Inputs> last_inputs = {};
};

// The real desktop: a QMessageBox with an OK button and the title; the
// desktop's default application for the file, through xdg-open where there
// is one, whose exit status tells whether it found an application.
void ShowMessageBox(QWidget* page, const QString& text);
void OpenWithDesktop(const QString& path, std::function<void()> failed);
// The desktop's save and open dialogs.
QString ChooseSaveFile(QWidget* page, const QString& caption, const QStringList& filters);
QString ChooseOpenFile(QWidget* page, const QString& caption, const QStringList& filters);

// <directory of the executable>/doc/Selection working fluid of the Ondu.PDF
QString DocumentPath();

// Makes Tahoma available to the program when the system's font configuration
// does not list it (Debian's fonts-wine installs it outside the font paths).
void UseTahoma();

// Registers every page of the program with shell.pages. The shell must
// outlive the pages.
void RegisterPages(Shell& shell);

}  // namespace forms
