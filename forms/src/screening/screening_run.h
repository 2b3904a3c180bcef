// One screening off the window's thread: the fluids through
// cycle::ScreenFluid on every core (cycle::ComputeInParallel), each row handed
// to the window's thread as soon as it is done, so that the window stays
// responsive. Each thread keeps its own current fluid in the property layer
// and the library, so the window's thread may compute meanwhile. A run stops
// once the fluids in hand are done; destroying it stops it and waits for its
// threads, after which none of its handlers is called.
#pragma once

#include <QObject>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "cycle/screening.h"

namespace forms {

class ScreeningRun {
 public:
  // Called on the thread of `receiver`, in this order: screened once per
  // fluid, in the order the fluids are done, then finished once, when the
  // last fluid is done or the run stopped.
  struct Handlers {
    std::function<void(cycle::ScreeningRow row)> screened;
    std::function<void()> finished;
  };

  // Starts at once, on `workers` threads (0: one per core). The receiver
  // must outlive the run.
  ScreeningRun(std::vector<cycle::ScreeningCandidate> fluids,
               const cycle::ComparisonConditions& conditions, QObject& receiver, Handlers handlers,
               int workers = 0);
  ~ScreeningRun();
  ScreeningRun(const ScreeningRun&) = delete;
  ScreeningRun& operator=(const ScreeningRun&) = delete;

  // Asks the run to stop after the fluids in hand; finished follows.
  void RequestStop();

 private:
  // Shared with the threads only weakly: once the run is gone, what they
  // posted finds nothing to call.
  std::shared_ptr<const Handlers> handlers_;
  std::atomic<bool> stop_{false};
  std::unique_ptr<QThread> thread_;
};

}  // namespace forms
