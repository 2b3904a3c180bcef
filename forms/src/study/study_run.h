// One parameter study off the window's thread: its points computed on every
// core (cycle::RunStudy), the count of points done handed to the window's
// thread as they finish, and the points, in their order, once the study
// ends. A run stops at the points in hand; destroying it stops it and waits
// for its threads, after which none of its handlers is called.
#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "cycle/study.h"

namespace forms {

class StudyRun {
 public:
  // Called on the thread of `receiver`: progressed after points are done,
  // with how many are; then finished once, with every point done (all of
  // them, or those begun before a stop).
  struct Handlers {
    std::function<void(std::size_t done)> progressed;
    std::function<void(std::vector<cycle::StudyPoint> points)> finished;
  };

  // Starts at once. The study must pass cycle::StudyRefusal; the receiver
  // must outlive the run.
  StudyRun(cycle::Study study, QObject& receiver, Handlers handlers);
  ~StudyRun();
  StudyRun(const StudyRun&) = delete;
  StudyRun& operator=(const StudyRun&) = delete;

  // Asks the run to stop after the points in hand; finished follows.
  void RequestStop();

 private:
  // Shared with the threads only weakly: once the run is gone, what they
  // posted finds nothing to call.
  std::shared_ptr<const Handlers> handlers_;
  std::shared_ptr<std::atomic<bool>> stop_;
  std::unique_ptr<QThread> thread_;
};

}  // namespace forms
