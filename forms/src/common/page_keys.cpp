#include "common/page_keys.h"

#include <QKeySequence>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QShortcut>
#include <QStyleOptionButton>

#include <algorithm>
#include <set>
#include <vector>

#include "forms/page_model.h"

namespace forms {
namespace {

constexpr char kMainButton[] = "forms_main_button";
constexpr char kBackButton[] = "forms_back_button";
constexpr char kMnemonic[] = "forms_mnemonic";

QAbstractButton* DeclaredButton(const QWidget& page, const char* role) {
  return qobject_cast<QAbstractButton*>(page.property(role).value<QObject*>());
}

bool IsMnemonicLetter(QChar c) {
  return c.isLetterOrNumber() && c.unicode() < 128;
}

// The caption's word initials first, then its other letters and digits.
QString MnemonicCandidates(const QString& caption) {
  QString initials;
  QString others;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const QChar c = caption[i].toUpper();
    if (!IsMnemonicLetter(c)) continue;
    const bool starts_word = i == 0 || !caption[i - 1].isLetterOrNumber();
    (starts_word ? initials : others) += c;
  }
  return initials + others;
}

// The caption with "&" before the mnemonic: before the first word that begins
// with it, else before its first occurrence.
QString MarkMnemonic(const QString& caption, QChar mnemonic) {
  qsizetype at = -1;
  for (qsizetype i = 0; i < caption.size() && at < 0; ++i) {
    const bool starts_word = i == 0 || !caption[i - 1].isLetterOrNumber();
    if (starts_word && caption[i].toUpper() == mnemonic) at = i;
  }
  if (at < 0) at = caption.indexOf(mnemonic, 0, Qt::CaseInsensitive);
  if (at < 0) return caption;
  QString marked = caption;
  marked.insert(at, QLatin1Char('&'));
  return marked;
}

// Draws a push button's caption with its mnemonic underlined, leaving the
// caption itself as designed.
class MnemonicStyle : public QProxyStyle {
 public:
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    const QChar mnemonic = widget != nullptr ? widget->property(kMnemonic).toChar() : QChar();
    if (element != CE_PushButtonLabel || button == nullptr || mnemonic.isNull()) {
      QProxyStyle::drawControl(element, option, painter, widget);
      return;
    }
    QStyleOptionButton marked(*button);
    marked.text = MarkMnemonic(button->text, mnemonic);
    QProxyStyle::drawControl(element, &marked, painter, widget);
  }
};

// Controls placed by position, each in the row of the control above which
// it starts by less than half its height, rows top to bottom, each left to
// right.
std::vector<QWidget*> ReadingOrder(std::vector<QWidget*> controls) {
  std::ranges::sort(controls, {}, [](const QWidget* w) { return std::pair(w->y(), w->x()); });
  std::vector<QWidget*> ordered;
  auto row_start = controls.begin();
  while (row_start != controls.end()) {
    const int row_top = (*row_start)->y();
    int half_height = (*row_start)->height() / 2;
    auto row_end = std::next(row_start);
    for (; row_end != controls.end() && (*row_end)->y() < row_top + half_height; ++row_end)
      half_height = std::min(half_height, (*row_end)->height() / 2);
    std::vector<QWidget*> row(row_start, row_end);
    std::ranges::stable_sort(row, {}, &QWidget::x);
    ordered.insert(ordered.end(), row.begin(), row.end());
    row_start = row_end;
  }
  return ordered;
}

void OrderTabsByReading(QWidget& page) {
  std::vector<QWidget*> controls;
  for (QWidget* child : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!child->isWindow() && (child->focusPolicy() & Qt::TabFocus) != 0) controls.push_back(child);
  const std::vector<QWidget*> order = ReadingOrder(std::move(controls));
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

// The main and back buttons choose first, then the others in the order they
// were made.
std::vector<QPushButton*> ButtonsByPrecedence(const QWidget& page) {
  std::vector<QPushButton*> buttons;
  for (const char* role : {kMainButton, kBackButton})
    if (auto* declared = qobject_cast<QPushButton*>(DeclaredButton(page, role));
        declared != nullptr && std::ranges::find(buttons, declared) == buttons.end())
      buttons.push_back(declared);
  for (QPushButton* button : page.findChildren<QPushButton*>())
    if (std::ranges::find(buttons, button) == buttons.end()) buttons.push_back(button);
  return buttons;
}

void GiveMnemonics(QWidget& page) {
  auto* style = new MnemonicStyle;
  style->setParent(&page);
  std::set<QChar> taken;
  for (QPushButton* button : ButtonsByPrecedence(page)) {
    const QString candidates = MnemonicCandidates(button->text());
    const auto free = std::ranges::find_if(candidates, [&](QChar c) { return !taken.contains(c); });
    if (free == candidates.end()) continue;
    taken.insert(*free);
    button->setProperty(kMnemonic, *free);
    button->setStyle(style);
    // A shortcut of the button is live only while the button is visible and
    // enabled.
    auto* shortcut =
        new QShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(free->unicode()))), button);
    QObject::connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
  }
}

}  // namespace

QString MnemonicCaption(const QAbstractButton& button) {
  const QChar mnemonic = button.property(kMnemonic).toChar();
  return mnemonic.isNull() ? button.text() : MarkMnemonic(button.text(), mnemonic);
}

void DeclareKeyButtons(QWidget& page, KeyButtons buttons) {
  page.setProperty(kMainButton, QVariant::fromValue<QObject*>(buttons.main));
  page.setProperty(kBackButton, QVariant::fromValue<QObject*>(buttons.back));
}

void PrepareKeys(QWidget& page) {
  if (page.layout() == nullptr) OrderTabsByReading(page);
  GiveMnemonics(page);
}

bool PressKeyButton(QWidget& page, const QKeyEvent& key) {
  if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  QAbstractButton* target = nullptr;
  switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      target = DeclaredButton(page, kMainButton);
      if (target == nullptr) target = qobject_cast<QPushButton*>(page.focusWidget());
      break;
    case Qt::Key_Escape:
      target = DeclaredButton(page, kBackButton);
      break;
    default:
      return false;
  }
  if (target == nullptr || !target->isVisible() || !target->isEnabled()) return false;
  target->click();
  return true;
}

}  // namespace forms
