#include "render/paint_wait.h"

#include <QEventLoop>
#include <QTimer>

#include "render/browser_view.h"

namespace vistrel {

namespace {

// The page answers with painted, then settled two frames later. A frame that reaches the
// view after painted holds the finished page. Settled without such a frame is not trusted at
// once: a frame counted before painted may be the previous page's, queued late on a busy
// machine, so the page is asked once more and its second settled is taken as drawn.
class PaintWaiter {
 public:
  PaintWaiter(BrowserView& view, bool awaitLoad) : view_(view), loaded_(!awaitLoad) {}

  bool Run(int timeoutMs, const std::function<void()>& start) {
    QObject context;
    QObject::connect(&view_, &BrowserView::LoadFinished, &context, [this](bool) {
      loaded_ = true;
      Request();
    });
    QObject::connect(&view_, &BrowserView::FrameRendered, &context, [this] {
      if (loaded_ && painted_) Finish(true);
    });
    QObject::connect(&view_, &BrowserView::PaintReported, &context,
                     [this](int id, bool settled) { OnReport(id, settled); });
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &context, [this] { Finish(false); });
    timer.start(timeoutMs);
    if (start) start();
    if (loaded_) Request();
    if (!done_) loop_.exec();
    return result_;
  }

 private:
  void Request() {
    static int lastId = 0;
    id_ = ++lastId;
    painted_ = false;
    view_.RequestPaintReport(id_);
  }

  void OnReport(int id, bool settled) {
    if (id != id_ || done_) return;
    if (!settled) {
      painted_ = true;
    } else if (asked_again_) {
      Finish(true);
    } else {
      asked_again_ = true;
      Request();
    }
  }

  void Finish(bool painted) {
    if (done_) return;
    done_ = true;
    result_ = painted;
    loop_.quit();
  }

  BrowserView& view_;
  QEventLoop loop_;
  bool loaded_;
  bool painted_ = false;
  bool asked_again_ = false;
  bool done_ = false;
  bool result_ = false;
  int id_ = 0;
};

}  // namespace

bool WaitUntilPainted(BrowserView& view, bool awaitLoad, int timeoutMs,
                      const std::function<void()>& start) {
  return PaintWaiter(view, awaitLoad).Run(timeoutMs, start);
}

}  // namespace vistrel
