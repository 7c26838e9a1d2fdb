#include "render/paint_wait.h"

#include <QEventLoop>

#include "render/browser_view.h"

namespace vistrel {

// The page answers with painted, then settled two frames later. A frame that reaches the
// view after painted holds the finished page. A page that changes nothing after its load
// sends no further frame; by settled the engine has drawn the page twice over, so the view
// draws its picture once more from what the engine delivered, and that frame is taken.
// Report 0 comes unasked from a new document once it has drawn its first frames: without it
// a page that times out may have drawn nothing, and the view still shows the page before.

PaintWatch::PaintWatch(BrowserView& view) : view_(view) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this,
          [this] { Finish(ownPaint_ ? PaintOutcome::kTimedOut : PaintOutcome::kNothingPainted); });
  connect(&view_, &BrowserView::LoadFinished, this, [this](bool) {
    if (!Running()) return;
    loaded_ = true;
    Request();
  });
  connect(&view_, &BrowserView::FrameRendered, this, [this] {
    if (Running() && loaded_ && painted_) Finish(PaintOutcome::kPainted);
  });
  connect(&view_, &BrowserView::PaintReported, this,
          [this](int id, bool settled) { OnReport(id, settled); });
}

void PaintWatch::Start(bool awaitLoad, int timeoutMs, const std::function<void()>& start,
                       Done done) {
  loaded_ = !awaitLoad;
  ownPaint_ = !awaitLoad;  // a lent view shows its own page already
  painted_ = false;
  id_ = -1;
  done_ = std::move(done);
  timer_.start(timeoutMs);
  try {
    if (start) start();
  } catch (...) {
    timer_.stop();
    done_ = nullptr;
    throw;
  }
  if (loaded_ && Running()) Request();
}

void PaintWatch::Request() {
  static int lastId = 0;
  id_ = ++lastId;
  painted_ = false;
  view_.RequestPaintReport(id_);
}

void PaintWatch::OnReport(int id, bool settled) {
  if (!Running()) return;
  if (id == 0) {
    ownPaint_ = true;
    return;
  }
  if (id != id_) return;
  ownPaint_ = true;
  painted_ = true;
  if (settled) view_.Redraw();
}

void PaintWatch::Finish(PaintOutcome outcome) {
  if (!Running()) return;
  timer_.stop();
  Done done = std::move(done_);
  done_ = nullptr;
  done(outcome);
}

PaintOutcome WaitForPaint(BrowserView& view, bool awaitLoad, int timeoutMs,
                          const std::function<void()>& start,
                          const std::function<bool()>& stopAsked) {
  PaintWatch watch(view);
  QEventLoop loop;
  PaintOutcome result = PaintOutcome::kStopped;
  bool done = false;
  QTimer poll;
  if (stopAsked) {
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
      if (stopAsked()) watch.Stop();
    });
    poll.start(kStopPollMs);
  }
  watch.Start(awaitLoad, timeoutMs, start, [&](PaintOutcome outcome) {
    result = outcome;
    done = true;
    loop.quit();
  });
  if (!done) loop.exec();
  return result;
}

bool WaitUntilPainted(BrowserView& view, bool awaitLoad, int timeoutMs,
                      const std::function<void()>& start) {
  return WaitForPaint(view, awaitLoad, timeoutMs, start) == PaintOutcome::kPainted;
}

}  // namespace vistrel
