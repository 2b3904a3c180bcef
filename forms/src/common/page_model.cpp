#include "forms/page_model.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QScreen>

#include <algorithm>

#include <stdexcept>

#include "common/page_keys.h"

namespace forms {

PageModel::~PageModel() {
  for (auto& [name, page] : loaded_) delete page;
}

void PageModel::Register(const QString& name, Factory factory) {
  factories_[name] = std::move(factory);
}

PageState PageModel::State(const QString& name) const {
  const auto it = loaded_.find(name);
  if (it == loaded_.end()) return PageState::NotLoaded;
  return it->second->isVisible() ? PageState::Shown : PageState::Hidden;
}

QStringList PageModel::LoadedPages() const {
  QStringList names;
  for (const auto& [name, page] : loaded_) names << name;
  return names;
}

QWidget& PageModel::Load(const QString& name) {
  if (const auto it = loaded_.find(name); it != loaded_.end()) return *it->second;
  const auto factory = factories_.find(name);
  if (factory == factories_.end())
    throw std::logic_error("no page registered as " + name.toStdString());
  QWidget* page = factory->second().release();
  page->setObjectName(name);
  // The window's own close control ends the program: no hidden page may keep
  // the process alive without a window on screen.
  page->installEventFilter(this);
  PrepareKeys(*page);
  loaded_[name] = page;
  return *page;
}

QRect FramePlacement(QPoint centre, QSize frame, const QRect& area) {
  QRect placed(QPoint(0, 0), frame);
  placed.moveCenter(centre);
  const auto within = [](int low, int length, int area_low, int area_length) {
    return std::max(area_low, std::min(low, area_low + area_length - length));
  };
  placed.moveTo(within(placed.left(), placed.width(), area.left(), area.width()),
                within(placed.top(), placed.height(), area.top(), area.height()));
  return placed;
}

void PageModel::Show(const QString& name) {
  QWidget& page = Load(name);
  if (!page.isVisible()) PlaceBeforeShowing(page);
  page.show();
  page.raise();
  page.activateWindow();
}

// The next page takes the place of the one before it, so that moving through
// the pages feels like one window. Positions are those of the frame (the
// window manager's title bar and borders): move() places the frame, while
// geometry() is the page within it.
void PageModel::PlaceBeforeShowing(QWidget& page) const {
  const QScreen* screen = last_centre_ ? QGuiApplication::screenAt(*last_centre_) : nullptr;
  if (screen == nullptr) screen = page.screen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QSize frame = page.size().grownBy(frame_margins_);
  page.move(FramePlacement(last_centre_.value_or(area.center()), frame, area).topLeft());
}

void PageModel::Hide(const QString& name) {
  if (const auto it = loaded_.find(name); it != loaded_.end()) TakeOffScreen(*it->second);
}

void PageModel::TakeOffScreen(QWidget& page) {
  if (page.isVisible()) {
    const QRect frame = page.frameGeometry();
    const QRect inner = page.geometry();
    last_centre_ = frame.center();
    frame_margins_ = QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                              frame.right() - inner.right(), frame.bottom() - inner.bottom());
  }
  page.hide();
}

void PageModel::Unload(const QString& name) {
  const auto it = loaded_.find(name);
  if (it == loaded_.end()) return;
  QWidget* page = it->second;
  loaded_.erase(it);
  page->removeEventFilter(this);
  TakeOffScreen(*page);
  page->deleteLater();  // its own handler may still be running
  if (loaded_.empty() && !end_check_pending_) {
    end_check_pending_ = true;
    QMetaObject::invokeMethod(this, &PageModel::CheckForEnd, Qt::QueuedConnection);
  }
}

void PageModel::UnloadAll() {
  while (!loaded_.empty()) Unload(loaded_.begin()->first);
}

void PageModel::CheckForEnd() {
  end_check_pending_ = false;
  if (loaded_.empty()) emit LastPageUnloaded();
}

bool PageModel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close) {
    UnloadAll();
    return true;
  }
  // A Return or Escape that no control of the page took.
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
      PressKeyButton(*static_cast<QWidget*>(watched), *static_cast<const QKeyEvent*>(event)))
    return true;
  return QObject::eventFilter(watched, event);
}

}  // namespace forms
