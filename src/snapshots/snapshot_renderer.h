#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "render/display_settings.h"
#include "snapshots/snapshot_save.h"
#include "snapshots/snapshot_settings.h"

namespace vistrel {

class BrowserProfile;
class BrowserView;
class OffscreenPage;
class RenderPipeline;

// One page of ShootMany.
struct SnapshotShot {
  QString file;
  bool timedOut = false;  // taken as painted when the timeout came
  QImage image;           // the composed snapshot; null when there is none
  QString problem;        // why there is none ("Can't locate file: ..." for a missing file)
};

// Renders pages into composed snapshots: the page laid out off screen at the render size,
// captured, cropped, scaled with Lanczos3 and framed. The command line and the snapshot
// windows both go through here. One off-screen page serves every shot of a renderer, so a
// batch does not start a browser per file; it goes when the renderer goes.
class SnapshotRenderer {
 public:
  enum class Result { kRendered, kTimedOut, kNoFile };

  SnapshotRenderer(BrowserProfile& profile, const BrowserDisplaySettings& display);
  ~SnapshotRenderer();
  SnapshotRenderer(const SnapshotRenderer&) = delete;
  SnapshotRenderer& operator=(const SnapshotRenderer&) = delete;

  void SetTimeout(int milliseconds) { timeoutMs_ = milliseconds; }
  // Pages in flight in ShootMany; 0 for about one per core plus one.
  void SetPagesInFlight(int pages) { pages_ = pages; }

  // Needs the geometry of a successful TestInput in settings. With no file of that name
  // nothing happens (kNoFile, *imgSave untouched). Otherwise the file is loaded off screen at
  // renderSize, or, when lentView is given, that live view is borrowed with whatever it shows
  // and given back afterwards; *imgSave becomes the composed snapshot. kTimedOut: the page did
  // not finish in time and the snapshot shows what was painted. Engine failures, a page
  // that painted nothing of its own in time (it would show another page's pixels) and a
  // render started while another runs throw VistrelError.
  Result DoTheShot(const QString& fileName, const SnapshotSettings& settings, QSize renderSize,
                   QImage* imgSave, const StatusLine& status = {}, BrowserView* lentView = nullptr);

  // Composed snapshots of files with several pages in flight (cropped, scaled and framed on
  // worker threads); deliver gets each on the GUI thread in the order of files, as soon as
  // it and those before it are done, and returns false to end the batch. admit is asked
  // before a file starts (false ends the batch there), stopAsked often while it runs.
  // Returns how many files were delivered; throws VistrelError while another render runs.
  int ShootMany(const QStringList& files, const SnapshotSettings& settings, QSize renderSize,
                const std::function<bool(int index, const SnapshotShot& shot)>& deliver,
                const std::function<bool()>& stopAsked = {},
                const std::function<bool(int index)>& admit = {});

 private:
  OffscreenPage& PageOfSize(QSize renderSize);

  BrowserProfile& profile_;
  BrowserDisplaySettings display_;
  int timeoutMs_;
  int pages_ = 0;
  std::unique_ptr<OffscreenPage> page_;
  std::unique_ptr<RenderPipeline> pipeline_;
};

}  // namespace vistrel
