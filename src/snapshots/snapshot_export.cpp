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
  const SelectedItems items = SelectedItemsOf(page);
  OrderedBatchProgress shown(progress, items.paths);
  return renderer.ShootMany(
      items.paths, settings, batch.renderSize,
      [&](int n, const SnapshotShot& shot) {
        // A page that is gone, or that painted nothing of its own in time, gets no file:
        // saving the previous image under its name would be a wrong snapshot.
        if (!shot.image.isNull()) {
          imgSave = shot.image;
          const QString target = batch.folder + SnapshotFileName(shot.file, batch.ext);
          if (!SaveSnapshot(target, batch.format, true, imgSave, prompter, status, batch.minimumKb))
            return false;
        }
        shown.Done(n);
        return true;
      },
      [&shown] { return shown.AbortRequested(); });
}

}  // namespace vistrel
