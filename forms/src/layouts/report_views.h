// The layouts' pages show the report's own texts and tables, so that a page,
// a copy and a report say the same in the same words and figures.
#pragma once

#include <QString>
#include <QTableWidget>
#include <QWidget>

#include <string_view>

#include "report/csv_table.h"

namespace forms {

QString Words(std::string_view text);
// A name under a bar of a chart, broken into lines short enough that the
// bars' names stand side by side.
QString ChartLabel(const QString& name);

// A read-only table with the table's header and rows, figures to the right;
// as large as its rows and columns where it is `fitted`, else as the page's
// layout makes it.
QTableWidget& AddTableView(QWidget& page, const QString& name, bool fitted);
void ShowTable(QTableWidget& view, const report::CsvTable& table);

}  // namespace forms
