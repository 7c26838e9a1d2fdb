#include "snapshots/snapshot_renderer.h"

#include <QFileInfo>

#include "render/browser_view.h"
#include "render/offscreen_page.h"
#include "snapshots/snapshot_compose.h"

namespace vistrel {

namespace {

const char kCreating[] = "Creating Snapshot image ...";
const char kResizing[] = "Resizing Snapshot ...";

void Show(const StatusLine& status, const char* text) {
  if (status) status(QLatin1String(text));
}

// Gives the lent view back however the capture ends.
class LendGuard {
 public:
  explicit LendGuard(OffscreenPage& page) : page_(page) {}
  ~LendGuard() { page_.ReturnView(); }
  LendGuard(const LendGuard&) = delete;
  LendGuard& operator=(const LendGuard&) = delete;

 private:
  OffscreenPage& page_;
};

}  // namespace

SnapshotRenderer::SnapshotRenderer(BrowserProfile& profile, const BrowserDisplaySettings& display)
    : profile_(profile), display_(display), timeoutMs_(OffscreenPage::kDefaultTimeoutMs) {}

SnapshotRenderer::~SnapshotRenderer() = default;

OffscreenPage& SnapshotRenderer::PageOfSize(QSize renderSize) {
  if (!page_) {
    page_ = std::make_unique<OffscreenPage>(profile_, renderSize);
    page_->SetDisplaySettings(display_);
  } else if (page_->RenderSize() != renderSize) {
    page_->SetRenderSize(renderSize);
  }
  page_->SetTimeout(timeoutMs_);
  return *page_;
}

SnapshotRenderer::Result SnapshotRenderer::DoTheShot(const QString& fileName,
                                                     const SnapshotSettings& settings,
                                                     QSize renderSize, QImage* imgSave,
                                                     const StatusLine& status,
                                                     BrowserView* lentView) {
  if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) return Result::kNoFile;
  OffscreenPage& page = PageOfSize(renderSize);
  Show(status, kCreating);
  QImage capture;
  bool painted = true;
  if (lentView) {
    LendGuard guard(page);
    painted = page.LendView(*lentView);
    capture = page.Capture();
  } else {
    painted = page.LoadHTMLFile(fileName);
    capture = page.Capture();
  }
  Show(status, kResizing);
  QImage scaled = ScaleCapture(capture, settings);
  capture = QImage();  // the full-size capture is not needed past scaling
  *imgSave = PaintSaveImg(settings, &scaled);
  return painted ? Result::kRendered : Result::kTimedOut;
}

}  // namespace vistrel
