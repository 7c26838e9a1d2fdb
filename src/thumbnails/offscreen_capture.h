#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

#include "render/display_settings.h"
#include "thumbnails/thumb_store.h"

namespace vistrel {

class BrowserProfile;
class OffscreenPage;

// Captures pages for thumbnails through one off-screen page that is kept between captures:
// creating a browser window per thumbnail would cost more than rendering the page.
class OffscreenCapture {
 public:
  explicit OffscreenCapture(BrowserProfile& profile);
  ~OffscreenCapture();

  // The instant browser's display settings, used from the next capture on.
  void SetDisplaySettings(const BrowserDisplaySettings& settings);
  void SetTimeout(int milliseconds);

  // Renders file at size and captures it; throws VistrelError for a missing file. A page
  // that does not finish in time gives what was painted by then.
  QImage Capture(const QString& file, QSize size);

  // A PageCapture for ThumbStore that uses this object (which must outlive the store).
  PageCapture AsPageCapture();

 private:
  BrowserProfile& profile_;
  std::unique_ptr<OffscreenPage> page_;
  BrowserDisplaySettings display_;
  int timeoutMs_ = 0;
};

}  // namespace vistrel
