#include "page_keys.h"

#include <QShortcut>

namespace forms {

void BindPageKeys(QWidget& page, QPushButton& main, QPushButton& back) {
  // Return on the main keyboard and Enter on the keypad alike.
  for (const int key : {Qt::Key_Return, Qt::Key_Enter})
    QObject::connect(new QShortcut(QKeySequence(key), &page), &QShortcut::activated, &main,
                     &QPushButton::click);
  QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), &page), &QShortcut::activated,
                   &back, &QPushButton::click);
}

}  // namespace forms
