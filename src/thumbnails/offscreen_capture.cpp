#include "thumbnails/offscreen_capture.h"

#include "render/offscreen_page.h"

namespace vistrel {

OffscreenCapture::OffscreenCapture(BrowserProfile& profile)
    : profile_(profile), timeoutMs_(OffscreenPage::kDefaultTimeoutMs) {}

OffscreenCapture::~OffscreenCapture() = default;

void OffscreenCapture::SetDisplaySettings(const BrowserDisplaySettings& settings) {
  display_ = settings;
}

void OffscreenCapture::SetTimeout(int milliseconds) { timeoutMs_ = milliseconds; }

QImage OffscreenCapture::Capture(const QString& file, QSize size) {
  if (!page_) page_ = std::make_unique<OffscreenPage>(profile_, size);
  if (page_->RenderSize() != size) page_->SetRenderSize(size);
  page_->SetDisplaySettings(display_);
  page_->SetTimeout(timeoutMs_);
  page_->LoadHTMLFile(file);
  return page_->Capture();
}

PageCapture OffscreenCapture::AsPageCapture() {
  return [this](const QString& file, QSize size) { return Capture(file, size); };
}

}  // namespace vistrel
