// A parameter study's points for a table view, as the page shows them: the
// refrigerant, the varied input, every figure with its unit in the heading,
// and a note; numbers to the right, refused points greyed with their reason
// also as the tip.
#pragma once

#include <QAbstractTableModel>

#include "report/csv_table.h"

namespace forms {

class StudyTableModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // The table of report::StudyFiguresTable, its last column the note.
  void SetTable(report::CsvTable table);
  const report::CsvTable& Table() const { return table_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  report::CsvTable table_{{}};
};

}  // namespace forms
