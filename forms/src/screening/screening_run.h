// One screening on a thread of its own: the fluids one at a time through
// cycle::ScreenFluid, each row handed to the window's thread as soon as it is
// done, so that the window stays responsive. The property library holds one
// loaded fluid per process: while a run lives, nothing else may call the
// property layer. A run stops between two fluids; destroying it stops it and
// waits for its thread, after which none of its handlers is called.
#pragma once

#include <QObject>
#include <QThread>

#include <functional>
#include <memory>
#include <vector>

#include "cycle/screening.h"

namespace forms {

class ScreeningRun {
 public:
  // Called on the thread of `receiver`, in this order: screened once per
  // fluid, then finished once, when the last fluid is done or the run stopped.
  struct Handlers {
    std::function<void(cycle::ScreeningRow row)> screened;
    std::function<void()> finished;
  };

  // Starts at once. The receiver must outlive the run.
  ScreeningRun(std::vector<cycle::ScreeningCandidate> fluids,
               const cycle::ComparisonConditions& conditions, QObject& receiver, Handlers handlers);
  ~ScreeningRun();
  ScreeningRun(const ScreeningRun&) = delete;
  ScreeningRun& operator=(const ScreeningRun&) = delete;

  // Asks the run to stop after the fluid in hand; finished follows.
  void RequestStop();

 private:
  // Shared with the thread only weakly: once the run is gone, what the
  // thread posted finds nothing to call.
  std::shared_ptr<const Handlers> handlers_;
  std::unique_ptr<QThread> thread_;
};

}  // namespace forms
