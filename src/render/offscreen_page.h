#pragma once

#include <QImage>
#include <QSize>
#include <memory>

#include "render/display_settings.h"

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
  static constexpr int kDefaultTimeoutMs = 15000;

  OffscreenPage(BrowserProfile& profile, QSize renderSize);
  ~OffscreenPage();
  OffscreenPage(const OffscreenPage&) = delete;
  OffscreenPage& operator=(const OffscreenPage&) = delete;

  QSize RenderSize() const { return renderSize_; }
  void SetRenderSize(QSize size);
  // Used from the next load on (copy them from the shared browser).
  void SetDisplaySettings(const BrowserDisplaySettings& settings) { display_ = settings; }
  void SetTimeout(int milliseconds) { timeoutMs_ = milliseconds; }

  // Loads the file and waits until it is painted. Returns false when the timeout ended the
  // wait; Capture() then gives what was painted by then. Throws VistrelError
  // "Can't locate file: " + path for a missing file.
  bool LoadHTMLFile(const QString& fileName);

  // Exactly RenderSize() pixels of the page shown (the lent view's while one is lent).
  QImage Capture() const;

  // Moves a live view (with whatever page it shows) into this window, lays it out at the
  // render size and waits until it is painted; false on timeout. ReturnView() (or the
  // destructor) puts it back where it was, without reloading it.
  bool LendView(BrowserView& view);
  void ReturnView();

  // The view that is captured: the lent one, or the page's own.
  BrowserView& View() const;

 private:
  void CreateOwnView();

  BrowserProfile& profile_;
  QSize renderSize_;
  BrowserDisplaySettings display_;
  int timeoutMs_ = kDefaultTimeoutMs;
  std::unique_ptr<QWidget> window_;
  BrowserView* own_ = nullptr;
  BrowserView* lent_ = nullptr;
  std::unique_ptr<ViewPlace> lentPlace_;
  bool pendingFreshView_ = false;
};

}  // namespace vistrel
