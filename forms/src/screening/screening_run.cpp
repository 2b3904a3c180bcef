#include "screening/screening_run.h"

#include <QMetaObject>

#include <variant>

#include "cycle/parallel_points.h"

namespace forms {

namespace {

// Runs `call` on the receiver's thread, if the run is still there then.
template <class Call>
void Post(QObject& receiver, const std::weak_ptr<const ScreeningRun::Handlers>& handlers,
          Call call) {
  QMetaObject::invokeMethod(
      &receiver,
      [handlers, call = std::move(call)] {
        if (const auto alive = handlers.lock()) call(*alive);
      },
      Qt::QueuedConnection);
}

}  // namespace

ScreeningRun::ScreeningRun(std::vector<cycle::ScreeningCandidate> fluids,
                           const cycle::ComparisonConditions& conditions, QObject& receiver,
                           Handlers handlers, int workers)
    : handlers_(std::make_shared<const Handlers>(std::move(handlers))) {
  // The run's own thread waits for the workers (it is one of them), so that
  // the window's thread never does.
  thread_.reset(QThread::create([fluids = std::move(fluids), conditions, &receiver, workers,
                                 &stop = stop_, weak = std::weak_ptr<const Handlers>(handlers_)] {
    // Each row is posted as it is done; the results themselves are not kept.
    const auto screen = [&](std::size_t i) {
      Post(receiver, weak, [row = cycle::ScreenFluid(fluids[i], conditions)](const Handlers& h) {
        h.screened(row);
      });
      return std::monostate{};
    };
    cycle::ComputeInParallel<std::monostate>(
        fluids.size(), screen,
        {.workers = workers, .stop_requested = [&stop] { return stop.load(); }, .done = {}});
    Post(receiver, weak, [](const Handlers& h) { h.finished(); });
  }));
  thread_->start();
}

ScreeningRun::~ScreeningRun() {
  stop_ = true;
  thread_->wait();
}

void ScreeningRun::RequestStop() { stop_ = true; }

}  // namespace forms
