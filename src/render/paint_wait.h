#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace vistrel {

class BrowserView;

// How a wait for a page's paint ended.
enum class PaintOutcome {
  kPainted,         // loaded and drawn completely
  kTimedOut,        // the timeout came first, but the page has drawn something of its own
  kNothingPainted,  // the timeout came first and the view may still show an earlier page
  kRendererEnded,   // the page's render process died (killed, crashed, out of memory)
  kStopped,         // Stop() ended the wait
};

// True for the outcomes whose capture shows the page asked for.
inline bool ShowsOwnPixels(PaintOutcome outcome) {
  return outcome == PaintOutcome::kPainted || outcome == PaintOutcome::kTimedOut;
}

// Follows one view until it shows its page completely: loaded (when awaitLoad), pictures
// decoded, and a frame drawn after that has reached the view's pixels. Driven by the view's
// signals, so any number of pages can be waited for side by side without a nested loop.
class PaintWatch : public QObject {
  Q_OBJECT

 public:
  using Done = std::function<void(PaintOutcome)>;

  explicit PaintWatch(BrowserView& view);

  // start runs once everything is listening (it may start the load, and may throw: then
  // nothing is waited for). done is called exactly once, from the event loop or from
  // Stop()/RendererEnded().
  void Start(bool awaitLoad, int timeoutMs, const std::function<void()>& start, Done done);
  bool Running() const { return static_cast<bool>(done_); }
  void Stop() { Finish(PaintOutcome::kStopped); }
  void RendererEnded() { Finish(PaintOutcome::kRendererEnded); }

 private:
  void Request();
  void OnReport(int id, bool settled);
  void Finish(PaintOutcome outcome);

  BrowserView& view_;
  QTimer timer_;
  Done done_;
  bool loaded_ = false;
  bool painted_ = false;
  bool ownPaint_ = false;
  int id_ = -1;
};

// Runs the event loop until the view shows its page (see PaintWatch). Returns false when
// timeoutMs ended the wait first; what is painted by then is what the view shows.
bool WaitUntilPainted(BrowserView& view, bool awaitLoad, int timeoutMs,
                      const std::function<void()>& start);

// The same with the outcome; stopAsked (when set) is asked every few milliseconds and ends
// the wait with kStopped when it answers true.
PaintOutcome WaitForPaint(BrowserView& view, bool awaitLoad, int timeoutMs,
                          const std::function<void()>& start,
                          const std::function<bool()>& stopAsked = {});

// How often a running render asks whether the user wants to stop.
constexpr int kStopPollMs = 50;

}  // namespace vistrel
