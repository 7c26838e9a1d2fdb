#include "filelists/native_entry.h"

#include <QFile>

namespace vistrel {

DirectoryEntry EntryFromStatus(const struct stat& status, const QString& name) {
  DirectoryEntry entry;
  entry.name = name;
  entry.isDir = S_ISDIR(status.st_mode);
  entry.size = entry.isDir ? 0 : qint64(status.st_size);
  entry.stampNs = qint64(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec;
  entry.isHidden = name.startsWith(QLatin1Char('.'));
  return entry;
}

bool NativeEntryExists(const QString& path, DirectoryEntry* entry) {
  if (path.isEmpty()) return false;
  const QByteArray native = QFile::encodeName(path);
  struct stat status {};
  if (stat(native.constData(), &status) != 0 && lstat(native.constData(), &status) != 0)
    return false;
  // The name as written, like the file-information object gives it: the last part of the path.
  qsizetype end = path.size();
  while (end > 1 && path.at(end - 1) == QLatin1Char('/')) --end;
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'), end - 1);
  *entry = EntryFromStatus(status, path.mid(slash + 1, end - slash - 1));
  return true;
}

}  // namespace vistrel
