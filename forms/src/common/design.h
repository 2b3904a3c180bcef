// Building pages from their design tables: positions and sizes in units of
// 0.01 mm, converted to pixels from the screen's logical DPI in one place.
#pragma once

#include <QBoxLayout>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSize>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

namespace forms {

// A control's place on its page, in 0.01 mm from the page's top-left corner.
struct Box {
  int left, top, width, height;
};

// A figure as the pages show it: fixed-point with the given decimals.
QString Fixed(double value, int decimals);

// 0.01 mm to pixels at the screen's logical DPI.
int Px(int hundredths_of_mm);
void Place(QWidget& control, Box box);

// Texts whose look differs from the ordinary caption.
enum class Emphasis { Normal, Heading, Title };

// Tahoma at the size of ordinary captions, or larger and bold for headings.
QFont CaptionFont(Emphasis emphasis);

// A top-level page: the program's title and a fixed client
// area of the given design size.
class PageWindow : public QWidget {
 public:
  PageWindow(int client_width, int client_height);
};

// Controls named as in the design, placed on the page. The page owns them.
QLabel& AddLabel(QWidget& page, const QString& name, const QString& caption, Box box,
                 Emphasis emphasis = Emphasis::Normal);
QLineEdit& AddTextBox(QWidget& page, const QString& name, const QString& text, Box box);
// A result box: shows a figure, selectable but not editable.
QLineEdit& AddResultBox(QWidget& page, const QString& name, Box box);
QPushButton& AddButton(QWidget& page, const QString& name, const QString& caption, Box box);
// A note in smaller type on what a blend's temperatures are, named
// "BlendNote".
QLabel& AddBlendNote(QWidget& page, const QString& text, Box box);

// The text boxes of a form whose calculation reads its input as typed: each
// box fills one text of the input.
template <class Input>
class InputBoxes {
 public:
  void Add(std::string Input::*member, QLineEdit& box) { boxes_.push_back({member, &box}); }
  Input Read() const {
    Input input;
    for (const Box& box : boxes_) input.*box.member = box.edit->text().toStdString();
    return input;
  }
  void Show(const Input& input) const {
    for (const Box& box : boxes_) box.edit->setText(QString::fromStdString(input.*box.member));
  }
  void Clear() const {
    for (const Box& box : boxes_) box.edit->clear();
  }

 private:
  struct Box {
    std::string Input::*member;
    QLineEdit* edit;
  };
  std::vector<Box> boxes_;
};

// The buttons under a form's fields, as on the basic form: Back, Clear Data
// and Calculate side by side at `top`; Return presses Calculate, Escape Back.
struct FormButtons {
  QPushButton& back;
  QPushButton& clear;
  QPushButton& calculate;
};
inline constexpr int kFormButtonHeight = 847;
FormButtons AddFormButtons(QWidget& page, int top);

// The pages that grow with their window (diagrams, screening) are built with
// layouts instead: a heading of the page, not yet in a layout; a button of
// the page at the end of a row.
QLabel* AddHeading(QWidget& page, const QString& text);
QPushButton& AddButton(QWidget& page, QBoxLayout& row, const QString& name, const QString& caption);
// Such a page's line of status text, added to the layout: wrapped, and
// selectable so that a message can be copied.
QLabel& AddStatusLine(QWidget& page, QBoxLayout& layout);
// Such a page's first size: as large as is useful, but within a small screen;
// never smaller than `smallest`.
void SizeGrowingPage(QWidget& page, QSize useful, QSize smallest);

}  // namespace forms
