#include "layouts/report_views.h"

#include <QHeaderView>

namespace forms {

QString Words(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ChartLabel(const QString& name) {
  constexpr qsizetype kLine = 14;
  QStringList lines;
  for (const QString& word : name.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (!lines.isEmpty() && lines.back().size() + 1 + word.size() <= kLine)
      lines.back() += ' ' + word;
    else
      lines << word;
  }
  return lines.join(QLatin1Char('\n'));
}

QTableWidget& AddTableView(QWidget& page, const QString& name, bool fitted) {
  auto* view = new QTableWidget(&page);
  view->setObjectName(name);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::ContiguousSelection);
  view->verticalHeader()->hide();
  view->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  view->setWordWrap(true);
  // Read and selected with the mouse; the keyboard goes from button to button.
  view->setFocusPolicy(Qt::ClickFocus);
  if (fitted) {
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    view->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  }
  return *view;
}

void ShowTable(QTableWidget& view, const report::CsvTable& table) {
  view.clear();
  view.setColumnCount(static_cast<int>(table.Header().size()));
  view.setRowCount(static_cast<int>(table.Rows().size()));
  QStringList header;
  for (const std::string& heading : table.Header()) header << QString::fromStdString(heading);
  view.setHorizontalHeaderLabels(header);
  for (int r = 0; r < view.rowCount(); ++r) {
    const auto& row = table.Rows()[static_cast<std::size_t>(r)];
    for (int c = 0; c < view.columnCount(); ++c) {
      const QString text = QString::fromStdString(row[static_cast<std::size_t>(c)]);
      auto* item = new QTableWidgetItem(text);
      // The first column names the row.
      bool figure = false;
      text.toDouble(&figure);
      item->setTextAlignment(Qt::AlignVCenter | (figure && c > 0 ? Qt::AlignRight : Qt::AlignLeft));
      view.setItem(r, c, item);
    }
  }
  view.resizeColumnsToContents();
}

}  // namespace forms
