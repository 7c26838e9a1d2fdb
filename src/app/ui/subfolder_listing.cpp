#include "app/ui/subfolder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QCollator>
#include <QCollatorSortKey>
#include <algorithm>
#include <vector>

#include "core/disk_name.h"

namespace vistrel {

namespace {

bool IsShownFolder(int folderFd, const dirent* entry) {
  if (entry->d_type == DT_DIR) return true;
  if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) return false;
  // A link counts as what it points at; a dangling link or a loop of links is no folder.
  struct stat status {};
  return ::fstatat(folderFd, entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

QCollator TreeCollator() {
  QCollator collator;
  collator.setNumericMode(true);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

}  // namespace

QStringList ReadSubfolders(const QString& folder) {
  QStringList names;
  DIR* dir = ::opendir(NameToDisk(folder).constData());
  if (!dir) return names;
  const int fd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;  // hidden, "." and ".."
    if (IsShownFolder(fd, entry)) names.append(NameFromDisk(entry->d_name));
  }
  ::closedir(dir);
  SortFolderNames(names);
  return names;
}

void SortFolderNames(QStringList& names) {
  const QCollator collator = TreeCollator();
  // The C locale compares as plain text, quickly; a real collation compares far faster by
  // keys, which it keeps consistent with its own comparison. Each locale always takes the
  // same way, so a folder read again keeps its order.
  if (collator.locale().language() == QLocale::C) {
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
      const int order = collator.compare(a, b);
      return order != 0 ? order < 0 : a < b;
    });
    return;
  }
  std::vector<std::pair<QCollatorSortKey, QString>> keyed;
  keyed.reserve(size_t(names.size()));
  for (const QString& name : names) keyed.emplace_back(collator.sortKey(name), name);
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    const int order = a.first.compare(b.first);
    return order != 0 ? order < 0 : a.second < b.second;
  });
  for (qsizetype i = 0; i < names.size(); ++i) names[i] = keyed[size_t(i)].second;
}

}  // namespace vistrel
