#include "common/export_actions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "report/report_file.h"
#include "report/report_tables.h"

namespace forms {

void CopyTable(const report::CsvTable& table) {
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(report::TabSeparated(table)));
  data->setHtml(QString::fromStdString(report::HtmlTable(table)));
  QGuiApplication::clipboard()->setMimeData(data);  // the clipboard owns it
}

void SaveAs(Shell& shell, QWidget* page, const FileChoice& choice,
            const std::function<std::optional<QString>(const QString& file)>& write) {
  const QString file = shell.choose_save_file(page, choice.caption, choice.filters);
  if (file.isEmpty()) return;
  if (!choice.accepts(file)) {
    shell.message(page, choice.other_name_message);
    return;
  }
  if (const auto failure = write(file)) shell.message(page, *failure);
}

FileChoice ReportChoice() {
  return {QStringLiteral("Save Report"),
          {QStringLiteral("PDF report (*.pdf)"), QStringLiteral("CSV table (*.csv)")},
          [](const QString& file) {
            return report::ReportFormatOf(file.toStdString()).has_value();
          },
          QStringLiteral("Please choose a file name ending in .pdf or .csv")};
}

}  // namespace forms
