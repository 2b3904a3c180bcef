#include "common/design.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

#include "cycle/number_text.h"
#include "forms/page_model.h"
#include "forms/shell.h"

namespace forms {
namespace {

constexpr double kHundredthsOfMmPerInch = 2540.0;
constexpr double kFallbackDpi = 96.0;
constexpr int kCaptionPoints = 10;

double LogicalDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->logicalDotsPerInch() : kFallbackDpi;
}

}  // namespace

QFont CaptionFont(Emphasis emphasis) {
  QFont font(QStringLiteral("Tahoma"));
  switch (emphasis) {
    case Emphasis::Normal:
      font.setPointSize(kCaptionPoints);
      break;
    case Emphasis::Heading:
      font.setPointSize(kCaptionPoints + 2);
      font.setBold(true);
      break;
    case Emphasis::Title:
      font.setPointSize(kCaptionPoints + 8);
      font.setBold(true);
      break;
  }
  return font;
}

QString Fixed(double value, int decimals) {
  return QString::fromStdString(cycle::FormatFixed(value, decimals));
}

int Px(int hundredths_of_mm) {
  return qRound(hundredths_of_mm * LogicalDpi() / kHundredthsOfMmPerInch);
}

void Place(QWidget& control, Box box) {
  control.setGeometry(Px(box.left), Px(box.top), Px(box.width), Px(box.height));
}

PageWindow::PageWindow(int client_width, int client_height) {
  setWindowTitle(QString::fromLatin1(kTitle));
  setFixedSize(Px(client_width), Px(client_height));
}

QLabel& AddLabel(QWidget& page, const QString& name, const QString& caption, Box box,
                 Emphasis emphasis) {
  auto* label = new QLabel(caption, &page);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (emphasis != Emphasis::Normal) {
    label->setFont(CaptionFont(emphasis));
    label->setAlignment(Qt::AlignCenter);
  }
  Place(*label, box);
  return *label;
}

QLineEdit& AddTextBox(QWidget& page, const QString& name, const QString& text, Box box) {
  auto* edit = new QLineEdit(text, &page);
  edit->setObjectName(name);
  Place(*edit, box);
  return *edit;
}

QLineEdit& AddResultBox(QWidget& page, const QString& name, Box box) {
  QLineEdit& edit = AddTextBox(page, name, QString(), box);
  edit.setReadOnly(true);
  edit.setAlignment(Qt::AlignRight);
  return edit;
}

QPushButton& AddButton(QWidget& page, const QString& name, const QString& caption, Box box) {
  auto* button = new QPushButton(caption, &page);
  button->setObjectName(name);
  button->setAutoDefault(false);
  Place(*button, box);
  return *button;
}

FormButtons AddFormButtons(QWidget& page, int top) {
  constexpr int kWidth = 4057, kHeight = kFormButtonHeight;
  FormButtons buttons{AddButton(page, "Back", "Back", {2328, top, kWidth, kHeight}),
                      AddButton(page, "ClearData", "Clear Data", {7620, top, kWidth, kHeight}),
                      AddButton(page, "Calculate", "Calculate", {12912, top, kWidth, kHeight})};
  DeclareKeyButtons(page, {.main = &buttons.calculate, .back = &buttons.back});
  return buttons;
}

QLabel* AddHeading(QWidget& page, const QString& text) {
  auto* heading = new QLabel(text, &page);
  heading->setFont(CaptionFont(Emphasis::Heading));
  return heading;
}

QPushButton& AddButton(QWidget& page, QBoxLayout& row, const QString& name, const QString& caption) {
  auto* button = new QPushButton(caption, &page);
  button->setObjectName(name);
  button->setAutoDefault(false);
  row.addWidget(button);
  return *button;
}

QLabel& AddStatusLine(QWidget& page, QBoxLayout& layout) {
  auto* status = new QLabel(&page);
  status->setObjectName(QStringLiteral("Status"));
  status->setWordWrap(true);
  status->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout.addWidget(status);
  return *status;
}

void SizeGrowingPage(QWidget& page, QSize useful, QSize smallest) {
  page.setMinimumSize(smallest);
  const QSize room = page.screen() ? page.screen()->availableGeometry().size() * 0.9 : useful;
  page.resize(useful.boundedTo(room).expandedTo(smallest));
}

}  // namespace forms
