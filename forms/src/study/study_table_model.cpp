#include "study/study_table_model.h"

#include <QBrush>
#include <QColor>

namespace forms {

namespace {

const QColor kRefusedColour(0x8a, 0x8a, 0x8a);

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void StudyTableModel::SetTable(report::CsvTable table) {
  beginResetModel();
  table_ = std::move(table);
  endResetModel();
}

int StudyTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.Rows().size());
}

int StudyTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.Header().size());
}

QVariant StudyTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto& row = table_.Rows()[static_cast<std::size_t>(index.row())];
  const auto column = static_cast<std::size_t>(index.column());
  const bool refused = !row.back().empty();
  switch (role) {
    case Qt::DisplayRole: return Text(row[column]);
    case Qt::ToolTipRole: return refused ? Text(row.back()) : QVariant();
    case Qt::ForegroundRole: return refused ? QVariant(QBrush(kRefusedColour)) : QVariant();
    case Qt::TextAlignmentRole: {
      const bool words = column == 0 || column + 1 == row.size();
      return QVariant::fromValue((words ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    }
    default: return {};
  }
}

QVariant StudyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return Text(table_.Header()[static_cast<std::size_t>(section)]);
}

}  // namespace forms
