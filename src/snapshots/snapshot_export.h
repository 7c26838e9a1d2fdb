#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "snapshots/snapshot_save.h"
#include "snapshots/snapshot_settings.h"

namespace vistrel {

class BatchProgress;
class PageList;
class Prompter;
class SnapshotRenderer;

// The name a snapshot of page gets: "snap_" + the page's file name with every "." as "_",
// then ext (index.htm -> snap_index_htm.jpg). The page's folders play no part.
QString SnapshotFileName(const QString& page, const QString& ext);

struct SnapshotBatch {
  QString folder;  // where the snapshots go, with a trailing separator
  QString ext;     // ".jpg" or ".bmp"
  SnapshotFormat format = SnapshotFormat::kJpeg;
  QSize renderSize;
  int minimumKb = kSnapshotMinimumKb;
};

// Renders and saves a snapshot of every selected item of page into batch.folder with the
// progress window, asking before overwriting. Ends at the first save that may not go on
// (too little space, Cancel, a failed write) or when the user stops it. A page that is gone
// by the time its turn comes gets no snapshot file. imgSave holds the last composition.
// Returns how many items were handed to the loop.
int ExportSnapshots(const PageList& page, BatchProgress& progress, SnapshotRenderer& renderer,
                    const SnapshotSettings& settings, const SnapshotBatch& batch, QImage& imgSave,
                    Prompter& prompter, const StatusLine& status = {});

}  // namespace vistrel
