#include "filelists/folder_reader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>
#include <thread>

#include "core/disk_name.h"
#include "core/pattern_match.h"
#include "core/program_folder.h"
#include "filelists/list_entry.h"
#include "filelists/native_entry.h"

namespace vistrel {

namespace {

// Hits in one folder from which their status is read on two threads.
constexpr size_t kSharedFolder = 4096;

bool IsVtiFolder(const char* name) {
  for (const char* at = name; *at; ++at) {
    if (::strncasecmp(at, "_vti_cnf", 8) == 0) return true;
  }
  return false;
}

bool IsFolder(int dirFd, const dirent* entry) {
  if (entry->d_type == DT_DIR) return true;
  if (entry->d_type != DT_UNKNOWN) return false;  // a link is never a folder to enter
  struct stat status {};
  return ::fstatat(dirFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISDIR(status.st_mode);
}

}  // namespace

bool FolderReader::Matches(const char* name, size_t length) {
  const char* dot = static_cast<const char*>(::memrchr(name, '.', length));
  if (!dot) return false;
  const QByteArrayView tail(dot, qsizetype(name + length - dot));
  // Names of one folder mostly share their extension: the last answer first.
  if (tail == lastExtension_) return lastFits_;
  lastExtension_ = tail.toByteArray();
  const auto known = extensions_.constFind(lastExtension_);
  if (known != extensions_.constEnd()) {
    lastFits_ = *known;
  } else {
    lastFits_ = MatchesPatternList(NameFromDisk(tail), rules_.patternList);
    extensions_.insert(lastExtension_, lastFits_);
  }
  return lastFits_;
}

QString FolderReader::HitText(const FolderRead& node, int dirFd, const char* name,
                              const QString& decoded) const {
  // Follow a link to report what it points at; a dangling one or a loop reports itself.
  struct stat status {};
  if (::fstatat(dirFd, name, &status, 0) != 0) ::fstatat(dirFd, name, &status, AT_SYMLINK_NOFOLLOW);
  return MakeListEntry(node.folder, EntryFromStatus(status, decoded));
}

void FolderReader::Read(FolderRead& node, const std::function<bool(dev_t, ino_t)>& claim) {
  DIR* dir = ::opendir(node.raw.constData());
  if (!dir) return;  // gone or unreadable: contributes nothing
  const int fd = ::dirfd(dir);
  struct stat own {};
  if (::fstat(fd, &own) != 0 || !claim(own.st_dev, own.st_ino)) {
    ::closedir(dir);
    return;
  }
  const bool mayDescend =
      rules_.enterFolders && (rules_.includeThumbnailFolder || rules_.thumbFolder.isEmpty() ||
                              !IsInThumbFolder(node.folder, rules_.thumbFolder));
  struct PendingHit {
    size_t item;
    QByteArray name;
  };
  std::vector<PendingHit> hits;
  while (const dirent* entry = ::readdir(dir)) {
    const char* name = entry->d_name;
    if (name[0] == '.') continue;  // hidden, and "." / ".."
    const bool entered = mayDescend && IsFolder(fd, entry) && !IsVtiFolder(name);
    if (!entered && !Matches(name, std::strlen(name))) continue;
    const QString decoded = NameFromDisk(QByteArrayView(name));
    FolderRead::Item item;
    if (rules_.asListEntries && !FitsInListEntry(decoded)) {
      item.kind = FolderRead::Item::kLeftOut;
      item.text = PrintableName(QString(node.folder + decoded));
    } else if (entered) {
      auto child = std::make_unique<FolderRead>();
      child->folder = node.folder + decoded + QLatin1Char('/');
      child->raw = node.raw + name + '/';
      item.kind = FolderRead::Item::kChild;
      item.child = node.children.size();
      node.children.push_back(std::move(child));
    } else if (rules_.asListEntries) {
      item.text = decoded;  // the line once its status is read, below
      hits.push_back({node.items.size(), QByteArray(name)});
    } else {
      item.text = node.folder + decoded;
    }
    node.items.push_back(std::move(item));
  }
  // Reading the status is most of the cost of a hit: a large folder shares it with a second
  // thread, as the walk shares folders.
  const auto fill = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
      QString& text = node.items[hits[i].item].text;
      text = HitText(node, fd, hits[i].name.constData(), text);
    }
  };
  if (hits.size() >= kSharedFolder) {
    std::thread helper(fill, hits.size() / 2, hits.size());
    fill(0, hits.size() / 2);
    helper.join();
  } else {
    fill(0, hits.size());
  }
  ::closedir(dir);
}

}  // namespace vistrel
