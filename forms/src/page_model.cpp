#include "forms/page_model.h"

#include <QEvent>
#include <QMetaObject>
#include <QScreen>

#include <algorithm>

#include <stdexcept>

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
  loaded_[name] = page;
  return *page;
}

namespace {

// A page larger than the one before it, centred on that one, may reach past
// the screen's edge: it is moved back within it, frame and all.
void KeepOnScreen(QWidget& page) {
  const QScreen* screen = page.screen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QRect frame = page.frameGeometry();
  const auto shift = [](int low, int high, int area_low, int area_high) {
    if (high > area_high) return std::max(area_high - high, area_low - low);
    return low < area_low ? area_low - low : 0;
  };
  page.move(page.pos() + QPoint(shift(frame.left(), frame.right(), area.left(), area.right()),
                                shift(frame.top(), frame.bottom(), area.top(), area.bottom())));
}

}  // namespace

void PageModel::Show(const QString& name) {
  QWidget& page = Load(name);
  // The next page takes the place of the one before it, so that moving
  // through the pages feels like one window.
  const bool placed = !page.isVisible() && last_centre_;
  if (placed) page.move(*last_centre_ - page.rect().center());
  page.show();
  if (placed) KeepOnScreen(page);  // the frame is known once the page is shown
  page.raise();
  page.activateWindow();
}

void PageModel::Hide(const QString& name) {
  if (const auto it = loaded_.find(name); it != loaded_.end()) TakeOffScreen(*it->second);
}

void PageModel::TakeOffScreen(QWidget& page) {
  if (page.isVisible()) last_centre_ = page.geometry().center();
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
  return QObject::eventFilter(watched, event);
}

}  // namespace forms
