// The screening's rows for a table view, as the page shows them: one column
// per screening column, COP and VHC next to the name, each headed in words
// with its unit (cycle::ColumnHeading); numbers to the right;
// fluids that cannot run the cycle greyed, their reason also as the tip.
// Unknown values read "unknown", never 0; the figures a refused fluid does
// not have stay empty.
#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "cycle/screening.h"

namespace forms {

class ScreeningTableModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetRows(std::vector<cycle::ScreeningRow> rows);
  const std::vector<cycle::ScreeningRow>& Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<cycle::ScreeningRow> rows_;
};

// The column a table column shows, and the table column of a column.
cycle::ScreeningColumn ColumnAt(int section);
int SectionOf(cycle::ScreeningColumn column);

}  // namespace forms
