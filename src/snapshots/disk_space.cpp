#include "snapshots/disk_space.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include "core/prompter.h"

namespace vistrel {

bool EnoughFreeSpace(qint64 freeBytes, const QString& volumeRoot, int minimumKb,
                     Prompter& prompter) {
  if (freeBytes < 0) return true;
  if (qint64(minimumKb) * 1000 > freeBytes) {
    prompter.Information(QStringLiteral("Diskspace on drive \"") + volumeRoot +
                         QStringLiteral("\" < ") + QString::number(minimumKb) +
                         QStringLiteral("Kb!\r\nProcess stopped."));
    return false;
  }
  return true;
}

bool EnoughDiskSpace(const QString& path, int minimumKb, Prompter& prompter) {
  if (path.isEmpty()) return true;
  // A folder about to be created lives on the volume of its nearest existing parent.
  QString existing = QFileInfo(path).absoluteFilePath();
  while (!QFileInfo::exists(existing)) {
    const QString parent = QFileInfo(existing).absolutePath();
    if (parent == existing) return true;
    existing = parent;
  }
  const QStorageInfo volume(existing);
  if (!volume.isValid() || !volume.isReady()) return true;
  return EnoughFreeSpace(volume.bytesAvailable(), volume.rootPath(), minimumKb, prompter);
}

}  // namespace vistrel
