#include "thumbnails/offscreen_capture.h"

#include "core/disk_name.h"
#include "core/vistrel_error.h"
#include "render/offscreen_page.h"
#include "render/render_pipeline.h"

namespace vistrel {

OffscreenCapture::OffscreenCapture(BrowserProfile& profile)
    : profile_(profile),
      pipeline_(std::make_unique<RenderPipeline>(profile)),
      timeoutMs_(OffscreenPage::kDefaultTimeoutMs) {}

OffscreenCapture::~OffscreenCapture() = default;

void OffscreenCapture::SetDisplaySettings(const BrowserDisplaySettings& settings) {
  display_ = settings;
}

void OffscreenCapture::SetTimeout(int milliseconds) { timeoutMs_ = milliseconds; }

void OffscreenCapture::SetPagesInFlight(int pages) { pages_ = pages; }

void OffscreenCapture::Configure(QSize size, int timeoutMs) {
  PipelineOptions options;
  options.renderSize = size;
  options.display = display_;
  options.timeoutMs = timeoutMs > 0 ? timeoutMs : timeoutMs_;
  options.pages = pages_;
  pipeline_->SetOptions(options);
}

QImage OffscreenCapture::Capture(const QString& file, QSize size) {
  Configure(size, 0);
  QImage image;
  QString error;
  PipelineHooks hooks;
  hooks.finish = [](int, const QString&, const QImage& capture) {
    return FinishedPage{capture, {}};
  };
  hooks.deliver = [&](int, const PageResult& result) {
    image = result.image;
    error = result.error;
    return true;
  };
  pipeline_->Run({file}, hooks);
  if (image.isNull() && KindOf(file) != FileKind::kRegular) throw VistrelError(error);
  return image;
}

int OffscreenCapture::CaptureMany(const CaptureBatch& batch) {
  Configure(batch.renderSize, batch.timeoutMs);
  PipelineHooks hooks;
  if (batch.admit) hooks.admit = [&batch](int index, const QString&) { return batch.admit(index); };
  if (batch.finish) {
    hooks.finish = [&batch](int, const QString&, const QImage& capture) {
      CapturedPage page = batch.finish(capture);
      return FinishedPage{std::move(page.image), std::move(page.data)};
    };
  }
  hooks.deliver = [&batch](int index, const PageResult& result) {
    CapturedPage page{result.image, result.data, result.paint == PaintOutcome::kTimedOut,
                      result.error};
    return !batch.deliver || batch.deliver(index, page);
  };
  hooks.stopAsked = batch.stopAsked;
  return pipeline_->Run(batch.files, hooks);
}

PageCapture OffscreenCapture::AsPageCapture() {
  return PageCapture([this](const QString& file, QSize size) { return Capture(file, size); },
                     [this](const CaptureBatch& batch) { return CaptureMany(batch); });
}

}  // namespace vistrel
