#include "study/study_run.h"

#include <QMetaObject>

namespace forms {

namespace {

// The progress bar's steps: one per percent.
constexpr std::size_t kProgressSteps = 100;

// Runs `call` on the receiver's thread, if the run is still there then.
template <class Call>
void Post(QObject& receiver, const std::weak_ptr<const StudyRun::Handlers>& handlers, Call call) {
  QMetaObject::invokeMethod(
      &receiver,
      [handlers, call = std::move(call)]() mutable {
        if (const auto alive = handlers.lock()) call(*alive);
      },
      Qt::QueuedConnection);
}

}  // namespace

StudyRun::StudyRun(cycle::Study study, QObject& receiver, Handlers handlers)
    : handlers_(std::make_shared<const Handlers>(std::move(handlers))),
      stop_(std::make_shared<std::atomic<bool>>(false)) {
  thread_.reset(QThread::create([study = std::move(study), &receiver, stop = stop_,
                                 weak = std::weak_ptr<const Handlers>(handlers_)] {
    std::atomic<std::size_t> done{0};
    const std::size_t total = study.PointCount();
    const cycle::ParallelControl control{
        .workers = cycle::CoreCount(),
        .stop_requested = [&stop] { return stop->load(); },
        .done =
            [&](std::size_t) {
              // At most kProgressSteps counts: a post per point of a fast study
              // floods the window's queue and keeps Cancel's click waiting.
              const std::size_t count = ++done;
              if (count * kProgressSteps / total == (count - 1) * kProgressSteps / total) return;
              Post(receiver, weak, [count](const Handlers& h) { h.progressed(count); });
            },
    };
    auto points = cycle::RunStudy(study, control);
    Post(receiver, weak, [points = std::move(points)](const Handlers& h) mutable {
      h.finished(std::move(points));
    });
  }));
  thread_->start();
}

StudyRun::~StudyRun() {
  RequestStop();
  thread_->wait();
}

void StudyRun::RequestStop() { *stop_ = true; }

}  // namespace forms
