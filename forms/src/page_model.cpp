#include "forms/page_model.h"

#include <QEvent>
#include <QMetaObject>

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

void PageModel::Show(const QString& name) {
  QWidget& page = Load(name);
  // The next page takes the place of the one before it, so that moving
  // through the pages feels like one window.
  if (!page.isVisible() && last_centre_) page.move(*last_centre_ - page.rect().center());
  page.show();
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
