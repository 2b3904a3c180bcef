// The keys of a page: Return presses its main button, Escape its Back.
#pragma once

#include <QPushButton>
#include <QWidget>

namespace forms {

void BindPageKeys(QWidget& page, QPushButton& main, QPushButton& back);

}  // namespace forms
