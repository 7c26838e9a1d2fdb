#include "app/ui/folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QHash>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/disk_name.h"
#include "core/pattern_match.h"

namespace vistrel {

namespace {

// The pattern test depends on the extension only; a folder's names share a handful of them.
class ExtensionMatch {
 public:
  explicit ExtensionMatch(const QString& patterns) : patterns_(patterns) {}
  bool operator()(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString tail = dot < 0 ? QString() : name.mid(dot);
    const auto known = known_.constFind(tail);
    if (known != known_.constEnd()) return *known;
    const bool fits = MatchesPatternList(name, patterns_);
    known_.insert(tail, fits);
    return fits;
  }

 private:
  QString patterns_;
  QHash<QString, bool> known_;
};

bool IsReadableFile(int folderFd, const char* name, unsigned char type) {
  if (type != DT_REG) {
    struct stat info {};
    if (::fstatat(folderFd, name, &info, 0) != 0 || !S_ISREG(info.st_mode)) return false;
  }
  return ::faccessat(folderFd, name, R_OK, 0) == 0;
}

}  // namespace

QStringList ListFolderFiles(const QString& folder, const QString& patterns, QString* error) {
  QStringList names;
  DIR* dir = ::opendir(NameToDisk(folder).constData());
  if (!dir) {
    if (error)
      *error = QStringLiteral("Cannot read folder ") + PrintableName(folder) +
               QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    return names;
  }
  const int fd = ::dirfd(dir);
  ExtensionMatch matches(patterns);
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;  // hidden, "." and ".."
    if (entry->d_type == DT_DIR) continue;
    const QString name = NameFromDisk(entry->d_name);
    if (!matches(name) || !IsReadableFile(fd, entry->d_name, entry->d_type)) continue;
    names.append(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end(),
            [](const QString& a, const QString& b) { return QString::compare(a, b) < 0; });
  return names;
}

}  // namespace vistrel
