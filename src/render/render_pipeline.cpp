#include "render/render_pipeline.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <algorithm>
#include <map>

#include "core/vistrel_error.h"
#include "render/offscreen_scope.h"
#include "render/result_order.h"

namespace vistrel {

namespace {
const char kNothingPainted[] = "painted nothing of its own before the timeout";
const char kRendererEnded[] = "its render process ended";
const char kFinishFailed[] = "could not be finished";
}  // namespace

int DefaultPagesInFlight() { return std::max(1, QThread::idealThreadCount()) + 1; }

// One run of the pipeline: owns the loop and the results waiting for their turn.
class RenderPipeline::Batch : public QObject {
 public:
  Batch(RenderPipeline& pipeline, const QStringList& files, const PipelineHooks& hooks)
      : pipeline_(pipeline),
        files_(files),
        hooks_(hooks),
        order_(int(files.size()), 2 * int(pipeline.pages_.size())),
        busy_(pipeline.pages_.size(), -1) {}

  int Run() {
    QTimer poll;
    if (hooks_.stopAsked) {
      connect(&poll, &QTimer::timeout, this, [this] {
        if (!aborted_ && hooks_.stopAsked()) Abort();
      });
      poll.start(kStopPollMs);
    }
    Pump();
    if (!Finished()) loop_.exec();
    return order_.GivenCount();
  }

 private:
  bool Finished() const { return working_ == 0 && (aborted_ || order_.AllGiven()); }

  void CheckEnd() {
    if (Finished()) loop_.quit();
  }

  void Pump() {
    while (!aborted_) {
      const int index = order_.NextToStart();
      if (index < 0) break;
      const auto slot = std::find(busy_.begin(), busy_.end(), -1);
      if (slot == busy_.end()) break;
      if (hooks_.admit && !hooks_.admit(index, files_.at(index))) {
        order_.EndAt(index);
        break;
      }
      order_.Started();
      Start(int(slot - busy_.begin()), index);
    }
    CheckEnd();
  }

  void Start(int slot, int index) {
    OffscreenPage& page = *pipeline_.pages_[size_t(slot)];
    const PipelineOptions& options = pipeline_.options_;
    if (page.RenderSize() != options.renderSize) page.SetRenderSize(options.renderSize);
    page.SetDisplaySettings(options.display);
    page.SetTimeout(options.timeoutMs);
    ++working_;
    busy_[size_t(slot)] = index;
    try {
      page.StartLoad(files_.at(index),
                     [this, slot, index](PaintOutcome outcome) { Loaded(slot, index, outcome); });
    } catch (const VistrelError& error) {
      busy_[size_t(slot)] = -1;
      PageResult result{files_.at(index), PaintOutcome::kStopped, error.message(), {}, {}};
      Done(index, std::move(result));
    }
  }

  void Loaded(int slot, int index, PaintOutcome outcome) {
    OffscreenPage& page = *pipeline_.pages_[size_t(slot)];
    PageResult result{files_.at(index), outcome, {}, {}, {}};
    QImage capture;
    if (ShowsOwnPixels(outcome) && !aborted_) capture = page.Capture();
    if (outcome == PaintOutcome::kNothingPainted)
      result.error = QLatin1String(kNothingPainted);
    else if (outcome == PaintOutcome::kRendererEnded)
      result.error = QLatin1String(kRendererEnded);
    // Leave the page's own signal handling before its view may be replaced.
    QMetaObject::invokeMethod(
        this,
        [this, slot, &page] {
          page.ReleaseHungRenderer();
          busy_[size_t(slot)] = -1;
          Pump();
        },
        Qt::QueuedConnection);
    if (capture.isNull() || !hooks_.finish) {
      Done(index, std::move(result));
      return;
    }
    const PipelineHooks::FinishHook finish = hooks_.finish;
    QPointer<Batch> self(this);
    pipeline_.workers_->start(
        [self, finish, index, result = std::move(result), capture = std::move(capture)]() mutable {
          try {
            FinishedPage finished = finish(index, result.file, capture);
            result.image = std::move(finished.image);
            result.data = std::move(finished.data);
            if (result.image.isNull()) result.error = QLatin1String(kFinishFailed);
          } catch (const VistrelError& error) {
            result.error = error.message();
          } catch (const std::exception&) {
            result.error = QLatin1String(kFinishFailed);
          }
          capture = QImage();
          // The batch waits for every worker before it goes, so self is alive here.
          QMetaObject::invokeMethod(
              self.data(),
              [self, index, result = std::move(result)]() mutable {
                self->Done(index, std::move(result));
              },
              Qt::QueuedConnection);
        });
  }

  void Done(int index, PageResult result) {
    --working_;
    if (!aborted_) {
      waiting_[index] = std::move(result);
      order_.Ready(index);
    }
    Give();
  }

  void Give() {
    // Asking whether to stop runs the message loop, which may finish more pages: those are
    // given out by the loop below, not by a nested one.
    if (giving_) return;
    giving_ = true;
    for (int index = order_.NextToGive(); index >= 0 && !aborted_; index = order_.NextToGive()) {
      const PageResult result = std::move(waiting_[index]);
      waiting_.erase(index);
      order_.Given();
      if (hooks_.deliver && !hooks_.deliver(index, result)) Abort();
      // Stop acts between pages as at once: nothing after the page in hand comes out.
      if (!aborted_ && hooks_.stopAsked && hooks_.stopAsked()) Abort();
    }
    giving_ = false;
    Pump();
  }

  void Abort() {
    aborted_ = true;
    waiting_.clear();
    for (size_t slot = 0; slot < busy_.size(); ++slot) {
      if (busy_[slot] >= 0) pipeline_.pages_[slot]->StopLoad();
    }
    CheckEnd();
  }

  RenderPipeline& pipeline_;
  const QStringList& files_;
  const PipelineHooks& hooks_;
  QEventLoop loop_;
  ResultOrder order_;
  std::vector<int> busy_;  // per page: the file it loads, -1 when free
  std::map<int, PageResult> waiting_;
  int working_ = 0;  // files started and not yet done
  bool aborted_ = false;
  bool giving_ = false;
};

RenderPipeline::RenderPipeline(BrowserProfile& profile)
    : profile_(profile), workers_(std::make_unique<QThreadPool>()) {
  workers_->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

RenderPipeline::~RenderPipeline() { workers_->waitForDone(); }

void RenderPipeline::SetOptions(const PipelineOptions& options) { options_ = options; }

int RenderPipeline::Run(const QStringList& files, const PipelineHooks& hooks) {
  OffscreenRenderScope scope;
  const size_t wanted = size_t(options_.pages > 0 ? options_.pages : DefaultPagesInFlight());
  const size_t count = std::min(wanted, size_t(std::max<qsizetype>(1, files.size())));
  if (pages_.size() > wanted) pages_.resize(wanted);
  while (pages_.size() < count)
    pages_.push_back(std::make_unique<OffscreenPage>(profile_, options_.renderSize));
  Batch batch(*this, files, hooks);
  const int given = batch.Run();
  workers_->waitForDone();
  // Results of workers that ended with the batch are posted to it; drop them with it.
  QCoreApplication::removePostedEvents(&batch);
  for (auto& page : pages_) page->ReleaseHungRenderer();
  return given;
}

std::vector<qint64> RenderPipeline::RenderProcessIds() const {
  std::vector<qint64> ids;
  for (const auto& page : pages_) ids.push_back(page->RenderProcessId());
  return ids;
}

}  // namespace vistrel
