#include "snapshots/snapshot_export.h"

#include <QFileInfo>

#include "core/batch_progress.h"
#include "core/page_list.h"
#include "snapshots/snapshot_renderer.h"

namespace vistrel {

QString SnapshotFileName(const QString& page, const QString& ext) {
  QString name = QFileInfo(page).fileName();
  name.replace(QLatin1Char('.'), QLatin1Char('_'));
  return QStringLiteral("snap_") + name + ext;
}

int ExportSnapshots(const PageList& page, BatchProgress& progress, SnapshotRenderer& renderer,
                    const SnapshotSettings& settings, const SnapshotBatch& batch, QImage& imgSave,
                    Prompter& prompter, const StatusLine& status) {
  return RunSelectedBatch(page, progress, [&](int, const QString& path) {
    // Saving the previous image under a missing page's name would be a wrong snapshot.
    if (renderer.DoTheShot(path, settings, batch.renderSize, &imgSave, status) ==
        SnapshotRenderer::Result::kNoFile)
      return true;
    const QString target = batch.folder + SnapshotFileName(path, batch.ext);
    return SaveSnapshot(target, batch.format, true, imgSave, prompter, status, batch.minimumKb);
  });
}

}  // namespace vistrel
