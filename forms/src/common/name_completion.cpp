#include "common/name_completion.h"

#include <QAbstractTableModel>
#include <QCompleter>
#include <QHeaderView>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTreeView>

#include <vector>

#include "common/design.h"
#include "cycle/refrigerant_names.h"

namespace forms {

namespace {

enum Column { kName, kCritical, kSafetyClass, kColumns };

const std::vector<cycle::RefrigerantName>& KnownRefrigerantNames() {
  static const std::vector<cycle::RefrigerantName> names = cycle::ListRefrigerantNames();
  return names;
}

// The names with their facts as the suggestions show them.
class NameTable : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Lists the names on the first call.
  void FillOnce() {
    if (names_ != nullptr) return;
    beginResetModel();
    names_ = &KnownRefrigerantNames();
    endResetModel();
  }

  QString Name(int row) const { return QString::fromStdString((*names_)[row].name); }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() || names_ == nullptr ? 0 : static_cast<int>(names_->size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : kColumns;
  }

  // The name column's edit text is what choosing it puts in the box.
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const cycle::RefrigerantName& entry = (*names_)[index.row()];
    switch (index.column()) {
      case kName: return QString::fromStdString(entry.name);
      case kCritical:
        return entry.critical_temperature
                   ? QStringLiteral("Tc %1 'C").arg(Fixed(*entry.critical_temperature, 2))
                   : QStringLiteral("Tc unknown");
      default:
        return QStringLiteral("safety class %1")
            .arg(entry.safety_class ? QString::fromStdString(*entry.safety_class)
                                    : QStringLiteral("unknown"));
    }
  }

 private:
  const std::vector<cycle::RefrigerantName>* names_ = nullptr;
};

// The names that hold the typed text: those that start with it first, then
// those that contain it, each group in the table's (alphabetical) order.
class NameMatches : public QSortFilterProxyModel {
 public:
  NameMatches(NameTable& table, QObject* parent) : QSortFilterProxyModel(parent), table_(table) {
    setSourceModel(&table);
    sort(kName);
  }

  void Match(const QString& typed) {
    typed_ = typed;
    invalidate();
  }

 protected:
  bool filterAcceptsRow(int row, const QModelIndex&) const override {
    return table_.Name(row).contains(typed_, Qt::CaseInsensitive);
  }
  bool lessThan(const QModelIndex& a, const QModelIndex& b) const override {
    const bool a_starts = table_.Name(a.row()).startsWith(typed_, Qt::CaseInsensitive);
    const bool b_starts = table_.Name(b.row()).startsWith(typed_, Qt::CaseInsensitive);
    if (a_starts != b_starts) return a_starts;
    return a.row() < b.row();
  }

 private:
  NameTable& table_;
  QString typed_;
};

// The suggestions in columns, as wide as their texts (the box is narrow).
QTreeView& MakePopup() {
  auto* popup = new QTreeView;
  popup->setRootIsDecorated(false);
  popup->setHeaderHidden(true);
  popup->setUniformRowHeights(true);
  popup->setAllColumnsShowFocus(true);
  popup->header()->setStretchLastSection(false);  // the columns keep their texts' widths
  return *popup;
}

// Each column as wide as its texts and a gap of two blanks.
int FitPopupWidth(QTreeView& popup) {
  const int gap = 2 * popup.fontMetrics().horizontalAdvance(QLatin1Char(' '));
  int width = 2 * popup.frameWidth() + popup.verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < kColumns; ++column) {
    popup.resizeColumnToContents(column);
    popup.setColumnWidth(column, popup.columnWidth(column) + gap);
    width += popup.columnWidth(column);
  }
  return width;
}

class NameCompletion : public QObject {
 public:
  explicit NameCompletion(QLineEdit& box)
      : QObject(&box),
        box_(box),
        table_(new NameTable(this)),
        matches_(new NameMatches(*table_, this)),
        completer_(new QCompleter(matches_, &box)),
        popup_(MakePopup()) {
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setCompletionColumn(kName);
    completer_->setPopup(&popup_);  // the completer owns it
    completer_->setWidget(&box);
    connect(&box, &QLineEdit::textEdited, this, &NameCompletion::Suggest);
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), &box,
            &QLineEdit::setText);
  }

 private:
  void Suggest(const QString& text) {
    const QString typed = text.trimmed();
    if (!typed.isEmpty()) {
      table_->FillOnce();
      matches_->Match(typed);
    }
    if (typed.isEmpty() || matches_->rowCount() == 0) {
      popup_.hide();
      return;
    }
    completer_->complete(QRect(0, 0, FitPopupWidth(popup_), box_.height()));
  }

  QLineEdit& box_;
  NameTable* table_;
  NameMatches* matches_;
  QCompleter* completer_;
  QTreeView& popup_;
};

}  // namespace

void CompleteRefrigerantNames(QLineEdit& box) { new NameCompletion(box); }

}  // namespace forms
