#include "filelists/native_entry.h"

#include <cerrno>
#include <cstring>

#include "core/disk_name.h"

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

EntryLookup LookUpEntry(const QString& path, DirectoryEntry* entry, QString* reason) {
  if (path.isEmpty()) return EntryLookup::kMissing;
  const QByteArray native = NameToDisk(path);
  struct stat status {};
  if (::stat(native.constData(), &status) != 0 && ::lstat(native.constData(), &status) != 0) {
    const int code = errno;
    if (code == ENOENT || code == ENOTDIR || code == ENAMETOOLONG) return EntryLookup::kMissing;
    if (reason) *reason = QString::fromLocal8Bit(std::strerror(code));
    return EntryLookup::kUnreadable;
  }
  // The name as written, like the file-information object gives it: the last part of the path.
  qsizetype end = path.size();
  while (end > 1 && path.at(end - 1) == QLatin1Char('/')) --end;
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'), end - 1);
  *entry = EntryFromStatus(status, path.mid(slash + 1, end - slash - 1));
  return EntryLookup::kFound;
}

}  // namespace vistrel
