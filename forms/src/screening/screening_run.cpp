#include "screening/screening_run.h"

#include <QMetaObject>

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
                           Handlers handlers)
    : handlers_(std::make_shared<const Handlers>(std::move(handlers))) {
  thread_.reset(QThread::create([fluids = std::move(fluids), conditions, &receiver,
                                 weak = std::weak_ptr<const Handlers>(handlers_)] {
    for (const cycle::ScreeningCandidate& fluid : fluids) {
      if (QThread::currentThread()->isInterruptionRequested()) break;
      Post(receiver, weak,
           [row = cycle::ScreenFluid(fluid, conditions)](const Handlers& h) { h.screened(row); });
    }
    Post(receiver, weak, [](const Handlers& h) { h.finished(); });
  }));
  thread_->start();
}

ScreeningRun::~ScreeningRun() {
  thread_->requestInterruption();
  thread_->wait();
}

void ScreeningRun::RequestStop() { thread_->requestInterruption(); }

}  // namespace forms
