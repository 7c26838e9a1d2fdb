#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "render/display_settings.h"
#include "render/offscreen_page.h"
#include "render/paint_wait.h"

class QThreadPool;

namespace vistrel {

class BrowserProfile;

// About one page per core plus one: while one page waits for its renderer, another keeps
// the GUI thread busy.
int DefaultPagesInFlight();

struct PipelineOptions {
  QSize renderSize;
  BrowserDisplaySettings display;
  int timeoutMs = OffscreenPage::kDefaultTimeoutMs;
  int pages = 0;  // pages in flight; 0 for DefaultPagesInFlight()
};

// What the finishing step makes of a capture: a picture and, say, its encoded file.
struct FinishedPage {
  QImage image;  // null when nothing could be made
  QByteArray data;
};

// What became of one file of a batch.
struct PageResult {
  QString file;
  PaintOutcome paint = PaintOutcome::kStopped;
  QString error;    // why the file could not be loaded or finished; empty when it was
  QImage image;     // what the finishing step made of the capture; null when nothing
  QByteArray data;  // and the data it made with it
};

struct PipelineHooks {
  // GUI thread, before file index starts; false ends the batch there (the files before it
  // still come out). Optional.
  std::function<bool(int index, const QString& file)> admit;
  // A worker thread, once per page that shows its own pixels: makes the result of the
  // capture (scaled, encoded). Must not touch GUI-thread objects and should leave files
  // alone: a stopped batch delivers nothing more. Throwing VistrelError gives the page that
  // error.
  using FinishHook =
      std::function<FinishedPage(int index, const QString& file, const QImage& capture)>;
  FinishHook finish;
  // GUI thread, once per file in the order of the batch, as soon as it and all before it are
  // done; false ends the batch.
  std::function<bool(int index, const PageResult& result)> deliver;
  // Asked every few milliseconds; true stops the batch, also in the middle of a page.
  std::function<bool()> stopAsked;
};

// Renders a batch of local files with several off-screen pages in flight: the pages load on
// the GUI thread while the finished captures are scaled, encoded and written on worker
// threads. A fixed number of pages is kept and reused from batch to batch, so memory does
// not grow with the batch. A page that hangs holds only its own slot until its timeout; a
// page whose renderer dies is reported and the slot gets a fresh renderer.
class RenderPipeline {
 public:
  explicit RenderPipeline(BrowserProfile& profile);
  ~RenderPipeline();
  RenderPipeline(const RenderPipeline&) = delete;
  RenderPipeline& operator=(const RenderPipeline&) = delete;

  void SetOptions(const PipelineOptions& options);
  const PipelineOptions& Options() const { return options_; }

  // Runs the batch in the event loop until every file is delivered, or the batch ends early.
  // Returns how many files were delivered. Throws VistrelError(kRenderRunning) when another
  // off-screen render is running.
  int Run(const QStringList& files, const PipelineHooks& hooks);

  // The renderer process ids of the pages kept now (0 for a page without one).
  std::vector<qint64> RenderProcessIds() const;

 private:
  class Batch;

  BrowserProfile& profile_;
  PipelineOptions options_;
  std::vector<std::unique_ptr<OffscreenPage>> pages_;
  std::unique_ptr<QThreadPool> workers_;
};

}  // namespace vistrel
