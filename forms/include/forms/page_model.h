// The life of the program's pages: each page is either not loaded, loaded and
// hidden, or shown. Pages are registered by name with a factory that builds
// them with their design texts; the model creates them on first use, hides
// and destroys them, and reports when the last loaded page is gone.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace forms {

enum class PageState { NotLoaded, Hidden, Shown };

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
  void TakeOffScreen(QWidget& page);

  std::map<QString, Factory> factories_;
  std::map<QString, QWidget*> loaded_;  // owned; destroyed with deleteLater
  bool end_check_pending_ = false;
  std::optional<QPoint> last_centre_;  // of the page last taken off screen
};

}  // namespace forms
