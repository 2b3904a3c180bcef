// Handing results on: a table to the clipboard, and a file written where the
// user chooses, each the same from every page that offers it.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

#include "forms/shell.h"
#include "report/csv_table.h"

namespace forms {

// The table on the clipboard twice: as tab-separated text, which pastes
// into cells, and as an HTML table for office programs.
void CopyTable(const report::CsvTable& table);

// What a save dialog offers and which names it takes.
struct FileChoice {
  QString caption;
  QStringList filters;                          // "PDF report (*.pdf)" ...
  std::function<bool(const QString&)> accepts;  // by the name's extension
  QString other_name_message;                   // for a name it does not take
};

// Asks where to save, then writes there. A name of another kind and a
// failed write are told in a message over the page; a cancelled dialog does
// nothing.
void SaveAs(Shell& shell, QWidget* page, const FileChoice& choice,
            const std::function<std::optional<QString>(const QString& file)>& write);

// The choices of the pages' "Save Report..." buttons.
FileChoice ReportChoice();

}  // namespace forms
