#pragma once

#include <QImage>
#include <QSize>
#include <functional>
#include <memory>

#include "render/display_settings.h"
#include "render/paint_wait.h"

class QWidget;

namespace vistrel {

class BrowserProfile;
class BrowserView;
class ViewPlace;

// A browser window of a given size that is never shown on screen: it loads a local file,
// waits until the page is loaded and painted, and captures exactly that many pixels. One
// page serves any number of loads, which is what makes batches fast.
class OffscreenPage {
 public:
  static constexpr int kDefaultTimeoutMs = 5000;

  OffscreenPage(BrowserProfile& profile, QSize renderSize);
  ~OffscreenPage();
  OffscreenPage(const OffscreenPage&) = delete;
  OffscreenPage& operator=(const OffscreenPage&) = delete;

  QSize RenderSize() const { return renderSize_; }
  void SetRenderSize(QSize size);
  // Used from the next load on (copy them from the shared browser).
  void SetDisplaySettings(const BrowserDisplaySettings& settings) { display_ = settings; }
  void SetTimeout(int milliseconds) { timeoutMs_ = milliseconds; }

  // Starts loading the file; done is called once from the event loop with how it ended.
  // Throws VistrelError "Can't locate file: " + path for a missing file (done is not called).
  void StartLoad(const QString& fileName, PaintWatch::Done done);
  // Ends a running load at once with kStopped.
  void StopLoad();
  bool Loading() const;
  // After a load that did not end painted, the page's renderer may still be busy (a script
  // that never ends): this lets it go now rather than at the next load. Capture() is empty
  // afterwards.
  void ReleaseHungRenderer();

  // Loads the file and waits until it is painted, the timeout, or stopAsked answering true.
  // Throws VistrelError as StartLoad does, and kRenderRunning while another off-screen
  // render runs its loop.
  PaintOutcome Load(const QString& fileName, const std::function<bool()>& stopAsked = {});
  // Load() == kPainted.
  bool LoadHTMLFile(const QString& fileName);

  // Exactly RenderSize() pixels of the page shown (the lent view's while one is lent); a null
  // image when the last load ended without a picture of its own (nothing painted, the
  // renderer died, stopped), so another page's pixels are never taken for it.
  QImage Capture() const;

  // Moves a live view (with whatever page it shows) into this window, lays it out at the
  // render size and waits until it is painted; false on timeout. ReturnView() (or the
  // destructor) puts it back where it was, without reloading it.
  bool LendView(BrowserView& view);
  void ReturnView();

  // The view that is captured: the lent one, or the page's own.
  BrowserView& View() const;
  // The process id of the renderer of the page's own view; 0 while it has none.
  qint64 RenderProcessId() const;

 private:
  void CreateOwnView();
  void WatchRenderer();

  BrowserProfile& profile_;
  QSize renderSize_;
  BrowserDisplaySettings display_;
  int timeoutMs_ = kDefaultTimeoutMs;
  std::unique_ptr<QWidget> window_;
  BrowserView* own_ = nullptr;
  std::unique_ptr<PaintWatch> watch_;
  BrowserView* lent_ = nullptr;
  std::unique_ptr<ViewPlace> lentPlace_;
  bool pendingFreshView_ = false;
  bool lastShowsOwn_ = true;
};

}  // namespace vistrel
