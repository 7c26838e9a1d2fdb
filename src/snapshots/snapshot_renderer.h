#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

#include "render/display_settings.h"
#include "snapshots/snapshot_save.h"
#include "snapshots/snapshot_settings.h"

namespace vistrel {

class BrowserProfile;
class BrowserView;
class OffscreenPage;

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

  // Needs the geometry of a successful TestInput in settings. With no file of that name
  // nothing happens (kNoFile, *imgSave untouched). Otherwise the file is loaded off screen at
  // renderSize, or, when lentView is given, that live view is borrowed with whatever it shows
  // and given back afterwards; *imgSave becomes the composed snapshot. kTimedOut: the page did
  // not finish in time and the snapshot shows what was painted. Engine failures throw
  // VistrelError.
  Result DoTheShot(const QString& fileName, const SnapshotSettings& settings, QSize renderSize,
                   QImage* imgSave, const StatusLine& status = {}, BrowserView* lentView = nullptr);

 private:
  OffscreenPage& PageOfSize(QSize renderSize);

  BrowserProfile& profile_;
  BrowserDisplaySettings display_;
  int timeoutMs_;
  std::unique_ptr<OffscreenPage> page_;
};

}  // namespace vistrel
