#include "common/name_completion.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCompleter>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTreeView>
#include <QWindow>

#include <algorithm>
#include <optional>
#include <vector>

#include "common/design.h"
#include "cycle/refrigerant_names.h"

namespace forms {

namespace {

enum Column { kName, kCritical, kSafetyClass, kOtherNames, kColumns };

const std::vector<catalogue::ListedFluid>& KnownFluids() {
  static const std::vector<catalogue::ListedFluid> fluids = cycle::ListRefrigerants().fluids;
  return fluids;
}

// Every name the library takes for the fluid, its file's name first.
QStringList NamesOf(const catalogue::ListedFluid& fluid) {
  QStringList names{QString::fromStdString(fluid.name)};
  for (const std::string& alias : fluid.aliases) names << QString::fromStdString(alias);
  return names;
}

// A fluid offered for the typed text, under the first of its names that
// starts with the text, else the first that holds it.
struct Offer {
  const catalogue::ListedFluid* fluid;
  QString shown;
  bool starts;
};

std::optional<Offer> OfferFor(const catalogue::ListedFluid& fluid, const QString& typed) {
  std::optional<Offer> holding;
  for (const QString& name : NamesOf(fluid)) {
    if (name.startsWith(typed, Qt::CaseInsensitive)) return Offer{&fluid, name, true};
    if (!holding && name.contains(typed, Qt::CaseInsensitive)) holding = Offer{&fluid, name, false};
  }
  return holding;
}

// The fluids that hold the typed text in one of their names, each once:
// those offered under a name that starts with it first, each group by that
// name without regard to case.
class Offers : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void Match(const QString& typed) {
    beginResetModel();
    offers_.clear();
    for (const catalogue::ListedFluid& fluid : KnownFluids()) {
      if (auto offer = OfferFor(fluid, typed)) offers_.push_back(std::move(*offer));
    }
    std::stable_sort(offers_.begin(), offers_.end(), [](const Offer& a, const Offer& b) {
      if (a.starts != b.starts) return a.starts;
      return a.shown.compare(b.shown, Qt::CaseInsensitive) < 0;
    });
    endResetModel();
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(offers_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : kColumns;
  }

  // The name column's edit text is what choosing it puts in the box.
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const Offer& offer = offers_[static_cast<std::size_t>(index.row())];
    const catalogue::ListedFluid& fluid = *offer.fluid;
    switch (index.column()) {
      case kName: return offer.shown;
      case kCritical:
        return fluid.critical_temperature
                   ? QStringLiteral("Tc %1 'C").arg(Fixed(*fluid.critical_temperature, 2))
                   : QStringLiteral("Tc unknown");
      case kSafetyClass:
        return QStringLiteral("safety class %1")
            .arg(fluid.safety_class ? QString::fromStdString(*fluid.safety_class)
                                    : QStringLiteral("unknown"));
      default: return OtherNames(offer);
    }
  }

 private:
  // "also n-Propane, Propane, C3H8": every name of the fluid but the one shown.
  static QString OtherNames(const Offer& offer) {
    QStringList names = NamesOf(*offer.fluid);
    names.removeAll(offer.shown);
    return names.isEmpty() ? QString() : QStringLiteral("also ") + names.join(QStringLiteral(", "));
  }

  std::vector<Offer> offers_;
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

// The press as the window under it receives one from the window system, so
// that it gives the focus and places the cursor as a click there does.
void Replay(const QMouseEvent& press) {
  const QPoint global = press.globalPosition().toPoint();
  QWidget* target = QApplication::widgetAt(global);
  QWindow* window = target != nullptr ? target->window()->windowHandle() : nullptr;
  if (window == nullptr) return;
  // As the window system delivers a click: to the window clicked, active.
  if (!target->isActiveWindow()) target->activateWindow();
  const QPointF local = window->mapFromGlobal(global);
  QMouseEvent replayed(QEvent::MouseButtonPress, local, local, press.globalPosition(),
                       press.button(), press.buttons(), press.modifiers());
  QCoreApplication::sendEvent(window, &replayed);
}

class NameCompletion : public QObject {
 public:
  explicit NameCompletion(QLineEdit& box)
      : QObject(&box),
        box_(box),
        offers_(new Offers(this)),
        completer_(new QCompleter(offers_, &box)),
        popup_(MakePopup()) {
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setCompletionColumn(kName);
    completer_->setPopup(&popup_);  // the completer owns it
    completer_->setWidget(&box);
    popup_.installEventFilter(this);  // after the completer's: this one sees events first
    connect(&box, &QLineEdit::textEdited, this, &NameCompletion::Suggest);
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), &box,
            &QLineEdit::setText);
  }

 protected:
  // The list holds the mouse while it is open. The completer closes it on a
  // click elsewhere and drops the click, which leaves the keys typed next to
  // this box ("R407C" and "85" into the condensing temperature's box made
  // "R407C85"); here the click reaches what it was aimed at.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &popup_ || event->type() != QEvent::MouseButtonPress) return false;
    const auto& press = static_cast<const QMouseEvent&>(*event);
    if (popup_.rect().contains(press.position().toPoint())) return false;
    popup_.hide();
    Replay(press);
    return true;
  }

 private:
  void Suggest(const QString& text) {
    const QString typed = text.trimmed();
    if (!typed.isEmpty()) offers_->Match(typed);
    if (typed.isEmpty() || offers_->rowCount() == 0) {
      popup_.hide();
      return;
    }
    completer_->complete(QRect(0, 0, FitPopupWidth(popup_), box_.height()));
  }

  QLineEdit& box_;
  Offers* offers_;
  QCompleter* completer_;
  QTreeView& popup_;
};

}  // namespace

void CompleteRefrigerantNames(QLineEdit& box) { new NameCompletion(box); }

}  // namespace forms
