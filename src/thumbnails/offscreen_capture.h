#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

#include "render/display_settings.h"
#include "thumbnails/thumb_store.h"

namespace vistrel {

class BrowserProfile;
class RenderPipeline;

// Captures pages for thumbnails through off-screen pages that are kept between captures
// (creating a browser window per thumbnail would cost more than rendering the page), several
// at once for a batch.
class OffscreenCapture {
 public:
  explicit OffscreenCapture(BrowserProfile& profile);
  ~OffscreenCapture();

  // The instant browser's display settings, used from the next capture on.
  void SetDisplaySettings(const BrowserDisplaySettings& settings);
  void SetTimeout(int milliseconds);
  // Pages in flight in a batch; 0 for about one per core plus one.
  void SetPagesInFlight(int pages);

  // Renders file at size and captures it; throws VistrelError for a missing file or while
  // another off-screen render runs. A page that does not finish in time gives what it
  // painted by then, one that painted nothing of its own a null image.
  QImage Capture(const QString& file, QSize size);

  // Runs a batch with several pages in flight; returns how many files were delivered.
  int CaptureMany(const CaptureBatch& batch);

  // A PageCapture for ThumbStore that uses this object (which must outlive the store).
  PageCapture AsPageCapture();

 private:
  void Configure(QSize size, int timeoutMs);

  BrowserProfile& profile_;
  std::unique_ptr<RenderPipeline> pipeline_;
  BrowserDisplaySettings display_;
  int timeoutMs_ = 0;
  int pages_ = 0;
};

}  // namespace vistrel
