#include "snapshots/snapshot_renderer.h"

#include "render/browser_view.h"
#include "core/disk_name.h"
#include "core/vistrel_error.h"
#include "render/offscreen_page.h"
#include "render/render_pipeline.h"
#include "snapshots/snapshot_compose.h"

namespace vistrel {

namespace {

const char kCreating[] = "Creating Snapshot image ...";
const char kResizing[] = "Resizing Snapshot ...";
const char kNothingPainted[] = ": the page painted nothing of its own in time";
const char kRendererEnded[] = ": the page's render process ended";

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
  if (fileName.isEmpty() || KindOf(fileName) != FileKind::kRegular) return Result::kNoFile;
  OffscreenPage& page = PageOfSize(renderSize);
  Show(status, kCreating);
  QImage capture;
  PaintOutcome outcome = PaintOutcome::kPainted;
  if (lentView) {
    LendGuard guard(page);
    if (!page.LendView(*lentView)) outcome = PaintOutcome::kTimedOut;
    capture = page.Capture();
  } else {
    outcome = page.Load(fileName);
    capture = page.Capture();
    page.ReleaseHungRenderer();
  }
  if (capture.isNull()) {
    throw VistrelError(
        PrintableName(fileName) +
        QLatin1String(outcome == PaintOutcome::kRendererEnded ? kRendererEnded : kNothingPainted));
  }
  Show(status, kResizing);
  QImage scaled = ScaleCapture(capture, settings);
  capture = QImage();  // the full-size capture is not needed past scaling
  *imgSave = PaintSaveImg(settings, &scaled);
  return outcome == PaintOutcome::kPainted ? Result::kRendered : Result::kTimedOut;
}

int SnapshotRenderer::ShootMany(
    const QStringList& files, const SnapshotSettings& settings, QSize renderSize,
    const std::function<bool(int index, const SnapshotShot& shot)>& deliver,
    const std::function<bool()>& stopAsked, const std::function<bool(int index)>& admit) {
  if (!pipeline_) pipeline_ = std::make_unique<RenderPipeline>(profile_);
  PipelineOptions options;
  options.renderSize = renderSize;
  options.display = display_;
  options.timeoutMs = timeoutMs_;
  options.pages = pages_;
  pipeline_->SetOptions(options);
  PipelineHooks hooks;
  if (admit) hooks.admit = [&admit](int index, const QString&) { return admit(index); };
  hooks.finish = [&settings](int, const QString&, const QImage& capture) {
    QImage scaled = ScaleCapture(capture, settings);
    return FinishedPage{PaintSaveImg(settings, &scaled), {}};
  };
  hooks.deliver = [&deliver](int index, const PageResult& result) {
    const SnapshotShot shot{result.file, result.paint == PaintOutcome::kTimedOut, result.image,
                            result.error};
    return !deliver || deliver(index, shot);
  };
  hooks.stopAsked = stopAsked;
  return pipeline_->Run(files, hooks);
}

}  // namespace vistrel
