#include "screening/screening_table_model.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <iterator>

namespace forms {

namespace {

// The figures a user compares first, COP and VHC, next to the name, so that
// they show without scrolling; then the facts, the pressures and
// temperatures the limits filter, and the rest in the order of the CSV.
constexpr cycle::ScreeningColumn kPageColumns[] = {
    cycle::ScreeningColumn::Refrigerant,         cycle::ScreeningColumn::COP,
    cycle::ScreeningColumn::VHC,                 cycle::ScreeningColumn::Kind,
    cycle::ScreeningColumn::SafetyClass,         cycle::ScreeningColumn::GWP,
    cycle::ScreeningColumn::ODP,                 cycle::ScreeningColumn::Tcrit,
    cycle::ScreeningColumn::EvaporatingPressure, cycle::ScreeningColumn::DischargePressure,
    cycle::ScreeningColumn::DischargeTemperature, cycle::ScreeningColumn::PressureRatio,
    cycle::ScreeningColumn::GlideEvap,           cycle::ScreeningColumn::GlideCond,
    cycle::ScreeningColumn::MassPerHeat,         cycle::ScreeningColumn::VaporVolume,
    cycle::ScreeningColumn::DisplacementVolume,  cycle::ScreeningColumn::WetCompression,
    cycle::ScreeningColumn::MinSuperheat,        cycle::ScreeningColumn::Status,
    cycle::ScreeningColumn::Reason,
};
constexpr int kColumnCount = static_cast<int>(std::size(kPageColumns));
static_assert(std::size(kPageColumns) == std::size(cycle::kScreeningColumns));
const QColor kRefusedColour(0x8a, 0x8a, 0x8a);

// Columns of figures that only a fluid running the cycle has.
bool OfTheCycle(cycle::ScreeningColumn column) {
  using enum cycle::ScreeningColumn;
  switch (column) {
    case GlideEvap:
    case GlideCond:
    case COP:
    case VHC:
    case MassPerHeat:
    case VaporVolume:
    case DisplacementVolume:
    case EvaporatingPressure:
    case DischargePressure:
    case DischargeTemperature:
    case PressureRatio:
    case WetCompression:
    case MinSuperheat: return true;
    default: return false;
  }
}

QString Shown(const cycle::ScreeningRow& row, cycle::ScreeningColumn column) {
  const cycle::ScreeningValue value = cycle::CellValue(row, column);
  if (!std::holds_alternative<std::monostate>(value)) {
    return QString::fromStdString(cycle::CellText(row, column));
  }
  const bool not_applicable =
      column == cycle::ScreeningColumn::Reason || (row.refusal() != nullptr && OfTheCycle(column));
  return not_applicable ? QString() : QStringLiteral("unknown");
}

}  // namespace

cycle::ScreeningColumn ColumnAt(int section) { return kPageColumns[section]; }

int SectionOf(cycle::ScreeningColumn column) {
  const auto* found = std::find(std::begin(kPageColumns), std::end(kPageColumns), column);
  return static_cast<int>(found - std::begin(kPageColumns));
}

void ScreeningTableModel::SetRows(std::vector<cycle::ScreeningRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int ScreeningTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ScreeningTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ScreeningTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount) return {};
  const cycle::ScreeningRow& row = rows_[static_cast<std::size_t>(index.row())];
  const cycle::ScreeningColumn column = ColumnAt(index.column());
  switch (role) {
    case Qt::DisplayRole: return Shown(row, column);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(cycle::ColumnUnit(column).empty()
                                     ? Qt::AlignLeft | Qt::AlignVCenter
                                     : Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole: return row.refusal() ? QVariant(QBrush(kRefusedColour)) : QVariant();
    case Qt::ToolTipRole:
      return row.refusal() ? QVariant(QString::fromStdString(*row.refusal())) : QVariant();
    default: return {};
  }
}

QVariant ScreeningTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= kColumnCount) return {};
  return QString::fromStdString(cycle::ColumnHeading(ColumnAt(section)));
}

}  // namespace forms
