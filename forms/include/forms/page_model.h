// The life of the program's pages: each page is either not loaded, loaded and
// hidden, or shown. Pages are registered by name with a factory that builds
// them with their design texts; the model creates them on first use, hides
// and destroys them, and reports when the last loaded page is gone.
//
// Placement: the first page opens centred on the screen, every next one
// centred where the page before it was, its frame kept within the screen's
// available area.
//
// Keys, the same on every page:
// - Return presses the page's main button (Calculate, Next ...), Escape its
//   back button; a page names them in its constructor with
//   DeclareKeyButtons(*this, {.main = &next, .back = &back}). On a page
//   without a main button Return presses the focused push button.
// - Every push button gets an Alt mnemonic when the page is loaded, unique on
//   its page: the main and back buttons choose first, then the others in
//   reading order, each the first free initial of its caption's words, else
//   any free letter or digit. The caption (QAbstractButton::text) stays as
//   designed; the letter is underlined where the button is drawn.
// - Pages placed from design tables (no layout) take the reading order, top to
//   bottom and left to right, as their tab order; pages built with layouts
//   keep the order in which their controls were made, which their layouts
//   follow.
#pragma once

#include <QAbstractButton>
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace forms {

enum class PageState { NotLoaded, Hidden, Shown };

// The buttons a page's Return and Escape press; either may be absent, and one
// button may be both (Back on a page where it is the only way on).
struct KeyButtons {
  QAbstractButton* main = nullptr;
  QAbstractButton* back = nullptr;
};
void DeclareKeyButtons(QWidget& page, KeyButtons buttons);

// Where a window frame of the given size goes: centred on `centre`, then moved
// into `area` as far as needed; one larger than the area keeps its top-left
// corner in the area's.
QRect FramePlacement(QPoint centre, QSize frame, const QRect& area);

class PageModel : public QObject {
  Q_OBJECT

 public:
  using Factory = std::function<std::unique_ptr<QWidget>()>;

  PageModel() = default;
  ~PageModel() override;
  PageModel(const PageModel&) = delete;
  PageModel& operator=(const PageModel&) = delete;

  void Register(const QString& name, Factory factory);

  PageState State(const QString& name) const;
  QStringList LoadedPages() const;

  // The page, created first when it is not loaded (reading or writing a
  // control of an unloaded page loads it).
  QWidget& Load(const QString& name);
  template <class Page>
  Page& Get(const QString& name) {
    return dynamic_cast<Page&>(Load(name));
  }

  void Show(const QString& name);
  void Hide(const QString& name);
  // Destroys the page; its texts are lost and the next Load builds it anew.
  // Safe from within the page's own event handlers.
  void Unload(const QString& name);
  void UnloadAll();

 signals:
  // Emitted once control is back in the event loop after the last loaded page
  // was unloaded (a handler may unload its own page and then show another).
  void LastPageUnloaded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CheckForEnd();
  void PlaceBeforeShowing(QWidget& page) const;
  void TakeOffScreen(QWidget& page);

  std::map<QString, Factory> factories_;
  std::map<QString, QWidget*> loaded_;  // owned; destroyed with deleteLater
  bool end_check_pending_ = false;
  // Of the page last taken off screen: the centre of its frame, and the
  // frame's margins around the page, which the next page will have too.
  std::optional<QPoint> last_centre_;
  QMargins frame_margins_;
};

}  // namespace forms
