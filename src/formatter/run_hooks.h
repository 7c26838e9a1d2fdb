#pragma once

#include <QElapsedTimer>
#include <functional>

namespace vistrel {

// How a formatting run talks to its caller. Both are optional.
struct RunHooks {
  // A coarse sign of activity: the range once, then positions within it.
  std::function<void(qint64 range, qint64 position)> progress;
  // Lets a user interface handle waiting events; called at most every ~20 ms of work.
  std::function<void()> breathe;
  // Milliseconds on a steady clock; by default the pacer's own timer.
  std::function<qint64()> clockMs;
};

// Paces the hooks for a run: cheap to call in a loop, it looks at the clock only every few
// dozen calls and lets the caller breathe only when enough time has passed.
class RunPacer {
 public:
  static constexpr qint64 kBreatheIntervalMs = 20;

  explicit RunPacer(const RunHooks& hooks) : hooks_(hooks) {
    timer_.start();
    last_ = Now();
  }

  void SetRange(qint64 range) {
    range_ = range;
    Report(0);
  }
  void Report(qint64 position) {
    if (hooks_.progress) hooks_.progress(range_, position);
  }
  void Poll() {
    if (!hooks_.breathe || ++calls_ < 32) return;
    calls_ = 0;
    if (Now() - last_ < kBreatheIntervalMs) return;
    hooks_.breathe();
    last_ = Now();
  }

 private:
  qint64 Now() const { return hooks_.clockMs ? hooks_.clockMs() : timer_.elapsed(); }

  const RunHooks& hooks_;
  QElapsedTimer timer_;
  qint64 last_ = 0;
  qint64 range_ = 0;
  int calls_ = 0;
};

}  // namespace vistrel
